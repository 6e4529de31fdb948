#include "SystemNetworkSource.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

namespace trb {
namespace {

constexpr int kArpHardwareEther = 1;

QString DottedText(const sockaddr *address)
{
    if (address == nullptr || address->sa_family != AF_INET)
        return QStringLiteral("0.0.0.0");
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in *>(address)->sin_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

// Route table addresses are 8 hex digits of the address in network byte order as the
// host reads it, so on little-endian machines the octets come out reversed.
QString RouteHexToDotted(const QString &hex)
{
    bool ok = false;
    const quint32 value = hex.toUInt(&ok, 16);
    if (!ok)
        return QString();
    in_addr address{};
    address.s_addr = value;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address, text, sizeof text);
    return QString::fromLatin1(text);
}

QString ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

} // namespace

SystemNetworkSource::SystemNetworkSource(QString sysClassNet, QString procNetRoute)
    : sysClassNet_(std::move(sysClassNet)), procNetRoute_(std::move(procNetRoute))
{
}

QList<LocalInterfaceEntry> SystemNetworkSource::Interfaces() const
{
    QList<LocalInterfaceEntry> entries;
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return entries;
    for (const ifaddrs *item = list; item != nullptr; item = item->ifa_next) {
        if (item->ifa_addr == nullptr || item->ifa_addr->sa_family != AF_INET)
            continue;
        LocalInterfaceEntry entry;
        entry.name = QString::fromLocal8Bit(item->ifa_name);
        entry.address = DottedText(item->ifa_addr);
        entry.netmask = DottedText(item->ifa_netmask);
        entry.up = item->ifa_flags & IFF_UP;
        entry.broadcast = item->ifa_flags & IFF_BROADCAST;
        entry.loopback = item->ifa_flags & IFF_LOOPBACK;
        entry.pointToPoint = item->ifa_flags & IFF_POINTOPOINT;
        entry.multicast = item->ifa_flags & IFF_MULTICAST;
        entries.append(entry);
    }
    ::freeifaddrs(list);
    return entries;
}

bool SystemNetworkSource::IsEthernet(const QString &name) const
{
    const QString folder = sysClassNet_ + u'/' + name;
    if (ReadAll(folder + QStringLiteral("/type")).trimmed().toInt() != kArpHardwareEther)
        return false;
    // Wireless adapters report the Ethernet type too; these two entries give them away.
    return !QDir(folder + QStringLiteral("/wireless")).exists()
        && !QDir(folder + QStringLiteral("/phy80211")).exists();
}

QList<QPair<QString, QString>> SystemNetworkSource::DefaultGateways(const QString &routeTable)
{
    QList<QPair<QString, QString>> gateways;
    const QStringList lines = routeTable.split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {  // line 0 is the heading
        const QStringList fields = lines[i].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (fields.size() < 8 || fields[1] != QLatin1String("00000000") || fields[7] != QLatin1String("00000000"))
            continue;
        const QString gateway = RouteHexToDotted(fields[2]);
        const bool known = std::any_of(gateways.begin(), gateways.end(),
                                       [&](const auto &pair) { return pair.first == fields[0]; });
        if (!known && !gateway.isEmpty() && gateway != QLatin1String("0.0.0.0"))
            gateways.append({fields[0], gateway});
    }
    return gateways;
}

QList<NetworkAdapter> SystemNetworkSource::Adapters() const
{
    const auto gateways = DefaultGateways(ReadAll(procNetRoute_));
    QList<NetworkAdapter> adapters;
    auto adapterNamed = [&adapters](const QString &name) -> NetworkAdapter & {
        for (NetworkAdapter &adapter : adapters)
            if (adapter.name == name)
                return adapter;
        adapters.append(NetworkAdapter{name, false, {}, {}});
        return adapters.last();
    };
    // Secondary addresses may carry a label ("eth0:1"); they belong to the adapter.
    for (const LocalInterfaceEntry &entry : Interfaces())
        adapterNamed(entry.name.section(u':', 0, 0)).addresses.append({entry.address, entry.netmask});
    // Adapters without an IPv4 address are listed too, with none.
    for (const QString &name : QDir(sysClassNet_).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System))
        adapterNamed(name);
    for (NetworkAdapter &adapter : adapters) {
        adapter.ethernet = IsEthernet(adapter.name);
        for (const auto &[name, gateway] : gateways)
            if (name == adapter.name)
                adapter.gateway = gateway;
    }
    return adapters;
}

} // namespace trb
