#pragma once
// The module's TFTP server. Serves from a thread of its own; Run returns at once and may be
// called again on a running server to point later requests at another directory.
#include "VtTFTPMsg.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

namespace tftp {
class TftpServerCore;
struct TransferReport;
}

class VtTFTPServer : public QObject {
    Q_OBJECT
public:
    using TransferringMsgCallback = void (*)(VtTFTPMsg *, bool &);

    static constexpr int kDefaultPort = 69;

    explicit VtTFTPServer(QObject *parent = nullptr);
    ~VtTFTPServer() override;

    // timeout in milliseconds before a packet is sent again; retries before giving up.
    void SetTimeout(unsigned long timeout, int retries);
    // Called on the server's thread for every stage of every transfer. Setting the flag to
    // false cancels that transfer.
    void SetTransferringMsgCallback(TransferringMsgCallback callback);
    // Serves rootDirectory on port (69 by default, TRB4820_TFTP_PORT overrides 69). Returns
    // false, with LastError() and the failed() signal, when the port cannot be bound.
    bool Run(const QString &rootDirectory, int port = kDefaultPort);
    void Stop();

    // What the server admits. It starts refusing every request: the module's pages name the one
    // request of the transfer in progress and refuse everything again once it is over. A server
    // of its own (trb4820-tftpd) serves its whole root instead. Each change ends the transfers
    // taken before it: an upload among them is discarded, never put in place.
    void ServeWholeRoot();
    // Only the device at peerAddress (IPv4 text, no port) reading fileName (upload = false) or
    // writing it (upload = true); other requests get a TFTP error. Holds until replaced, so the
    // device may retry.
    void Expect(const QString &peerAddress, const QString &fileName, bool upload);
    // Every request gets a TFTP error; nothing is served or written.
    void RefuseEverything();

    // Address to listen on; the default is every local address.
    void SetListenAddress(const QString &address);
    bool IsRunning() const;
    quint16 BoundPort() const;
    QString LastError() const { return lastError_; }

    // The port Run will use for a requested one.
    static int EffectivePort(int requestedPort);

signals:
    void failed(const QString &message);
    // Bytes of a transfer moved so far (total 0 when unknown): at its start, every 64 KiB and at
    // its end. From the server's thread, like transferFinished.
    void progressed(const QString &fileName, bool upload, quint64 bytes, quint64 total);
    // A transfer ended: complete when the whole file crossed. Emitted from the server's
    // thread, so receivers on other threads get it queued.
    void transferFinished(const QString &fileName, bool upload, bool complete, const QString &error);

private:
    bool OnReport(const tftp::TransferReport &report);

    std::unique_ptr<tftp::TftpServerCore> core_;
    QString listenAddress_ = QStringLiteral("0.0.0.0");
    QString lastError_;
    int runningPort_ = -1;
    unsigned long timeoutMs_ = 3000;
    int retries_ = 5;
    std::atomic<TransferringMsgCallback> callback_ = nullptr;
};
