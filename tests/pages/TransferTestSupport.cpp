#include "TransferTestSupport.h"

#include <QFile>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "DeviceReportedAddress.h"

namespace trb::test {

int FreeUdpPort()
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

namespace {

std::vector<std::string> SimulatorArgs(int port, std::vector<std::string> extra)
{
    std::vector<std::string> args{"--reboot-seconds", "1", "--tftp-port", std::to_string(port)};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

} // namespace

TransferPageTest::TransferPageTest(int port, std::vector<std::string> extraArgs)
    : PageTest(SimulatorArgs(port, std::move(extraArgs))), tftpPort(port)
{
}

void TransferPageTest::SetUp()
{
    PageTest::SetUp();
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    qputenv("TRB4820_TFTP_PORT", QByteArray::number(tftpPort));
}

void TransferPageTest::TearDown()
{
    trb::SetDeviceReportedAddress({}, {});
    qunsetenv("TRB4820_TFTP_PORT");
    qunsetenv("XDG_DATA_HOME");
    PageTest::TearDown();
}

void TransferPageTest::UseLoopback()
{
    trb::LocalInterfaceEntry loopback;
    loopback.address = "127.0.0.1";
    loopback.netmask = "255.0.0.0";
    loopback.up = loopback.loopback = true;
    network.interfaces = {loopback};
    trb::SetDeviceReportedAddress("127.0.0.1", "255.0.0.0");
}

QString TransferPageTest::WriteFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = files.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

} // namespace trb::test
