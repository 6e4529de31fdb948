#pragma once
// One copy between a page's controls and its data: loading fills the controls, saving reads
// them back and runs the form checks. The first failed check ends the whole copy.
#include <QPointer>
#include <QString>

class QLineEdit;
class QWidget;

namespace trb {

class DataExchange {
public:
    enum Direction { Loading, Saving };

    explicit DataExchange(Direction direction) : direction_(direction) {}

    bool isSaving() const { return direction_ == Saving; }
    bool isLoading() const { return direction_ == Loading; }
    bool failed() const { return failed_; }
    // Form checks run only while saving and only until one has failed.
    bool checking() const { return isSaving() && !failed_; }
    // Exchanges stop after a failure, so nothing half-checked reaches the data.
    bool exchanging() const { return !failed_; }

    // The control exchanged last; a failing check points the user at it.
    void setLastControl(QWidget *control) { lastControl_ = control; }
    QWidget *lastControl() const { return lastControl_; }
    // The last control as a line edit (itself or its focus proxy), else nullptr.
    QLineEdit *lastLineEdit() const;

    // Shows the message (application title, exclamation icon), puts the focus on the last
    // control, selects its text if it is a line edit, and marks the copy failed.
    void fail(const QString &message);

private:
    Direction direction_;
    bool failed_ = false;
    QPointer<QWidget> lastControl_;
};

} // namespace trb
