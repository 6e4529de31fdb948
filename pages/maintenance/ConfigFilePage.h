#pragma once
#include "PopupPage.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace trb {

class FileTransfer;

// Maintenance > Configuration File: sends a saved configuration file to the device, and
// fetches the device's configuration into a local file. In FTP-server mode the upload path is
// typed and a remote name field is shown.
class ConfigFilePage : public PopupPage {
    Q_OBJECT
public:
    explicit ConfigFilePage(QWidget *parent = nullptr);
    ~ConfigFilePage() override;

    static inline const char kTitle[] = "Maintenance \\ Configuration File";
    // Chain states beyond the transfer kinds.
    static constexpr int kUploadCommandsSent = 9;
    static constexpr int kUploadFinished = 0;
    static constexpr int kDownloadCommandSent = -1;

    struct Controls {
        QLineEdit *uploadPath = nullptr;
        QPushButton *browse = nullptr;
        QPushButton *upload = nullptr;
        QLabel *downloadLabel = nullptr;
        QLineEdit *remoteName = nullptr;
        QPushButton *download = nullptr;
    };
    const Controls &controls() const { return c_; }
    int kind() const { return kind_; }
    FileTransfer &transfer() const { return *transfer_; }

    void Upload();
    void Download();
    void OnWriteDone(int result) override;

private:
    void BuildControls();
    void ApplyTransferMode();
    void Browse();
    void OnTimer(int id);
    void OnFileCrossed();
    void EndTransfer();
    QString UploadVerdict();
    QString DownloadVerdict() const;

    Controls c_;
    FileTransfer *transfer_;
    int kind_ = -1;
    int statusRetries_ = 0; // extra waits for a device still busy with the file
};

} // namespace trb
