#pragma once
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class QLabel;
class QMovie;
class QProgressBar;
class QStatusBar;

namespace trb {

// "Please Wait..." while the device works: a text, our own animation when its file is
// beside the program, and the elapsed time. Disables the main window while it lives;
// the user cannot close it.
class PleaseWaitDialog : public QDialog {
    Q_OBJECT
public:
    explicit PleaseWaitDialog(QWidget *page);
    ~PleaseWaitDialog() override;

    // True when the animation file was found; the caller then plays it.
    bool animationOpened() const;
    void PlayAnimation();
    void SetText(const QString &text);
    QString text() const;
    QString elapsedText() const;
    // A file transfer's progress under the text: file name, bytes moved of the total (0: not
    // known, the bar then only shows that it moves) and the rate (0: not known yet).
    void ShowProgress(const QString &fileName, quint64 bytes, quint64 total, double bytesPerSecond);
    // What the device says it is doing, under the progress.
    void ShowDevicePhase(const QString &phase);
    static QString ProgressText(const QString &fileName, quint64 bytes, quint64 total, double bytesPerSecond);

    // The dialog's own size; it grows taller when its text needs more lines.
    static constexpr int kWidth = 354;
    static constexpr int kMinimumHeight = 156;

    static QString ElapsedText(qint64 seconds);
    static QString AnimationPath();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override {}

private:
    void ShowElapsed();
    void FitHeight();

    QLabel *text_;
    QLabel *progressText_;
    QProgressBar *progressBar_;
    QLabel *phase_;
    QLabel *animation_;
    QStatusBar *statusBar_;
    QMovie *movie_ = nullptr;
    QElapsedTimer started_;
    QTimer tick_;
};

} // namespace trb
