#pragma once
#include <QMainWindow>

#include "PageCatalog.h"

class QAction;
class QLabel;
class QPushButton;
class QTimer;

namespace trb {

class PageHostView;
class PopupPage;
class UpTimeWatch;

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
    // Configuration > Unsaved Changes...: the journal's list, and the command chosen there.
    void ShowUnsavedChanges();
    // "3 changes not saved" in the status bar, or why the journal was emptied; hidden otherwise.
    QPushButton *unsavedChangesButton() const { return unsavedButton_; }

    PageHostView *view() const { return view_; }
    QAction *action(const QString &objectName) const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildMenus();
    QAction *AddEntry(QMenu *menu, const QString &text, const QString &name);
    // Runs a system command on a system page that is never shown.
    void RunHiddenSystemCommand(bool saveAndActivate, bool confirmed = false);
    void ConnectChangeJournal();
    void ShowUnsavedCount();
    void ShowJournalCleared(const QString &reason);
    // With changes not saved: asks whether to save them first; false when the module stays open.
    bool MayClose();

    PageHostView *view_;
    QAction *arpAction_ = nullptr;
    QLabel *statusText_ = nullptr;
    QPushButton *unsavedButton_ = nullptr;
    QTimer *noticeTimer_ = nullptr;
    UpTimeWatch *upTimeWatch_ = nullptr;
    QString apModeName_;
    QString secondModeText_;
};

} // namespace trb
