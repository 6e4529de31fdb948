// Every page of the catalogue, at its own size, filled from a device whose lists hold long but
// valid rows, tab by tab: no text cut off, no combo entry too wide for its combo, no column
// narrower than its title or its cells, no list squeezed while the page has room, no sideways
// scrolling of the page, no control over another or outside its box. Findings name page,
// control and text; each page leaves a row for the table the test command prints.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextDocument>
#include <QTreeView>

#include <cctype>
#include <map>
#include <set>

#include "ListCopy.h"
#include "PageCatalog.h"
#include "PageTestSupport.h"
#include "PleaseWaitDialog.h"
#include "PopupPage.h"
#include "ScrollLayout.h"

using namespace trb;
using namespace trb::test;

namespace {

// What the user reads: mnemonics gone, rich text as plain.
QString Shown(const QString &text, Qt::TextFormat format = Qt::PlainText)
{
    if (format != Qt::PlainText && Qt::mightBeRichText(text)) {
        QTextDocument document;
        document.setHtml(text);
        return document.toPlainText();
    }
    QString shown = text;
    shown.replace(QLatin1String("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
    return shown;
}

int WidestLine(const QFontMetrics &metrics, const QString &text)
{
    int widest = 0;
    for (QString line : text.split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line.remove(u'\r')));
    return widest;
}

// Parts of composite controls (a combo's line edit, a list's viewport, a tab bar's arrows) are
// laid out by the control itself.
bool InsideComposite(const QWidget *widget, const QWidget *page)
{
    for (const QWidget *w = widget->parentWidget(); w && w != page; w = w->parentWidget())
        if (qobject_cast<const QAbstractItemView *>(w) || qobject_cast<const QComboBox *>(w)
            || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QTabBar *>(w)
            || qobject_cast<const QScrollBar *>(w) || qobject_cast<const QLineEdit *>(w))
            return true;
    return false;
}

class Findings {
public:
    Findings(const PopupPage &page) : page_(page) {}

    void Add(const QWidget *control, const QString &text, const QString &problem)
    {
        QString name;
        for (const QWidget *w = control; w && w != &page_; w = w->parentWidget())
            if (!w->objectName().isEmpty() && w->objectName() != QLatin1String("pageContent")
                && !w->objectName().startsWith(QLatin1String("qt_")))
                name = w->objectName() + (name.isEmpty() ? QString() : u'/' + name);
        if (name.isEmpty())
            name = QString::fromLatin1(control->metaObject()->className());
        lines_.insert(QStringLiteral("%1: \"%2\" %3").arg(name, text, problem).toStdString());
    }
    const std::set<std::string> &lines() const { return lines_; }
    // The most rows seen in each list, to show that lists were looked at full.
    void SeenRows(const QWidget *list, int rows) { rows_[list->objectName()] = std::max(rows_[list->objectName()], rows); }
    QString RowsSeen() const
    {
        QStringList seen;
        for (const auto &[name, rows] : rows_)
            seen << QStringLiteral("%1 %2").arg(name).arg(rows);
        return seen.isEmpty() ? QStringLiteral("-") : seen.join(QStringLiteral(", "));
    }

private:
    const PopupPage &page_;
    std::set<std::string> lines_;
    std::map<QString, int> rows_;
};

void CheckLabel(const QLabel &label, Findings &findings)
{
    const QString text = Shown(label.text(), label.textFormat());
    if (text.trimmed().isEmpty())
        return;
    const QRect room = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    const QFontMetrics metrics = label.fontMetrics();
    if (label.wordWrap()) {
        if (label.heightForWidth(label.width()) > label.height())
            findings.Add(&label, text, QStringLiteral("needs %1 px of height, has %2").arg(label.heightForWidth(label.width())).arg(label.height()));
        return;
    }
    const int width = WidestLine(metrics, text) + std::max(label.indent(), 0);
    const int height = int(text.count(u'\n') + 1) * metrics.lineSpacing();
    if (width > room.width())
        findings.Add(&label, text, QStringLiteral("needs %1 px, has %2").arg(width).arg(room.width()));
    else if (metrics.height() > room.height())
        findings.Add(&label, text, QStringLiteral("needs %1 px of height, has %2").arg(height).arg(room.height()));
}

void CheckButton(const QAbstractButton &button, Findings &findings)
{
    const QString text = Shown(button.text());
    if (text.isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox *>(&button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton *>(&button))
        element = QStyle::SE_RadioButtonContents;
    else if (!qobject_cast<const QPushButton *>(&button))
        return;
    const QRect room = button.style()->subElementRect(element, &option, &button);
    const QFontMetrics metrics = button.fontMetrics();
    const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + 4;
    const int width = WidestLine(metrics, text) + icon;
    if (width > room.width())
        findings.Add(&button, text, QStringLiteral("needs %1 px, has %2").arg(width).arg(room.width()));
    else if (metrics.height() > room.height())
        findings.Add(&button, text, QStringLiteral("needs %1 px of height, has %2").arg(metrics.height()).arg(room.height()));
}

void CheckGroupBox(const QGroupBox &box, Findings &findings)
{
    const QString text = Shown(box.title());
    if (text.isEmpty())
        return;
    const int width = box.fontMetrics().horizontalAdvance(text) + 16; // the frame's inset on both sides
    if (width > box.width())
        findings.Add(&box, text, QStringLiteral("caption needs %1 px, the box has %2").arg(width).arg(box.width()));
}

void CheckTabBar(const QTabBar &bar, Findings &findings)
{
    for (int i = 0; i < bar.count(); ++i) {
        const QString text = Shown(bar.tabText(i));
        const int width = bar.fontMetrics().horizontalAdvance(text);
        const QRect tab = bar.tabRect(i);
        if (width > tab.width())
            findings.Add(&bar, text, QStringLiteral("tab needs %1 px, has %2").arg(width).arg(tab.width()));
        if (tab.right() >= bar.width())
            findings.Add(&bar, text, QStringLiteral("tab lies beyond the tab bar's %1 px").arg(bar.width()));
    }
}

void CheckCombo(const QComboBox &combo, Findings &findings)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    const QRect room = combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    const QFontMetrics metrics = combo.fontMetrics();
    for (int i = 0; i < combo.count(); ++i) {
        const int width = metrics.horizontalAdvance(combo.itemText(i));
        if (width > room.width())
            findings.Add(&combo, combo.itemText(i), QStringLiteral("entry needs %1 px, the combo shows %2").arg(width).arg(room.width()));
    }
    if (combo.isEditable() && metrics.horizontalAdvance(combo.currentText()) > room.width())
        findings.Add(&combo, combo.currentText(), QStringLiteral("does not fit the combo's %1 px").arg(room.width()));
}

QHeaderView *HeaderOf(const QAbstractItemView &view)
{
    if (auto *table = qobject_cast<const QTableView *>(&view))
        return table->horizontalHeader();
    if (auto *tree = qobject_cast<const QTreeView *>(&view))
        return tree->header();
    return nullptr;
}

// Columns wide enough for their titles and cells; a list that needs sideways scrolling only
// where the page has no room to widen it.
void CheckList(const QAbstractItemView &view, PopupPage &page, Findings &findings)
{
    QHeaderView *header = HeaderOf(view);
    const QAbstractItemModel *model = view.model();
    if (!header || !model || header->isHidden())
        return;
    findings.SeenRows(&view, model->rowCount());
    const int headerMargin = view.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int cellMargin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    for (int column = 0; column < model->columnCount(); ++column) {
        if (header->isSectionHidden(column) || header->sectionSize(column) == 0)
            continue;
        const int width = header->sectionSize(column);
        const QString title = model->headerData(column, Qt::Horizontal).toString();
        const int titleWidth = header->fontMetrics().horizontalAdvance(title) + 2 * headerMargin;
        if (titleWidth > width)
            findings.Add(&view, title, QStringLiteral("column needs %1 px, has %2").arg(titleWidth).arg(width));
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString cell = model->index(row, column).data().toString();
            const int cellWidth = WidestLine(view.fontMetrics(), cell) + 2 * cellMargin;
            if (!cell.isEmpty() && cellWidth > width) {
                findings.Add(&view, cell, QStringLiteral("cell of \"%1\" needs %2 px, has %3").arg(title).arg(cellWidth).arg(width));
                break;
            }
        }
    }
    const int frame = view.width() - view.viewport()->width(); // frame and vertical scroll bar
    const int needed = header->length() + frame;
    const int left = view.mapTo(page.content(), QPoint(0, 0)).x();
    const int visible = std::max(page.content()->width(), page.scrollLayout().visibleWidth());
    int margins = 0; // what the boxes around the list keep free on its right
    for (const QWidget *w = view.parentWidget(); w; w = w->parentWidget()) {
        margins += w->width() - 1 - w->contentsRect().right() + (w->layout() ? w->layout()->contentsMargins().right() : 0);
        if (w == page.content())
            break;
    }
    const int room = visible - left - margins;
    if (needed > view.width() && needed <= room)
        findings.Add(&view, QString(), QStringLiteral("is %1 px wide while its columns need %2 and the page has room for %3")
                                           .arg(view.width()).arg(needed).arg(room));
}

// Direct children of a container: none over another, none outside it.
void CheckPlacement(const QWidget &container, Findings &findings)
{
    QList<const QWidget *> children;
    for (const QObject *object : container.children()) {
        auto *child = qobject_cast<const QWidget *>(object);
        if (child && !child->isWindow() && child->isVisible() && !child->objectName().startsWith(QLatin1String("qt_")))
            children.append(child);
    }
    const QRect inside = container.rect();
    for (qsizetype i = 0; i < children.size(); ++i) {
        const QRect area = children[i]->geometry();
        if (!inside.contains(area))
            findings.Add(children[i], QString(), QStringLiteral("lies outside %1 (%2,%3 %4x%5 in %6x%7)")
                                                     .arg(container.objectName().isEmpty() ? QStringLiteral("its parent") : container.objectName())
                                                     .arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height())
                                                     .arg(inside.width()).arg(inside.height()));
        for (qsizetype j = i + 1; j < children.size(); ++j)
            if (area.intersects(children[j]->geometry()))
                findings.Add(children[i], QString(), QStringLiteral("overlaps %1").arg(children[j]->objectName().isEmpty()
                                                     ? QString::fromLatin1(children[j]->metaObject()->className())
                                                     : children[j]->objectName()));
    }
}

