// trb4820-tftpd: the module's TFTP server on its own, for interoperability tests and for
// trying it by hand.
#include "Trb4820Version.h"
#include "VtTFTPServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void Log(VtTFTPMsg *message, bool &)
{
    static const char *const stages[] = {"start", "progress", "done", "failed"};
    std::fprintf(stderr, "%s %s %s %s %llu/%llu %s\n", stages[message->stage & 3],
                 message->upload ? "put" : "get", message->peer, message->fileName,
                 static_cast<unsigned long long>(message->bytes),
                 static_cast<unsigned long long>(message->total), message->error);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trb4820-tftpd"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRB4820_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves a directory over TFTP."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("root"), QStringLiteral("Directory to serve."), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("port"), QStringLiteral("UDP port (default 69, or TRB4820_TFTP_PORT)."),
                      QStringLiteral("N"), QStringLiteral("69")});
    parser.addOption({QStringLiteral("address"), QStringLiteral("Address to listen on (default all)."),
                      QStringLiteral("ADDR"), QStringLiteral("0.0.0.0")});
    parser.addOption({QStringLiteral("timeout"), QStringLiteral("Resend time-out in ms (default 3000)."),
                      QStringLiteral("MS"), QStringLiteral("3000")});
    parser.addOption({QStringLiteral("retries"), QStringLiteral("Resends before giving up (default 5)."),
                      QStringLiteral("N"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("verbose"), QStringLiteral("Log every transfer to standard error.")});
    parser.process(app);

    const QString root = parser.value(QStringLiteral("root"));
    bool portOk = false;
    const int port = parser.value(QStringLiteral("port")).toInt(&portOk);
    if (root.isEmpty() || !QDir(root).exists() || !portOk) {
        std::fprintf(stderr, "trb4820-tftpd: need --root DIR (an existing directory) and a numeric --port\n");
        return 2;
    }

    VtTFTPServer server;
    // On its own the server has no device to expect: it serves whatever is in its root.
    server.ServeWholeRoot();
    server.SetListenAddress(parser.value(QStringLiteral("address")));
    server.SetTimeout(parser.value(QStringLiteral("timeout")).toULong(), parser.value(QStringLiteral("retries")).toInt());
    if (parser.isSet(QStringLiteral("verbose")))
        server.SetTransferringMsgCallback(&Log);
    if (!server.Run(QDir(root).absolutePath(), port)) {
        std::fprintf(stderr, "trb4820-tftpd: %s\n", qPrintable(server.LastError()));
        return 1;
    }
    std::printf("listening on port %u\n", server.BoundPort());
    std::fflush(stdout);

    // SIGINT/SIGTERM end the event loop through a pipe, so the server stops cleanly.
    if (::pipe(signalPipe) != 0)
        return 1;
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    char byte;
    while (::read(signalPipe[0], &byte, 1) < 0 && errno == EINTR) {
    }
    server.Stop();
    return 0;
}
