#include "TransferTestSupport.h"

#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "DeviceReportedAddress.h"
#include "FirmwareImage.h"

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

QByteArray FirmwareImageFile(const char *version, const char *model, bool languagePack)
{
    image::FirmwareImage image;
    image.kind = languagePack ? image::FirmwareImage::Kind::LanguagePack : image::FirmwareImage::Kind::Firmware;
    image.model = model;
    image.version = version;
    image.body = image::FirmwareImage::randomBody(200 * 1024, 7);
    const std::vector<uint8_t> bytes = image.encode();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray TestDataFile(const char *name)
{
    QFile file(QStringLiteral(TRB4820_SOURCE_DIR "/tests/pages/data/") + QLatin1String(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

namespace {

sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

DeviceUpload::DeviceUpload(int port, const char *name) : fd_(socket(AF_INET, SOCK_DGRAM, 0)), port_(port)
{
    const sockaddr_in local = Loopback(0);
    bind(fd_, reinterpret_cast<const sockaddr *>(&local), sizeof local);
    timeval wait{2, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    QByteArray request("\0\2", 2);
    request += name;
    request += QByteArray("\0octet\0", 7);
    const sockaddr_in server = Loopback(port);
    sendto(fd_, request.constData(), size_t(request.size()), 0, reinterpret_cast<const sockaddr *>(&server),
           sizeof server);
}

DeviceUpload::~DeviceUpload() { close(fd_); }

bool DeviceUpload::Acknowledged(int block)
{
    unsigned char packet[516];
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t got = recvfrom(fd_, packet, sizeof packet, 0, reinterpret_cast<sockaddr *>(&from), &length);
    if (got < 4 || packet[1] != 4 || (packet[2] << 8 | packet[3]) != block)
        return false;
    port_ = ntohs(from.sin_port); // the transfer's own port from now on
    return true;
}

void DeviceUpload::SendBlock(int block, const QByteArray &bytes)
{
    QByteArray data("\0\3", 2);
    data += char(block >> 8);
    data += char(block & 0xff);
    data += bytes;
    const sockaddr_in server = Loopback(port_);
    sendto(fd_, data.constData(), size_t(data.size()), 0, reinterpret_cast<const sockaddr *>(&server), sizeof server);
}

bool DeviceUpload::Put(int port, const char *name, const QByteArray &bytes)
{
    DeviceUpload upload(port, name);
    if (!upload.Acknowledged(0))
        return false;
    for (int block = 1;; ++block) {
        const QByteArray piece = bytes.mid((block - 1) * 512, 512);
        upload.SendBlock(block, piece);
        if (!upload.Acknowledged(block))
            return false;
        if (piece.size() < 512)
            return true;
    }
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