// Inside a part of the page that scrolls by itself (not a list): reached by its own scroll bar.
bool InsideInnerScroll(const QWidget *widget, const QWidget *content)
{
    for (const QWidget *w = widget->parentWidget(); w && w != content; w = w->parentWidget())
        if (qobject_cast<const QScrollArea *>(w))
            return true;
    return false;
}

bool IsContainer(const QWidget &widget)
{
    if (widget.objectName() == QLatin1String("qt_scrollarea_viewport"))
        return false; // what it shows is scrolled, not placed

    const char *name = widget.metaObject()->className();
    return qobject_cast<const QGroupBox *>(&widget) || std::strcmp(name, "QWidget") == 0 || std::strcmp(name, "QFrame") == 0;
}

void CheckVisible(PopupPage &page, Findings &findings)
{
    const ScrollLayout &scroll = page.scrollLayout();
    if (page.content()->width() > scroll.visibleWidth())
        findings.Add(page.content(), QString(), QStringLiteral("the page scrolls sideways: %1 px of content in %2")
                                                    .arg(page.content()->width())
                                                    .arg(scroll.visibleWidth()));
    const int visibleHeight = scroll.visibleHeight();
    for (QWidget *widget : page.content()->findChildren<QWidget *>()) {
        if (!widget->isVisible() || InsideComposite(widget, &page))
            continue;
        const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget)
                             || qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractItemView *>(widget);
        if (auto *area = qobject_cast<QScrollArea *>(widget); area && area->widget()->width() > area->viewport()->width())
            findings.Add(widget, QString(), QStringLiteral("cuts %1 px of its content on the right")
                                                .arg(area->widget()->width() - area->viewport()->width()));
        const bool reached = control && !InsideInnerScroll(widget, page.content());
        if (const int bottom = widget->mapTo(page.content(), QPoint(0, widget->height())).y(); reached && bottom > visibleHeight)
            findings.Add(widget, QString(), QStringLiteral("lies below the page's %1 px: the page must be scrolled to reach it").arg(visibleHeight));
        if (auto *label = qobject_cast<QLabel *>(widget))
            CheckLabel(*label, findings);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            CheckButton(*button, findings);
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            CheckCombo(*combo, findings);
        else if (auto *view = qobject_cast<QAbstractItemView *>(widget))
            CheckList(*view, page, findings);
        else if (auto *bar = qobject_cast<QTabBar *>(widget))
            CheckTabBar(*bar, findings);
        if (auto *box = qobject_cast<QGroupBox *>(widget))
            CheckGroupBox(*box, findings);
        if (IsContainer(*widget))
            CheckPlacement(*widget, findings);
    }
    CheckPlacement(*page.content(), findings);
}

