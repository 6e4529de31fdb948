#include "FormRows.h"

#include <QComboBox>

#include <algorithm>
#include <vector>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "IpAddressEdit.h"

namespace trb {

namespace {
constexpr char kFormGridProperty[] = "formRowsGrid";
// Between a label and its field, beyond the grid's own spacing (which rows nested in the form
// inherit, so it stays as the style has it).
constexpr int kLabelGap = 6;
} // namespace

FormRows::FormRows(QGridLayout *grid) : grid_(grid)
{
    grid_->setProperty(kFormGridProperty, true);
}

namespace {

// In a form with a unit column ("(Seconds)"), a field without a unit spans it, so that the
// form's fields share one right edge.
void SpanUnitColumn(QGridLayout *grid)
{
    bool hasUnits = false;
    for (int row = 0; row < grid->rowCount(); ++row)
        if (QLayoutItem *unit = grid->itemAtPosition(row, 2); unit && unit != grid->itemAtPosition(row, 1))
            hasUnits = true;
    for (int row = 0; hasUnits && row < grid->rowCount(); ++row) {
        QLayoutItem *field = grid->itemAtPosition(row, 1);
        if (!field || !field->widget() || grid->itemAtPosition(row, 2))
            continue;
        int at = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(field), &at, &column, &rows, &columns);
        if (column != 1 || rows != 1 || columns != 1)
            continue;
        QWidget *widget = field->widget();
        const Qt::Alignment alignment = field->alignment();
        grid->removeWidget(widget);
        grid->addWidget(widget, row, 1, 1, 2, alignment);
    }
}

} // namespace

void LineUpFieldColumns(QWidget *root)
{
    struct Form {
        QGridLayout *grid;
        int left;  // of its label column, from root's left edge
        int label; // widest label shown
    };
    if (root->layout())
        root->layout()->activate(); // where each box sits now
    std::vector<Form> forms;
    int fieldsAt = 0;
    for (QGridLayout *grid : root->findChildren<QGridLayout *>()) {
        QWidget *owner = grid->parentWidget();
        if (!grid->property(kFormGridProperty).toBool() || !owner || !owner->isVisibleTo(root))
            continue;
        Form form{grid, owner->mapTo(root, QPoint(grid->geometry().left() + grid->contentsMargins().left(), 0)).x(), 0};
        for (int row = 0; row < grid->rowCount(); ++row) {
            QLayoutItem *item = grid->itemAtPosition(row, 0);
            QWidget *label = item ? item->widget() : nullptr;
            if (qobject_cast<QLabel *>(label) && label->isVisibleTo(root) && grid->itemAtPosition(row, 1) != item)
                form.label = std::max(form.label, label->sizeHint().width());
        }
        SpanUnitColumn(grid);
        fieldsAt = std::max(fieldsAt, form.left + form.label);
        forms.push_back(form);
    }
    for (const Form &form : forms) {
        const int width = fieldsAt - form.left;
        if (form.grid->columnMinimumWidth(0) != width) // an equal value would lay out again for nothing
            form.grid->setColumnMinimumWidth(0, width);
    }
}

FormRows FormRows::On(QWidget *parent)
{
    auto *grid = new QGridLayout(parent);
    grid->setColumnStretch(1, 1);
    return FormRows(grid);
}

// An empty QGridLayout still reports one row.
int FormRows::NextRow() const { return grid_->count() == 0 ? 0 : grid_->rowCount(); }

void FormRows::AddRow(const QString &label, QWidget *control, const QString &objectName)
{
    const int row = NextRow();
    lastLabel_ = new QLabel(label);
    lastLabel_->setContentsMargins(0, 0, kLabelGap, 0);
    lastLabel_->setBuddy(control);
    if (auto *ip = qobject_cast<IpAddressEdit *>(control))
        ip->setFieldName(objectName, label.trimmed()); // its octet boxes are named after it
    else {
        control->setObjectName(objectName);
        control->setAccessibleName(label.trimmed());
    }
    grid_->addWidget(lastLabel_, row, 0);
    grid_->addWidget(control, row, 1);
}

QLabel *FormRows::AddValue(const QString &label, const QString &objectName, const QString &initial)
{
    auto *value = new QLabel(initial);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    AddRow(label, value, objectName);
    return value;
}

void FormRows::AddSpanning(QWidget *control, const QString &objectName)
{
    control->setObjectName(objectName);
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(objectName);
    grid_->addWidget(control, NextRow(), 0, 1, 2);
}

QHBoxLayout *ButtonRow(std::initializer_list<QWidget *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget *button : buttons)
        row->addWidget(button);
    return row;
}

QLineEdit *LimitedEdit(int maxLength)
{
    auto *edit = new QLineEdit;
    edit->setMaxLength(maxLength);
    return edit;
}

QLabel *SectionHeading(const QString &text, const QString &objectName)
{
    auto *label = new QLabel(text);
    label->setObjectName(objectName);
    label->setAutoFillBackground(true);
    QPalette grey = label->palette();
    grey.setColor(QPalette::Window, QColor(200, 200, 200));
    label->setPalette(grey);
    label->setContentsMargins(6, 3, 6, 3);
    return label;
}

QPushButton *PageButton(const QString &text, const QString &objectName)
{
    auto *button = Named(new QPushButton(text), objectName, text);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QComboBox *ComboOf(const QStringList &entries)
{
    auto *combo = new QComboBox;
    combo->addItems(entries);
    return combo;
}

QStringList EntriesOf(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

void SelectText(QComboBox *combo, const QString &text) { combo->setCurrentIndex(std::max(0, combo->findText(text))); }

void ReplaceEntries(QComboBox *combo, const QStringList &entries)
{
    const QString previous = combo->currentText();
    combo->clear();
    combo->addItems(entries);
    SelectText(combo, previous);
}

void SetEnabled(std::initializer_list<QWidget *> controls, bool enabled)
{
    for (QWidget *control : controls)
        if (control)
            control->setEnabled(enabled);
}

void SetVisible(std::initializer_list<QWidget *> controls, bool visible)
{
    for (QWidget *control : controls)
        if (control)
            control->setVisible(visible);
}

} // namespace trb
