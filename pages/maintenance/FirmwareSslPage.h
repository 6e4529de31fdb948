#pragma once
#include <QSize>

#include <array>

#include "PopupPage.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace trb {

class FileTransfer;

// Maintenance > Firmware and SSL: the running firmware version, and four files to send to the
// device (firmware image, SSL certificate then its key, language pack), each fetched by the
// device from this page's TFTP server and then applied by a chain of device commands.
class FirmwareSslPage : public PopupPage {
    Q_OBJECT
public:
    explicit FirmwareSslPage(QWidget *parent = nullptr);
    ~FirmwareSslPage() override;

    static inline const char kTitle[] = "Maintenance \\ Firmware and SSL";
    static constexpr QSize kTemplateSize{600, 270};
    enum Row { FirmwareRow, CertificateRow, KeyRow, LanguageRow, kRows };
    enum class Outcome { Unset, Succeeded, Failed };
    // Chain states beyond the transfer kinds.
    static constexpr int kCommandsSent = 9;
    static constexpr int kImageCommandSent = 10;
    static constexpr int kFinished = 272;

    struct Controls {
        QLabel *version = nullptr;
        std::array<QLineEdit *, kRows> path{};
        std::array<QPushButton *, kRows> browse{};
        std::array<QPushButton *, kRows> upload{};
    };
    const Controls &controls() const { return c_; }
    int kind() const { return kind_; }
    Outcome outcome() const { return outcome_; }
    FileTransfer &transfer() const { return *transfer_; }

    // The row's upload, as its button starts it.
    void Upload(Row row);

    void OnReadDone() override;
    void OnReadFailed() override;
    void OnWriteDone(int result) override;

private:
    void BuildControls();
    void Browse(Row row);
    void StartTimers();
    void CheckStatus();
    void RetryStatus();
    void SendFinish();
    void OnTimer(int id);
    void EndTransfer();
    void AbortTransfer();
    void ClearPaths();

    Controls c_;
    FileTransfer *transfer_;
    int kind_ = 0;
    Row row_ = FirmwareRow; // the row whose file is on its way
    bool statusPending_ = false;
    Outcome outcome_ = Outcome::Unset;
    char version_[40] = {};
};

} // namespace trb