// The page as it is, then each tab of each tab control shown in turn (nested ones too).
void CheckEveryTab(PopupPage &page, QWidget &root, Findings &findings)
{
    CheckVisible(page, findings);
    for (QTabWidget *tabs : root.findChildren<QTabWidget *>()) {
        bool nested = false; // then it is visited from the tab that holds it
        for (QWidget *w = tabs->parentWidget(); w && w != &root; w = w->parentWidget())
            nested = nested || qobject_cast<QTabWidget *>(w);
        if (!tabs->isVisible() || nested)
            continue;
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabEnabled(i))
                continue;
            tabs->setCurrentIndex(i);
            Spin(150);
            CheckEveryTab(page, *tabs->widget(i), findings);
        }
        tabs->setCurrentIndex(shown);
        Spin(50);
    }
}

void WriteRow(const QString &caption, const Findings &findings)
{
    QDir().mkpath(QStringLiteral(TRB4820_LAYOUT_DIR));
    QString file = caption;
    file.replace(u' ', u'_').replace(u'/', u'_');
    QFile out(QStringLiteral(TRB4820_LAYOUT_DIR "/%1.row").arg(file));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    out.write(QStringLiteral("%1\t%2\t%3\n").arg(caption).arg(findings.lines().size()).arg(findings.RowsSeen()).toUtf8());
    for (const std::string &line : findings.lines())
        out.write(("\t" + line + "\n").c_str());
}

