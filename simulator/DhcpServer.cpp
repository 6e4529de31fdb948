#include "DhcpServer.h"

#include <algorithm>
#include <set>

namespace trb::sim {
namespace {

int64_t scalar(const DeviceStore &store, const char *name)
{
    const SnmpValue *value = store.find(DeviceStore::instanceOf(name));
    return value ? value->number : 0;
}

uint32_t hostOrder(const std::string &bytes)
{
    uint32_t address = 0;
    for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
        address = address << 8 | uint8_t(bytes[i]);
    return address;
}

uint32_t ipScalar(const DeviceStore &store, const char *name)
{
    const SnmpValue *value = store.find(DeviceStore::instanceOf(name));
    return value ? hostOrder(value->bytes) : 0;
}

// Stations have no names of their own to offer: one made from the end of the MAC address.
std::string hostNameOf(const std::string &mac)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string name = "station-";
    for (std::size_t i = 3; i < mac.size(); ++i) {
        name += kHex[uint8_t(mac[i]) >> 4];
        name += kHex[uint8_t(mac[i]) & 0xf];
    }
    return name;
}

const schema::ObjectDef *column(const char *name) { return schema::findObject(name); }

} // namespace

std::map<std::string, DhcpServer::StaticEntry> DhcpServer::staticEntries(const DeviceStore &store)
{
    std::map<uint32_t, std::string> macs, names;
    std::map<uint32_t, uint32_t> ips;
    store.forEach([&](const Oid &name, const schema::ObjectDef &object, const SnmpValue &value) {
        const std::string_view field = object.name;
        const auto row = uint32_t(name.back());
        if (field == "trbDhcpStaticMac")
            macs[row] = value.bytes;
        else if (field == "trbDhcpStaticHostName")
            names[row] = value.bytes;
        else if (field == "trbDhcpStaticIp")
            ips[row] = hostOrder(value.bytes);
    });
    std::map<std::string, StaticEntry> entries;
    for (const auto &[row, mac] : macs)
        entries[mac] = {names[row], ips[row]};
    return entries;
}

std::vector<std::string> DhcpServer::stations(const DeviceStore &store)
{
    std::vector<std::string> macs;
    store.forEach([&](const Oid &, const schema::ObjectDef &object, const SnmpValue &value) {
        if (std::string_view(object.name) == "trbClientMac")
            macs.push_back(value.bytes);
    });
    return macs;
}

void DhcpServer::clearTable(DeviceStore &store, const char *table)
{
    const schema::TableDef &def = *schema::findTable(table);
    // Rows are numbered from 1 without gaps.
    for (uint32_t row = 1; !store.removeRow(def, {row}).empty(); ++row) {
    }
}

std::vector<uint32_t> DhcpServer::poolAddresses(const DeviceStore &store,
                                                const std::map<std::string, StaticEntry> &bound)
{
    std::set<uint32_t> taken;
    for (const auto &[mac, entry] : bound)
        taken.insert(entry.ip);
    const uint32_t start = ipScalar(store, "trbDhcpPoolStart");
    const auto size = uint32_t(std::max<int64_t>(scalar(store, "trbDhcpPoolSize"), 0));
    std::vector<uint32_t> pool;
    for (uint32_t i = 0; i < size; ++i) {
        const uint32_t address = start + i;
        if ((address & 0xff) == 0 || (address & 0xff) == 0xff || (address & 0xffffff00) != (start & 0xffffff00))
            break; // a pool never runs past its subnet's last host
        if (!taken.count(address))
            pool.push_back(address);
    }
    return pool;
}

// A station keeps the address it holds while that stays in the pool; the others take the
// lowest free ones, in station order. Stations the pool cannot serve go without.
void DhcpServer::leaseDynamic(const std::vector<std::string> &macs, const std::vector<uint32_t> &pool,
                              Clock::time_point now)
{
    std::map<std::string, Lease> kept;
    std::set<uint32_t> used;
    for (const std::string &mac : macs) {
        auto held = leases_.find(mac);
        if (held != leases_.end() && std::binary_search(pool.begin(), pool.end(), held->second.ip) &&
            used.insert(held->second.ip).second)
            kept[mac] = held->second;
    }
    auto free = pool.begin();
    for (const std::string &mac : macs) {
        if (kept.count(mac))
            continue;
        while (free != pool.end() && used.count(*free))
            ++free;
        if (free == pool.end())
            break;
        used.insert(*free);
        kept[mac] = {*free, now};
    }
    leases_ = std::move(kept);
}

void DhcpServer::refresh(DeviceStore &store, Clock::time_point now)
{
    if (!schema::findTable("trbDhcpLeaseTable"))
        return;
    clearTable(store, "trbDhcpLeaseTable");
    clearTable(store, "trbDhcpStaticLeaseTable");
    rowMacs_.clear();
    if (scalar(store, "trbDhcpServerState") != 1) {
        leases_.clear(); // a stopped server forgets its leases
        return;
    }
    const auto bound = staticEntries(store);
    const std::vector<std::string> macs = stations(store);
    std::vector<std::string> dynamicMacs;
    uint32_t staticRow = 0;
    for (const std::string &mac : macs) {
        auto entry = bound.find(mac);
        if (entry == bound.end()) {
            dynamicMacs.push_back(mac);
            continue;
        }
        store.addRow(*schema::findTable("trbDhcpStaticLeaseTable"), {++staticRow},
                     {{column("trbDhcpStaticLeaseHostName"), SnmpValue::text(entry->second.hostName)},
                      {column("trbDhcpStaticLeaseMac"), SnmpValue::text(mac)},
                      {column("trbDhcpStaticLeaseIp"), SnmpValue::ipAddress(entry->second.ip)}});
    }
    leaseDynamic(dynamicMacs, poolAddresses(store, bound), now);
    uint32_t row = 0;
    for (const std::string &mac : dynamicMacs) {
        auto lease = leases_.find(mac);
        if (lease == leases_.end())
            continue;
        rowMacs_[++row] = mac;
        store.addRow(*schema::findTable("trbDhcpLeaseTable"), {row},
                     {{column("trbDhcpLeaseHostName"), SnmpValue::text(hostNameOf(mac))},
                      {column("trbDhcpLeaseMac"), SnmpValue::text(mac)},
                      {column("trbDhcpLeaseIp"), SnmpValue::ipAddress(lease->second.ip)},
                      {column("trbDhcpLeaseRemaining"), SnmpValue::timeTicks(0)}});
    }
}

std::optional<SnmpValue> DhcpServer::read(const DeviceStore &store, const Oid &name, Clock::time_point now) const
{
    const schema::ObjectDef *object = store.objectOf(name);
    if (!object || std::string_view(object->name) != "trbDhcpLeaseRemaining")
        return std::nullopt;
    auto row = rowMacs_.find(uint32_t(name.back()));
    auto lease = row == rowMacs_.end() ? leases_.end() : leases_.find(row->second);
    if (lease == leases_.end())
        return std::nullopt;
    const int64_t leaseTime = std::max<int64_t>(scalar(store, "trbDhcpLeaseTime"), 1) * 100; // centiseconds
    const int64_t held = std::chrono::duration_cast<std::chrono::milliseconds>(now - lease->second.granted).count() / 10;
    return SnmpValue::timeTicks(leaseTime - held % leaseTime);
}

} // namespace trb::sim
