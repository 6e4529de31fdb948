#pragma once
// Builds a form one "label  control" row at a time, naming each control for tests and for
// assistive tools, so no page repeats that wiring.
#include <QString>
#include <QStringList>

#include <initializer_list>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace trb {

class FormRows {
public:
    // Rows go into `grid`, from its current last row on; column 0 labels, column 1 controls.
    explicit FormRows(QGridLayout *grid);
    // A grid of its own on `parent` (a group box or panel).
    static FormRows On(QWidget *parent);

    // Adds the row and returns the control: its objectName is `objectName`, its accessible
    // name the label without surrounding blanks (an IP address field's octet boxes are named
    // after it), and the label is its buddy.
    template <typename Control>
    Control *Add(const QString &label, Control *control, const QString &objectName)
    {
        AddRow(label, control, objectName);
        return control;
    }
    // A read-only, selectable value label.
    QLabel *AddValue(const QString &label, const QString &objectName, const QString &initial = {});
    // A control that spans both columns (a check box, a button row).
    template <typename Control>
    Control *AddWide(Control *control, const QString &objectName)
    {
        AddSpanning(control, objectName);
        return control;
    }

    QGridLayout *grid() const { return grid_; }
    // The label of the last row added.
    QLabel *lastLabel() const { return lastLabel_; }

private:
    void AddRow(const QString &label, QWidget *control, const QString &objectName);
    void AddSpanning(QWidget *control, const QString &objectName);
    int NextRow() const;

    QGridLayout *grid_;
    QLabel *lastLabel_ = nullptr;
};

// Names a control that is not in a form row (buttons, lists).
template <typename Control>
Control *Named(Control *control, const QString &objectName, const QString &accessibleName)
{
    control->setObjectName(objectName);
    control->setAccessibleName(accessibleName);
    return control;
}

// Set on a control (or a row of them) whose value comes from this PC, not from the device: what
// it shows is not what the device holds, and a fresh page shows it anew.
inline constexpr char kFromThisPcProperty[] = "filledFromThisPc";
// Set on the button that writes the form's row into a list: the row an Edit icon loaded, or a
// new one.
inline constexpr char kWritesEditedRowProperty[] = "writesEditedRow";

// A full-width section heading on the grey band the device's pages draw headings on.
QLabel *SectionHeading(const QString &text, const QString &objectName = {});

// Lines up the forms under `root` (those FormRows built and that are shown): each one's fields
// start at the same distance from root's left edge, however deep its box sits, so that one
// page has one column of fields; in a form with a unit column, fields without a unit span it.
// Call it again when forms are shown or hidden.
void LineUpFieldColumns(QWidget *root);

// A row of buttons at its right end, as the device's pages place them.
QHBoxLayout *ButtonRow(std::initializer_list<QWidget *> buttons);

// A text field that takes at most `maxLength` characters.
QLineEdit *LimitedEdit(int maxLength);

// A push button that never acts as the page's default button (Enter never applies a page).
QPushButton *PageButton(const QString &text, const QString &objectName);

// A drop-down holding `entries`, the first one selected.
QComboBox *ComboOf(const QStringList &entries);
QStringList EntriesOf(const QComboBox *combo);
// Selects `text`, or the first entry when the list does not hold it.
void SelectText(QComboBox *combo, const QString &text);
// New entries; the previous choice is selected again by its text (the first entry when it is gone).
void ReplaceEntries(QComboBox *combo, const QStringList &entries);

void SetEnabled(std::initializer_list<QWidget *> controls, bool enabled);
void SetVisible(std::initializer_list<QWidget *> controls, bool visible);

} // namespace trb