class LayoutCheck : public PageTest, public ::testing::WithParamInterface<int> {
protected:
    // Stations, neighbours and the device's own lists with long names.
    LayoutCheck() : PageTest({"--reboot-seconds", "1", "--long-names", "--clients", "8"}) {}

    void SetUp() override
    {
        PageTest::SetUp();
        // The lists a manager fills, from a saved configuration.
        ASSERT_TRUE(LoadSavedConfiguration("long-rows.state")) << simulator->error();
    }

    const PageCommand &command() const { return PageCommands()[size_t(GetParam())]; }
};

std::string PageName(const ::testing::TestParamInfo<int> &info)
{
    std::string name = PageCommands()[size_t(info.param)].entry;
    std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    return name;
}

// Every text of the wait dialog shows whole while it is open.
void CheckWaitDialog(const PleaseWaitDialog &dialog, Findings &findings)
{
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        if (label->isVisible())
            CheckLabel(*label, findings);
}

// Until the page has nothing on its way and no wait open, looking at each wait dialog shown.
bool Settle(PopupPage &page, Findings &findings)
{
    const bool settled = WaitFor([&] {
        if (const PleaseWaitDialog *dialog = page.waitDialog(); dialog && dialog->isVisible())
            CheckWaitDialog(*dialog, findings);
        return !page.waitDialog() && !page.refreshing() && page.RequestsInFlight() == 0;
    }, 8000);
    Spin(300);
    return settled;
}

// The commands that fill a list from the air, so that it is seen full.
void RunScans(PopupPage &page, Findings &findings)
{
    for (QPushButton *button : page.content()->findChildren<QPushButton *>()) {
        const QString text = Shown(button->text());
        if ((text == QLatin1String("Scan") || text == QLatin1String("Detect")) && button->isVisible() && button->isEnabled()) {
            button->click();
            EXPECT_TRUE(Settle(page, findings)) << text.toStdString() << ": the wait never ended";
        }
    }
}

// Opens the page at its own size, fills it, runs its scans and looks at every tab.
void CheckPage(const PageCommand &command, const QString &caption)
{
    PageHolder page(CreatePage(command.kind));
    if (!command.size.isEmpty())
        page->resize(command.size);
    Findings findings(*page.get());
    page->show();
    ASSERT_TRUE(Settle(*page.get(), findings));
    EXPECT_TRUE(page->ShowsDeviceValues() || page->FailedRequests() == 0) << page->statusText().toStdString();
    RunScans(*page.get(), findings);
    CheckEveryTab(*page.get(), *page->content(), findings);
    WriteRow(caption, findings);
    std::string text;
    for (const std::string &line : findings.lines())
        text += "  " + line + "\n";
    EXPECT_TRUE(findings.lines().empty()) << caption.toStdString() << ":\n" << text;
}

TEST_P(LayoutCheck, NothingIsCutOffSqueezedOrOutOfPlace)
{
    CheckPage(command(), QString::fromLatin1(command().title));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, LayoutCheck, ::testing::Range(0, int(kPageKindCount)), PageName);

