#pragma once
#include <QMainWindow>

#include "PageCatalog.h"

class QAction;
class QLabel;

namespace trb {

class PageHostView;
class PopupPage;

// The module's main window: fixed size, the menu, the status pane, and the pages it opens.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(const QString &deviceAddress, QWidget *parent = nullptr);
    ~MainFrame() override;

    static constexpr int kWidth = 498;
    static constexpr int kHeight = 222;

    // 1 while a page that runs long device operations was opened last.
    int pollAsync = 0;
    const QString &apModeName() const { return apModeName_; }
    const QString &secondModeText() const { return secondModeText_; }
    void SetApModeName(const QString &name, const QString &second);
    void SetStatusText(const QString &text);
    QString statusText() const;

    PopupPage *OpenPage(PageKind kind);
    void SaveAndActive();
    void DiscardChanges();
    void ShowAbout();

    PageHostView *view() const { return view_; }
    QAction *action(const QString &objectName) const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildMenus();
    QAction *AddEntry(QMenu *menu, const QString &text, const QString &name);
    // Runs a system command on a system page that is never shown.
    void RunHiddenSystemCommand(bool saveAndActivate);

    PageHostView *view_;
    QAction *arpAction_ = nullptr;
    QLabel *statusText_ = nullptr;
    QString apModeName_;
    QString secondModeText_;
};

} // namespace trb
