#pragma once
// Page tests whose pages move files: the page's TFTP server and the simulator's client meet on
// a free loopback port, the PC's interfaces are made up by the test (loopback only, or none),
// and the per-user data folder is a temporary one.
#include <QByteArray>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "LocalNetworkSource.h"
#include "PageTestSupport.h"

namespace trb::test {

// A UDP port nobody listens on now.
int FreeUdpPort();

// A firmware image (or language pack) file of that version for that model, 200 KiB of body.
QByteArray FirmwareImageFile(const char *version, const char *model = "TRB-4820", bool languagePack = false);
// A file of tests/pages/data.
QByteArray TestDataFile(const char *name);

// The device's side of an upload to the page's server, played by the test from 127.0.0.1
// (the managed device's address): lock-step, 512-byte blocks.
class DeviceUpload {
public:
    // Sends the write request for `name` to the server on `port`.
    DeviceUpload(int port, const char *name);
    ~DeviceUpload();
    DeviceUpload(const DeviceUpload &) = delete;
    DeviceUpload &operator=(const DeviceUpload &) = delete;
    // Waits for the server's ACK of `block`; false on an error packet or silence.
    bool Acknowledged(int block);
    void SendBlock(int block, const QByteArray &bytes);
    // The whole upload; true when every block was acknowledged.
    static bool Put(int port, const char *name, const QByteArray &bytes);

private:
    int fd_;
    int port_;
};

// The PC's interfaces as a test gives them; none by default.
class MadeUpNetwork final : public trb::LocalNetworkSource {
public:
    MadeUpNetwork() { Install(this); }
    ~MadeUpNetwork() override { Install(nullptr); }
    QList<trb::LocalInterfaceEntry> Interfaces() const override { return interfaces; }
    QList<trb::NetworkAdapter> Adapters() const override { return {}; }
    QList<trb::LocalInterfaceEntry> interfaces;
};

class TransferPageTest : public PageTest {
protected:
    explicit TransferPageTest(int port = FreeUdpPort(), std::vector<std::string> extraArgs = {});
    void SetUp() override;
    void TearDown() override;
    // The PC has a loopback interface on the device's network: the device is told 127.0.0.1.
    void UseLoopback();
    // A file of these bytes in the test's folder; its path.
    QString WriteFile(const QString &name, const QByteArray &bytes) const;

    int tftpPort;
    QTemporaryDir dataHome;
    QTemporaryDir files;
    MadeUpNetwork network;
};

} // namespace trb::test