// Every list of every page, filled, copies what it shows and nothing it keeps out of sight.
class CopyRows : public LayoutCheck {};

const std::pair<const char *, const char *> kSecrets[] = {
    {"trbServicePassphrase.1.1", "CopyRowsPassphrase-1"}, {"trbServiceWepKey.1.1", "CpyK1"},
    {"trbServiceRadiusSecret.1.1", "CopyRowsRadiusSecret"}, {"trbApArrayPassword.0", "CopyRowsArrayPw"},
};

TEST_P(CopyRows, EveryListCopiesTheTextsItShowsAndNoSecret)
{
    for (const auto &[object, value] : kSecrets)
        ASSERT_TRUE(SnmpSet(object, 's', value)) << object;
    PageHolder page(CreatePage(command().kind));
    Findings unused(*page.get());
    page->show();
    ASSERT_TRUE(Settle(*page.get(), unused));
    RunScans(*page.get(), unused);
    for (QTableView *list : page->content()->findChildren<QTableView *>()) {
        const std::string name = list->objectName().toStdString();
        QStringList actions;
        for (const QAction *action : list->actions())
            actions << action->text();
        EXPECT_EQ(actions, QStringList({"Copy", "Copy All", "Save as CSV..."})) << name;
        const QStringList lines = ListCopy::Text(*list, {}, ListCopy::Format::Tabs).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), list->model()->rowCount() + 2) << name << ": one line a row, under the header";
        for (const QString &title : lines.front().split(u'\t'))
            EXPECT_NE(title, QStringLiteral("Edit")) << name << ": a column of icons is copied";
        const QString text = lines.join(u'\n');
        for (const auto &[object, value] : kSecrets)
            EXPECT_FALSE(text.contains(QString::fromLatin1(value))) << name << " copies " << object;
        if (list->model()->rowCount() == 0)
            continue;
        list->selectRow(list->model()->rowCount() - 1);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), lines.front() + QStringLiteral("\r\n") + lines[lines.size() - 2]
                                                            + QStringLiteral("\r\n")) << name << ": Ctrl+C copies the selected row";
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CopyRows, ::testing::Range(0, int(kPageKindCount)), PageName);

// Pages whose controls change with what the device is set to, in each setting that shows
// other panels than the default one.
struct DeviceSetting {
    PageKind kind;
    const char *name;
    std::vector<std::pair<const char *, const char *>> values; // object, integer value
};

const DeviceSetting kDeviceSettings[] = {
    {PageKind::BasicWireless, "WDS with AP", {{"trbApMode.0", "2"}}},
    {PageKind::BasicWireless, "WDS", {{"trbApMode.0", "3"}}},
    {PageKind::BasicWireless, "Wireless Client", {{"trbApMode.0", "4"}}},
    {PageKind::BasicWireless, "AP Repeater", {{"trbApMode.0", "5"}}},
    {PageKind::BasicWireless, "Shared key", {{"trbServiceAuthentication.1.0", "2"}, {"trbServiceWepEncryption.1.0", "1"}}},
    {PageKind::BasicWireless, "WPA-Enterprise", {{"trbServiceAuthentication.1.0", "5"}}},
    {PageKind::BasicWireless, "802.1x", {{"trbServiceAuthentication.1.0", "6"}}},
    {PageKind::MultiSsid, "Multi-SSID on", {{"trbRadioMultiSsid.1", "1"}}},
};

class LayoutCheckInSetting : public LayoutCheck {};

TEST_P(LayoutCheckInSetting, NothingIsCutOffSqueezedOrOutOfPlace)
{
    const DeviceSetting &setting = kDeviceSettings[size_t(GetParam())];
    for (const auto &[object, value] : setting.values)
        ASSERT_TRUE(SnmpSet(object, 'i', value)) << object;
    const PageCommand &command = CommandFor(setting.kind);
    CheckPage(command, QStringLiteral("%1 (%2)").arg(QString::fromLatin1(command.title), QString::fromLatin1(setting.name)));
}

std::string SettingName(const ::testing::TestParamInfo<int> &info)
{
    const DeviceSetting &setting = kDeviceSettings[size_t(info.param)];
    std::string name = std::string(CommandFor(setting.kind).entry) + "_" + setting.name;
    std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)) && c != '_'; });
    return name;
}

INSTANTIATE_TEST_SUITE_P(Settings, LayoutCheckInSetting, ::testing::Range(0, int(std::size(kDeviceSettings))), SettingName);

} // namespace
