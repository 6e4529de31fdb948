#include "FaultMatrixSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include <cctype>
#include <cstdio>

#include "FormRows.h"
#include "MacAddressEdit.h"
#include "PopupPage.h"
#include "ProcessValues.h"

namespace trb::test {

const std::vector<FaultKind> kFaultKinds = {
    {"drop", "drop", kRetries + 1, true, true},
    {"late", "late 300", 1, false, false},
    // A write answered with wrong types was carried out: only its echo is odd.
    {"wrong-types", "wrong-types", kRetries + 1, true, false},
    {"genErr", "error genErr", 1, true, true},
    {"noAccess", "error noAccess", 1, true, true},
    {"wrongValue", "error wrongValue", 1, true, true},
    {"notWritable", "error notWritable", 1, true, true},
    {"commitFailed", "error commitFailed", 1, true, true},
};

namespace {

QString NameOf(const QWidget *widget)
{
    QString name;
    for (const QWidget *w = widget; w && !qobject_cast<const PopupPage *>(w); w = w->parentWidget())
        if (!w->objectName().isEmpty() && w->objectName() != QLatin1String("pageContent"))
            name = w->objectName() + (name.isEmpty() ? QString() : QStringLiteral("/") + name);
    return name;
}

// Whether the control shows something of this PC's (its clock), which no read of the device sets.
bool FromThisPc(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget())
        if (w->property(kFromThisPcProperty).toBool())
            return true;
    return false;
}

} // namespace

// Editable controls only: what a Save sends and a fresh page must show again.
Snapshot EditableValues(const PopupPage &page)
{
    Snapshot values;
    for (QWidget *widget : page.content()->findChildren<QWidget *>()) {
        const QString name = NameOf(widget);
        if (name.isEmpty() || FromThisPc(widget))
            continue;
        if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && !edit->isReadOnly())
            values[name] = edit->text();
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            values[name] = QString::number(combo->currentIndex()) + u' ' + combo->currentText();
        else if (auto *spin = qobject_cast<QSpinBox *>(widget))
            values[name] = QString::number(spin->value());
        else if (auto *box = qobject_cast<QAbstractButton *>(widget); box && box->isCheckable())
            values[name] = box->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
    }
    return values;
}

void RetypeEditableValues(const PopupPage &page, const Snapshot &values)
{
    // Twice: a choice may enable the controls after it.
    for (int pass = 0; pass < 2; ++pass) {
        for (QWidget *widget : page.content()->findChildren<QWidget *>()) {
            const auto wanted = values.find(NameOf(widget));
            if (wanted == values.end() || !widget->isEnabled())
                continue;
            const QString &value = wanted->second;
            if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && !edit->isReadOnly() && edit->text() != value) {
                if (auto *mac = qobject_cast<MacAddressEdit *>(edit))
                    mac->setText(value); // its own parsing, as typing would
                else
                    edit->setText(value);
                emit edit->textEdited(value);
            } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
                const int index = value.section(u' ', 0, 0).toInt();
                if (combo->currentIndex() != index) {
                    combo->setCurrentIndex(index);
                    emit combo->activated(index);
                }
            } else if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
                spin->setValue(value.toInt());
            } else if (auto *box = qobject_cast<QAbstractButton *>(widget);
                       box && box->isCheckable() && box->isChecked() != (value == QLatin1String("on"))) {
                box->click();
            }
        }
    }
}

// Everything shown: the editable values, read-only texts and every list's cells.
Snapshot ShownValues(const PopupPage &page)
{
    Snapshot values = EditableValues(page);
    for (QWidget *widget : page.content()->findChildren<QWidget *>()) {
        const QString name = NameOf(widget);
        if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && edit->isReadOnly())
            values[name] = edit->text();
        auto *view = qobject_cast<QAbstractItemView *>(widget);
        if (!view || !view->model() || name.isEmpty())
            continue;
        const QAbstractItemModel &model = *view->model();
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column)
                values[name + QStringLiteral("[%1,%2]").arg(row).arg(column)] = model.index(row, column).data().toString();
    }
    return values;
}

std::string Differences(const Snapshot &expected, const Snapshot &actual)
{
    std::string text;
    for (const auto &[name, value] : expected) {
        auto it = actual.find(name);
        const QString other = it == actual.end() ? QStringLiteral("<missing>") : it->second;
        if (other != value)
            text += "  " + name.toStdString() + ": \"" + value.toStdString() + "\" -> \"" + other.toStdString() + "\"\n";
    }
    return text;
}

bool ShowsSuccess(const QString &status) { return status.contains(QLatin1String(" OK.")); }

QList<QPushButton *> ButtonsNamed(const PopupPage &page, const QString &text)
{
    QList<QPushButton *> buttons;
    for (QPushButton *button : page.content()->findChildren<QPushButton *>())
        if (button->text() == text && !button->objectName().isEmpty())
            buttons.append(button);
    return buttons;
}

// Only what the device's lists hold: every list's cells.
Snapshot ListCells(const Snapshot &shown)
{
    Snapshot cells;
    for (const auto &[name, value] : shown)
        if (name.endsWith(u']'))
            cells[name] = value;
    return cells;
}

// Brings every tab that holds `widget` to the front, as a user would to reach it.
void ShowTabsOf(QWidget *widget)
{
    for (QWidget *w = widget; w && w->parentWidget(); w = w->parentWidget())
        if (auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget()))
            if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
                tabs->setCurrentWidget(w);
}

