#include "AclLists.h"

#include "CreatedRows.h"

namespace trb::sim {
namespace {

constexpr int64_t kWds = 3;            // trbApMode wds(3): a bridge without stations
constexpr int64_t kWirelessClient = 4; // trbApMode wirelessClient(4)

const schema::TableDef &aclTable() { return *schema::findTable("trbFilterAclTable"); }

} // namespace

uint32_t AclLists::selectedBand() const
{
    const SnmpValue *band = store_.find(DeviceStore::instanceOf("trbFilterBand"));
    return band && band->number == 2 ? 2 : 1;
}

std::vector<AclFile::Mac> AclLists::macsOf(uint32_t band) const
{
    const schema::ObjectDef &column = *schema::findObject("trbFilterAclMac");
    std::vector<AclFile::Mac> macs;
    for (const Oid &index : store_.rowIndexes(aclTable())) {
        const SnmpValue *value = store_.find(CreatedRows::instanceOf(column, index));
        if (index.front() != band || !value || value->bytes.size() != 6)
            continue;
        AclFile::Mac mac{};
        std::copy(value->bytes.begin(), value->bytes.end(), mac.begin());
        macs.push_back(mac);
    }
    return macs;
}

ConfigValues AclLists::replace(uint32_t band, const std::vector<AclFile::Mac> &macs)
{
    const schema::TableDef &table = aclTable();
    ConfigValues replaced;
    for (const Oid &index : store_.rowIndexes(table))
        if (index.front() == band)
            replaced.merge(store_.removeRow(table, index));
    const auto *mac = schema::findObject("trbFilterAclMac");
    const auto *status = &CreatedRows::statusColumn(table);
    oid entry = 0;
    for (const AclFile::Mac &address : macs) {
        const std::string bytes(address.begin(), address.end());
        store_.addRow(table, {band, ++entry}, {{mac, SnmpValue::text(bytes)}, {status, SnmpValue::integer(1)}});
    }
    return replaced;
}

int64_t AclLists::apMode() const
{
    const SnmpValue *mode = store_.find(DeviceStore::instanceOf("trbApMode"));
    return mode ? mode->number : 1;
}

std::optional<SnmpValue> AclLists::read(std::string_view object) const
{
    const int64_t mode = apMode();
    const bool noStations = mode == kWds || mode == kWirelessClient;
    if (object == "trbFilterAclMode" && noStations)
        return SnmpValue::integer(kUnavailable);
    if (object == "trbFilterPartitionMode")
        return SnmpValue::integer(mode == kWirelessClient ? 4 : mode == kWds ? 5 : 1);
    return std::nullopt;
}

bool AclLists::refused(std::string_view object, long value)
{
    return object == "trbFilterAclMode" && value == kUnavailable;
}

bool AclLists::acceptableRow(const schema::TableDef &table, const std::map<const schema::ObjectDef *, SnmpValue> &row)
{
    if (std::string_view(table.name) != "trbFilterAclTable")
        return true;
    auto mac = row.find(schema::findObject("trbFilterAclMac"));
    if (mac == row.end() || mac->second.bytes.size() != 6)
        return true; // the column's own checks refuse it
    AclFile::Mac octets{};
    std::copy(mac->second.bytes.begin(), mac->second.bytes.end(), octets.begin());
    return AclFile::isStation(octets);
}

} // namespace trb::sim
