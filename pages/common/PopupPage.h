#pragma once
#include <QPointer>
#include <QTimer>

#include <initializer_list>
#include <memory>
#include <vector>

#include "ChangeTracker.h"
#include "PleaseWaitDialog.h"
#include "SettingsPage.h"

class QLabel;
class QScrollArea;
class QStatusBar;

namespace trb {

class ScrollLayout;

// A settings page as a captioned window of its own: close and minimise boxes, no maximise
// box, a one-pane status bar, centred over the main window, deleted when closed.
class PopupPage : public SettingsPage {
    Q_OBJECT
public:
    explicit PopupPage(const QString &pageTitle, QWidget *parent = nullptr);
    ~PopupPage() override;

    // The page's controls go here; it scrolls when larger than the window.
    QWidget *content() const { return content_; }
    ScrollLayout &scrollLayout() { return *scrollLayout_; }
    QStatusBar *pageStatusBar() const { return statusBar_; }
    QString statusText() const;
    const QString &pageTitle() const { return pageTitle_; }

    void ShowMessage(const QString &text) override;
    // Into the main window's status bar and the page's own.
    void SetStatusText(const QString &text);

    static inline const char kReadingText[] = "Reading config from... ...";
    static inline const char kRefreshText[] = "Refresh gettings, Please wait...";

    // --- Services every page uses rather than writing its own ---

    // A refresh behind the wait dialog: disables `blocked` and the main window and shows the
    // dialog. It ends `endMs` (scaled) after the read completes, successfully or not, or, with
    // `timedFromStart`, that long after it began; then the library's last text stays in the
    // status bar. The blocked controls come back as soon as the read has completed.
    void BeginRefresh(int endMs, std::initializer_list<QWidget *> blocked = {}, bool timedFromStart = false);
    // BeginRefresh, then the read; a read the library refuses at once ends the refresh.
    int Refresh(int endMs, std::initializer_list<QWidget *> blocked = {});
    // The wait dialog with the caption "Please wait..." and this text (device commands).
    PleaseWaitDialog *OpenWaitDialog(const QString &text);
    void CloseWaitDialog();
    PleaseWaitDialog *waitDialog() const { return waitDialog_; }
    bool refreshing() const { return refreshing_; }

    // OK/Cancel question (exclamation icon); true for OK. Centred over the page when it is
    // shown, else over the main window.
    bool Confirm(const QString &question, const QString &title = QStringLiteral("Warning"));
    // A failed page check: the message under its own title with an OK button, then the focus
    // (and the text selected) on the field to mend. Always returns false, for `return Reject(...)`.
    bool RejectCheck(const QString &message, const QString &title, QWidget *focus);
    // A notice that stops nothing (application title, information icon).
    void Inform(const QString &text);
    // The window a message of this page is centred over.
    QWidget *messageParent();

    // Fits the scroll area to the content: its size hint, or what it can be squeezed to before the
    // page must scroll; never smaller than the window.
    void FitContent();
    void LayoutContent() override { FitContent(); }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // The content follows the visible area and its own controls' needs (a combo filled by a
    // read, a label given a longer text), not only the size it had when it was built.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void ReadCompleted(bool succeeded) override;
    // While a request of the page is on its way, nothing on the page can start another or
    // change what the answer will fill.
    void RequestsInFlightChanged() override;
    void WriteStarting() override;
    void WriteAnswered(int result) override;

private:
    void CentreOverMainWindow();
    void AttachToMainWindow();
    void EndRefresh();

    ChangeTracker changeTracker_{*this};
    QPointer<PleaseWaitDialog> waitDialog_;
    QTimer refreshEndTimer_;
    std::vector<QPointer<QWidget>> refreshBlocked_;
    int refreshEndMs_ = 0;
    bool refreshing_ = false;
    bool fitting_ = false;

    QString pageTitle_;
    QScrollArea *scrollArea_;
    QWidget *content_;
    QStatusBar *statusBar_;
    QLabel *statusPane_;
    std::unique_ptr<ScrollLayout> scrollLayout_;
};

} // namespace trb
