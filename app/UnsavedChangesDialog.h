#pragma once
#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace trb {

class ChangeJournal;

// Configuration > Unsaved Changes...: what the device holds only until its next restart,
// grouped by page, with the two commands that end that state.
class UnsavedChangesDialog : public QDialog {
    Q_OBJECT
public:
    explicit UnsavedChangesDialog(const ChangeJournal &journal, QWidget *parent = nullptr);

    static inline const char kTitle[] = "Unsaved Changes";
    // The command the user chose; the dialog closes first, so the command's own questions and
    // wait dialog stand over the main window.
    enum class Choice { None, SaveAndActive, Discard };
    Choice choice() const { return choice_; }

    QTreeWidget *list() const { return list_; }

private:
    void Fill(const ChangeJournal &journal);
    void Choose(Choice choice);

    QTreeWidget *list_;
    QPushButton *save_;
    QPushButton *discard_;
    Choice choice_ = Choice::None;
};

} // namespace trb
