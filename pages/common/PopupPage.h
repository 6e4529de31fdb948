#pragma once
#include <memory>

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

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CentreOverMainWindow();

    QString pageTitle_;
    QScrollArea *scrollArea_;
    QWidget *content_;
    QStatusBar *statusBar_;
    QLabel *statusPane_;
    std::unique_ptr<ScrollLayout> scrollLayout_;
};

} // namespace trb
