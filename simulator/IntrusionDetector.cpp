#include "IntrusionDetector.h"

#include <algorithm>
#include <map>

#include "CreatedRows.h"

namespace trb::sim {
namespace {

constexpr int64_t kOnline = 1;
constexpr int64_t kOffline = 2;
constexpr int64_t kNew = 1;
constexpr int64_t kActive = 1;
constexpr uint32_t kRowsPerBand = 255;

const schema::ObjectDef *column(const char *name) { return schema::findObject(name); }
Oid instance(const char *name, const Oid &index) { return CreatedRows::instanceOf(*column(name), index); }
std::string macText(const MacBytes &mac) { return std::string(mac.begin(), mac.end()); }

} // namespace

void IntrusionDetector::detect(DeviceStore &store, int band, const std::vector<Neighbour> &heard,
                               const std::string &now)
{
    const schema::TableDef &table = *schema::findTable(kTable);
    std::map<std::string, Oid> known; // BSSID -> row of this band
    uint32_t last = 0;
    for (const Oid &index : store.rowIndexes(table)) {
        if (index.size() != 2 || index[0] != oid(band))
            continue;
        known[store.find(instance("trbIntrusionApBssid", index))->bytes] = index;
        last = std::max(last, uint32_t(index[1]));
        store.set(instance("trbIntrusionApState", index), SnmpValue::integer(kOffline));
    }
    for (const Neighbour &ap : heard) {
        auto found = known.find(macText(ap.bssid));
        if (found != known.end())
            update(store, found->second, ap, now);
        else if (last < kRowsPerBand) // a full band keeps what it has
            addRow(store, Oid{oid(band), oid(++last)}, ap, now);
    }
}

void IntrusionDetector::addRow(DeviceStore &store, const Oid &index, const Neighbour &ap, const std::string &now)
{
    store.addRow(*schema::findTable(kTable), index,
                 {{column("trbIntrusionApChannel"), SnmpValue::integer(ap.channel)},
                  {column("trbIntrusionApBssid"), SnmpValue::text(macText(ap.bssid))},
                  {column("trbIntrusionApSsid"), SnmpValue::text(ap.ssid)},
                  {column("trbIntrusionApLastSeen"), SnmpValue::text(now)},
                  {column("trbIntrusionApState"), SnmpValue::integer(kOnline)},
                  {column("trbIntrusionApType"), SnmpValue::integer(kNew)},
                  {column("trbIntrusionApStatus"), SnmpValue::integer(kActive)}});
}

void IntrusionDetector::update(DeviceStore &store, const Oid &index, const Neighbour &ap, const std::string &now)
{
    store.set(instance("trbIntrusionApChannel", index), SnmpValue::integer(ap.channel));
    store.set(instance("trbIntrusionApSsid", index), SnmpValue::text(ap.ssid));
    store.set(instance("trbIntrusionApLastSeen", index), SnmpValue::text(now));
    store.set(instance("trbIntrusionApState", index), SnmpValue::integer(kOnline));
}

} // namespace trb::sim
