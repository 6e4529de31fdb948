// Choosing the PC address that faces the device, from made-up interfaces and routes.
#include "DeviceReportedAddress.h"
#include "FakeNetworkSource.h"
#include "LocalAddress.h"
#include "NetInterfaceInfo.h"
#include "SystemNetworkSource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace trb;

namespace {

struct DeviceAt {
    DeviceAt(const char *address, const char *mask)
    {
        SetDeviceReportedAddress(QString::fromLatin1(address), QString::fromLatin1(mask));
    }
    ~DeviceAt() { SetDeviceReportedAddress(QString(), QString()); }
};

NetworkAdapter Adapter(const char *name, bool ethernet, QList<AddressAndMask> addresses, const char *gateway)
{
    return NetworkAdapter{QString::fromLatin1(name), ethernet, addresses, QString::fromLatin1(gateway)};
}

AddressAndMask At(const char *address, const char *mask)
{
    return {QString::fromLatin1(address), QString::fromLatin1(mask)};
}

} // namespace

TEST(FindLocalAddressFor, PicksTheInterfaceOnTheDeviceNetwork)
{
    FakeNetworkSource network;
    network.AddInterface(QStringLiteral("10.0.0.5"), QStringLiteral("255.0.0.0"));
    network.AddInterface(QStringLiteral("192.168.0.10"), QStringLiteral("255.255.255.0"));
    network.AddInterface(QStringLiteral("192.168.0.11"), QStringLiteral("255.255.255.0"));
    DeviceAt device("192.168.0.50", "255.255.255.0");
    QString address = QStringLiteral("unchanged");
    EXPECT_EQ(FindLocalAddressFor(address), 1);
    EXPECT_EQ(address, QStringLiteral("192.168.0.10")) << "the first match in list order";
}

TEST(FindLocalAddressFor, FallsBackToTheGatewayFacingAddress)
{
    FakeNetworkSource network;
    network.AddInterface(QStringLiteral("10.0.0.5"), QStringLiteral("255.0.0.0"));
    network.AddInterface(QStringLiteral("172.16.1.9"), QStringLiteral("255.255.0.0"));
    network.adapters = {Adapter("wlan0", false, {At("10.0.0.5", "255.0.0.0")}, "10.0.0.1"),
                        Adapter("eth0", true, {At("172.16.1.9", "255.255.0.0")}, "172.16.0.1")};
    QString address;
    {
        // Not reported yet: no interface matches, even one whose network is 0.0.0.0.
        network.AddInterface(QStringLiteral("0.0.0.1"), QStringLiteral("0.0.0.0"));
        EXPECT_EQ(FindLocalAddressFor(address), 1);
        EXPECT_EQ(address, QStringLiteral("172.16.1.9"));
    }
    DeviceAt device("192.168.7.2", "255.255.255.0");
    address.clear();
    EXPECT_EQ(FindLocalAddressFor(address), 1);
    EXPECT_EQ(address, QStringLiteral("172.16.1.9"));
}

TEST(FindLocalAddressFor, NothingFoundLeavesTheAddress)
{
    FakeNetworkSource network;
    network.AddInterface(QStringLiteral("10.0.0.5"), QStringLiteral("255.0.0.0"));
    DeviceAt device("192.168.0.50", "255.255.255.0");
    QString address = QStringLiteral("1.2.3.4");
    EXPECT_EQ(FindLocalAddressFor(address), 0) << "no Ethernet adapter";
    EXPECT_EQ(address, QStringLiteral("1.2.3.4"));

    network.adapters = {Adapter("eth0", true, {}, "")};  // an adapter without an address
    EXPECT_EQ(FindLocalAddressFor(address), 0);
    EXPECT_EQ(address, QStringLiteral("1.2.3.4"));
}

TEST(GatewayFacingAddress, FollowsTheGatewayRules)
{
    FakeNetworkSource network;
    EXPECT_EQ(GatewayFacingAddress(), QString()) << "no Ethernet adapter at all";

    // The first address reaches the gateway.
    network.adapters = {Adapter("eth0", true, {At("192.168.1.5", "255.255.255.0")}, "192.168.1.1")};
    EXPECT_EQ(GatewayFacingAddress(), QStringLiteral("192.168.1.5"));

    // A further address reaches it instead.
    network.adapters = {Adapter("eth0", true, {At("10.1.1.1", "255.255.255.0"), At("192.168.1.5", "255.255.255.0")},
                                "192.168.1.1")};
    EXPECT_EQ(GatewayFacingAddress(), QStringLiteral("192.168.1.5"));

    // Wireless adapters are skipped; with no gateway anywhere the last Ethernet adapter's
    // first address is the answer.
    network.adapters = {Adapter("wlan0", false, {At("192.168.1.5", "255.255.255.0")}, "192.168.1.1"),
                        Adapter("eth0", true, {At("10.1.1.1", "255.255.255.0")}, ""),
                        Adapter("eth1", true, {At("10.2.2.2", "255.255.255.0")}, "")};
    EXPECT_EQ(GatewayFacingAddress(), QStringLiteral("10.2.2.2"));

    // The first adapter that reaches its gateway wins over later ones.
    network.adapters = {Adapter("eth0", true, {At("10.1.1.1", "255.255.255.0")}, "10.9.9.9"),
                        Adapter("eth1", true, {At("10.2.2.2", "255.255.255.0")}, "10.2.2.1"),
                        Adapter("eth2", true, {At("10.3.3.3", "255.255.255.0")}, "10.3.3.1")};
    EXPECT_EQ(GatewayFacingAddress(), QStringLiteral("10.2.2.2"));
}

