#include "ShownSettings.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <algorithm>

#include "FormRows.h"
#include "IpAddressEdit.h"
#include "ListCopy.h"
#include "RetypedEdit.h"

namespace trb {
namespace {

QString PathBelow(const QWidget &page, const QWidget *widget)
{
    QStringList names;
    for (const QWidget *at = widget; at && at != &page; at = at->parentWidget())
        names.prepend(at->objectName());
    return names.join(u'/');
}

template <typename Ancestor> bool Inside(const QWidget *widget)
{
    for (const QWidget *at = widget->parentWidget(); at; at = at->parentWidget())
        if (qobject_cast<const Ancestor *>(at))
            return true;
    return false;
}

bool FromThisPc(const QWidget *widget)
{
    for (const QWidget *at = widget; at; at = at->parentWidget())
        if (at->property(kFromThisPcProperty).toBool())
            return true;
    return false;
}

bool IsSecret(const QLineEdit *edit, const QString &label)
{
    return edit->echoMode() != QLineEdit::Normal || dynamic_cast<const RetypedEdit *>(edit)
        || label.contains(QLatin1String("pass"), Qt::CaseInsensitive)
        || label.contains(QLatin1String("secret"), Qt::CaseInsensitive);
}

QString RowText(QString row)
{
    return row.replace(u'\t', QLatin1String(" | "));
}

} // namespace

ShownSettings ShownSettings::Of(const QWidget &page)
{
    ShownSettings shown;
    for (QWidget *widget : page.findChildren<QWidget *>())
        if (widget->window() == &page && !FromThisPc(widget))
            shown.Take(page, widget);
    QList<const QWidget *> rowForms;
    for (QPushButton *button : page.findChildren<QPushButton *>())
        if (button->property(kWritesEditedRowProperty).toBool() && button->parentWidget())
            rowForms << button->parentWidget();
    for (const QWidget *form : rowForms)
        for (QWidget *widget : form->findChildren<QWidget *>())
            if (auto field = shown.fields_.find(PathBelow(page, widget)); field != shown.fields_.end())
                field->editsRows = true;
    return shown;
}

void ShownSettings::Take(const QWidget &page, QWidget *widget)
{
    if (auto *list = qobject_cast<QTableView *>(widget)) {
        QStringList rows = ListCopy::Text(*list, {}, ListCopy::Format::Tabs).split(QLatin1String("\r\n"), Qt::SkipEmptyParts);
        if (!rows.isEmpty())
            rows.removeFirst(); // the header line
        const QString label = list->accessibleName().isEmpty() ? list->objectName() : list->accessibleName();
        lists_.insert(PathBelow(page, list), {label, rows});
        return;
    }
    Field field;
    QWidget *keyed = widget;
    if (auto *ip = qobject_cast<IpAddressEdit *>(widget)) {
        field.value = ip->text();
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        if (Inside<IpAddressEdit>(edit) || Inside<QComboBox>(edit) || Inside<QAbstractSpinBox>(edit))
            return;
        field.value = edit->text();
        field.secret = IsSecret(edit, edit->accessibleName());
        if (field.secret && edit->accessibleName().startsWith(QLatin1String("Confirm")))
            return; // the same secret typed again
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        field.value = combo->currentText();
    } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(widget)) {
        field.value = spin->text();
    } else if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
        if (!radio->isChecked() || !radio->parentWidget())
            return;
        keyed = radio->parentWidget(); // a pair of choices is one setting: the one chosen
        field.value = radio->text().trimmed();
    } else if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        field.value = check->isChecked() ? QStringLiteral("checked") : QStringLiteral("not checked");
        field.label = check->text();
    } else {
        return;
    }
    if (field.label.isEmpty())
        field.label = keyed->accessibleName();
    field.label = field.label.trimmed().remove(u'&');
    if (field.label.isEmpty())
        return; // not a setting the page names
    QString key = PathBelow(page, keyed);
    for (int n = 2; fields_.contains(key); ++n)
        key = PathBelow(page, keyed) + u'#' + QString::number(n);
    fields_.insert(key, field);
}

QList<ChangeJournal::Entry> ShownSettings::FieldChangesSince(const ShownSettings &before, const QString &pageTitle,
                                                             const QDateTime &time, bool rowEditors) const
{
    QList<ChangeJournal::Entry> changes;
    for (auto field = fields_.begin(); field != fields_.end(); ++field) {
        const auto old = before.fields_.find(field.key());
        if (old == before.fields_.end() || old->value == field->value)
            continue;
        if (!rowEditors && field->editsRows)
            continue;
        const bool secret = field->secret || old->secret;
        changes.append({pageTitle, field->label, secret ? QString() : old->value,
                        secret ? QString::fromLatin1(ChangeJournal::kSecretText) : field->value, time});
    }
    return changes;
}

QList<ChangeJournal::Entry> ShownSettings::RowChangesSince(const ShownSettings &before, const QString &pageTitle,
                                                           const QDateTime &time) const
{
    QList<ChangeJournal::Entry> changes;
    for (auto list = lists_.begin(); list != lists_.end(); ++list) {
        const auto earlier = before.lists_.find(list.key());
        if (earlier == before.lists_.end())
            continue;
        const QStringList &old = earlier->rows;
        QStringList lost, gained;
        for (const QString &row : old)
            if (!list->rows.contains(row))
                lost << RowText(row);
        for (const QString &row : list->rows)
            if (!old.contains(row))
                gained << RowText(row);
        for (qsizetype i = 0; i < std::max(lost.size(), gained.size()); ++i)
            changes.append({pageTitle, list->label, lost.value(i), gained.value(i), time});
    }
    return changes;
}

} // namespace trb
