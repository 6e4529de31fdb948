#include "VtTFTPServer.h"

#include "tftp/TftpServerCore.h"

#include <QDebug>

VtTFTPServer::VtTFTPServer(QObject *parent)
    : QObject(parent), core_(std::make_unique<tftp::TftpServerCore>())
{
    core_->SetReportFunction([this](const tftp::TransferReport &report) { return OnReport(report); });
    core_->RefuseEverything();
}

VtTFTPServer::~VtTFTPServer() { Stop(); }

void VtTFTPServer::SetTimeout(unsigned long timeout, int retries)
{
    timeoutMs_ = timeout;
    retries_ = retries;
    core_->SetTimeout(unsigned(qBound(1ul, timeout, 3600000ul)), retries);
}

void VtTFTPServer::SetTransferringMsgCallback(TransferringMsgCallback callback) { callback_ = callback; }

bool VtTFTPServer::OnReport(const tftp::TransferReport &report)
{
    using Stage = tftp::TransferReport::Stage;
    if (report.stage != Stage::Failed)
        emit progressed(QString::fromStdString(report.fileName), report.upload, report.bytes, report.total);
    if (report.stage == Stage::Completed || report.stage == Stage::Failed)
        emit transferFinished(QString::fromStdString(report.fileName), report.upload,
                              report.stage == Stage::Completed, QString::fromStdString(report.error));
    const TransferringMsgCallback callback = callback_;
    if (callback == nullptr)
        return true;
    VtTFTPMsg message{int(report.stage), report.upload, report.fileName.c_str(),
                      report.peer.c_str(), report.bytes, report.total, report.error.c_str()};
    bool keepGoing = true;
    callback(&message, keepGoing);
    return keepGoing;
}

void VtTFTPServer::Expect(const QString &peerAddress, const QString &fileName, bool upload)
{
    if (!core_->Expect(peerAddress.toStdString(), fileName.toStdString(), upload))
        qWarning().noquote() << "TFTP server: no valid device address" << peerAddress
                             << "to expect; every request will be refused";
}

void VtTFTPServer::ServeWholeRoot() { core_->ServeWholeRoot(); }

void VtTFTPServer::RefuseEverything() { core_->RefuseEverything(); }

int VtTFTPServer::EffectivePort(int requestedPort)
{
    if (requestedPort != kDefaultPort)
        return requestedPort;
    bool ok = false;
    const int overridden = qEnvironmentVariableIntValue("TRB4820_TFTP_PORT", &ok);
    return ok && overridden > 0 && overridden <= 65535 ? overridden : kDefaultPort;
}

bool VtTFTPServer::Run(const QString &rootDirectory, int port)
{
    core_->SetRoot(rootDirectory.toStdString());
    const int effectivePort = EffectivePort(port);
    if (core_->IsRunning() && effectivePort == runningPort_)
        return true;
    if (effectivePort < 0 || effectivePort > 65535) {
        lastError_ = QStringLiteral("Invalid TFTP port %1").arg(port);
    } else {
        std::string error;
        if (core_->Start(listenAddress_.toStdString(), std::uint16_t(effectivePort), error)) {
            runningPort_ = effectivePort;
            lastError_.clear();
            return true;
        }
        lastError_ = QString::fromStdString(error);
    }
    runningPort_ = -1;
    qWarning().noquote() << "TFTP server:" << lastError_;
    emit failed(lastError_);
    return false;
}

void VtTFTPServer::Stop()
{
    core_->Stop();
    runningPort_ = -1;
}

void VtTFTPServer::SetListenAddress(const QString &address) { listenAddress_ = address; }

bool VtTFTPServer::IsRunning() const { return core_->IsRunning(); }

quint16 VtTFTPServer::BoundPort() const { return core_->BoundPort(); }