TEST(VtGetNetInterfaceInfo, FillsAtMostTenRecordsWithFlags)
{
    FakeNetworkSource network;
    for (int i = 1; i <= 12; ++i)
        network.AddInterface(QStringLiteral("10.0.0.%1").arg(i), QStringLiteral("255.255.255.0"));
    network.interfaces[0].loopback = true;
    network.interfaces[1].up = false;
    network.interfaces[1].multicast = true;
    network.interfaces[2].pointToPoint = true;
    network.interfaces[2].broadcast = true;
    network.interfaces[3].address = QStringLiteral("255.255.255.255-too-long-for-a-slot");

    VtNetInterface records[kVtNetInterfaceCount + 1];
    std::memset(records, 0x5A, sizeof records);
    EXPECT_EQ(VtGetNetInterfaceInfo(records), 10);
    EXPECT_STREQ(records[0].address, "10.0.0.1");
    EXPECT_STREQ(records[0].reserved1, "0.0.0.0");
    EXPECT_STREQ(records[0].reserved2, "0.0.0.0");
    EXPECT_STREQ(records[0].netmask, "255.255.255.0");
    EXPECT_EQ(records[0].loopback, 1);
    EXPECT_EQ(records[1].up, 0);
    EXPECT_EQ(records[1].multicast, 1);
    EXPECT_EQ(records[2].pointToPoint, 1);
    EXPECT_EQ(records[2].broadcast, 1);
    EXPECT_EQ(std::strlen(records[3].address), 15u) << "cut to the slot, NUL-terminated";
    EXPECT_STREQ(records[9].address, "10.0.0.10");
    EXPECT_EQ(static_cast<unsigned char>(records[10].address[0]), 0x5A) << "wrote past ten records";
}

TEST(SystemNetworkSource, ReadsGatewaysAndAdapterTypes)
{
    const QString table = QStringLiteral(
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t0000A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
        "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
        "eth0\t00000000\t0201A8C0\t0003\t0\t0\t200\t00000000\t0\t0\t0\n"
        "wlan0\t00000000\t01000A0A\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
        "junk line\n");
    const auto gateways = SystemNetworkSource::DefaultGateways(table);
    ASSERT_EQ(gateways.size(), 2);
    EXPECT_EQ(gateways[0], qMakePair(QStringLiteral("eth0"), QStringLiteral("192.168.1.1")));
    EXPECT_EQ(gateways[1], qMakePair(QStringLiteral("wlan0"), QStringLiteral("10.10.0.1")));

    // A made-up /sys/class/net: a wired adapter, a wireless one that also says Ethernet,
    // and loopback.
    QTemporaryDir sys;
    auto makeAdapter = [&](const QString &name, const QByteArray &type, bool wireless) {
        QDir(sys.path()).mkpath(name + (wireless ? QStringLiteral("/wireless") : QString()));
        QFile file(sys.path() + u'/' + name + QStringLiteral("/type"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(type + "\n");
    };
    makeAdapter(QStringLiteral("eth0"), "1", false);
    makeAdapter(QStringLiteral("wlan0"), "1", true);
    makeAdapter(QStringLiteral("lo"), "772", false);
    QFile route(sys.path() + QStringLiteral("/route"));
    ASSERT_TRUE(route.open(QIODevice::WriteOnly));
    route.write(table.toLatin1());
    route.close();
    const SystemNetworkSource source(sys.path(), route.fileName());
    QMap<QString, NetworkAdapter> byName;
    for (const NetworkAdapter &adapter : source.Adapters())
        byName[adapter.name] = adapter;
    ASSERT_TRUE(byName.contains(QStringLiteral("eth0")));
    EXPECT_TRUE(byName[QStringLiteral("eth0")].ethernet);
    EXPECT_EQ(byName[QStringLiteral("eth0")].gateway, QStringLiteral("192.168.1.1"));
    EXPECT_FALSE(byName[QStringLiteral("wlan0")].ethernet);
    EXPECT_FALSE(byName[QStringLiteral("lo")].ethernet);
    // This machine's own loopback address shows up from getifaddrs under "lo".
    EXPECT_TRUE(std::any_of(byName[QStringLiteral("lo")].addresses.begin(), byName[QStringLiteral("lo")].addresses.end(),
                            [](const AddressAndMask &a) { return a.address == QStringLiteral("127.0.0.1"); }));
}