void MatrixRow::Write(const char *part) const
{
    QDir().mkpath(QStringLiteral(TRB4820_MATRIX_DIR));
    QFile file(QStringLiteral(TRB4820_MATRIX_DIR "/%1-%2.row").arg(part, caption).replace(u'\\', u'_').replace(u' ', u'_'));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QStringList tried;
    for (const std::string &action : actions)
        tried << QString::fromStdString(action);
    file.write(QStringLiteral("%1\t%2\t%3\t%4/%5\t%6\n")
                   .arg(caption, QLatin1String(part), tried.join(QStringLiteral(", ")))
                   .arg(held)
                   .arg(cases)
                   .arg(skipped.isEmpty() ? QStringLiteral("-") : skipped.join(QStringLiteral("; ")))
                   .toUtf8());
}

std::string PageName(const ::testing::TestParamInfo<int> &info)
{
    std::string name = PageCommands()[size_t(info.param)].entry;
    std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    return name;
}


void FaultMatrix::SetUp()
{
    TransferPageTest::SetUp();
    ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", kTimeoutUnits, simulator->address().c_str(), kRetries), 0);
    row.caption = QString::fromLatin1(command().title);
}

void FaultMatrix::TearDown()
{
    row.Write(part);
    TransferPageTest::TearDown();
}

Counts FaultMatrix::DeviceCounts()
{
    Counts counts;
    std::sscanf(simulator->control("counts").c_str(), "ok gets %d sets %d faults %d", &counts.gets, &counts.sets,
                &counts.faults);
    return counts;
}

void FaultMatrix::Plan(const std::string &line) { ASSERT_EQ(simulator->control(line), "ok") << line; }

PopupPage *FaultMatrix::Open()
{
    PopupPage *page = CreatePage(command().kind);
    if (!command().size.isEmpty())
        page->resize(command().size);
    page->show();
    Settle(page);
    // A few pages keep the main window disabled while they are open, by design.
    mainEnabledWhileOpen = mainWindow->isEnabled();
    return page;
}

bool FaultMatrix::Settled(const PopupPage *page)
{
    return !page->waitDialog() && !page->refreshing() && page->RequestsInFlight() == 0;
}

bool FaultMatrix::Settle(PopupPage *page)
{
    for (int round = 0; round < 2; ++round) {
        if (!WaitFor([page] { return Settled(page); }, 8000))
            return false;
        Spin(50);
    }
    return Settled(page);
}

bool FaultMatrix::LoadFilledLists()
{
    const bool loaded = LoadSavedConfiguration("long-rows.state");
    EXPECT_TRUE(loaded) << simulator->error();
    return loaded && SnmpSet("trbRadioMultiSsid.1", 'i', "1");
}

bool FaultMatrix::WaitsEnded(PopupPage *page, const std::string &where)
{
    const bool settled = Settle(page);
    EXPECT_TRUE(settled) << where << ": the wait never ended";
    const bool mainAsOpened = mainWindow->isEnabled() == mainEnabledWhileOpen;
    EXPECT_TRUE(mainAsOpened) << where << ": the main window stays disabled";
    EXPECT_TRUE(page->content()->isEnabled()) << where << ": the page stays disabled";
    EXPECT_EQ(transferInProgress, 0) << where << ": the status poll stays off";
    return settled && mainAsOpened && page->content()->isEnabled() && transferInProgress == 0;
}

bool FaultMatrix::FailureShown(PopupPage *page, const std::string &where, qsizetype boxesBefore)
{
    bool held = !ShowsSuccess(page->statusText());
    EXPECT_TRUE(held) << where << ": the status bar says \"" << page->statusText().toStdString() << "\"";
    for (qsizetype i = boxesBefore; i < messages->count(); ++i) {
        const bool success = SaysSuccess(i);
        EXPECT_FALSE(success) << where << ": a notice after the failure: " << messages->shown()[i].text.toStdString();
        held = held && !success;
    }
    return held;
}

bool FaultMatrix::SaysSuccess(qsizetype box) const
{
    const auto &shown = messages->shown()[box];
    return shown.icon == MessageIcon::Information || shown.text.contains(QLatin1String("success"), Qt::CaseInsensitive);
}

bool FaultMatrix::SuccessNoticed(qsizetype boxesBefore) const
{
    for (qsizetype i = boxesBefore; i < messages->count(); ++i)
        if (SaysSuccess(i))
            return true;
    return false;
}

int FaultMatrix::PressSave(PopupPage *page, QPushButton *save)
{
    const int before = DeviceCounts().sets;
    save->click();
    Settle(page);
    return DeviceCounts().sets - before;
}

int FaultMatrix::PressSaves(PopupPage *page)
{
    int sets = 0;
    for (QPushButton *save : ButtonsNamed(*page, QStringLiteral("Save")))
        sets += PressSave(page, save);
    return sets;
}

bool FaultMatrix::DeviceHoldsWhatPageShows(PopupPage *page, const std::string &where)
{
    PageHolder fresh(Open());
    const std::string diff = Differences(EditableValues(*page), EditableValues(*fresh.get()));
    EXPECT_EQ(diff, "") << where << ": the device holds other values than the page shows:\n" << diff;
    return diff.empty();
}

void FaultMatrix::Count(bool held, const std::string &action)
{
    row.actions.insert(action);
    ++row.cases;
    row.held += held ? 1 : 0;
}

} // namespace trb::test
