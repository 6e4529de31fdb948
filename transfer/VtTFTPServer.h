#pragma once
// The module's TFTP server. Serves from a thread of its own; Run returns at once and may be
// called again on a running server to point later requests at another directory.
#include "VtTFTPMsg.h"

#include <QObject>
#include <QString>
#include <memory>

namespace tftp {
class TftpServerCore;
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

    // Address to listen on; the default is every local address.
    void SetListenAddress(const QString &address);
    bool IsRunning() const;
    quint16 BoundPort() const;
    QString LastError() const { return lastError_; }

    // The port Run will use for a requested one.
    static int EffectivePort(int requestedPort);

signals:
    void failed(const QString &message);

private:
    std::unique_ptr<tftp::TftpServerCore> core_;
    QString listenAddress_ = QStringLiteral("0.0.0.0");
    QString lastError_;
    int runningPort_ = -1;
    unsigned long timeoutMs_ = 3000;
    int retries_ = 5;
    TransferringMsgCallback callback_ = nullptr;
};
