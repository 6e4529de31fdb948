// The fault matrix over the catalogue's lists and scans, with lists that a manager fills: each
// write of an edited row and of a Delete, and each request of a scan, refused or lost in turn.
#include <QPushButton>

#include <functional>
#include <map>
#include <vector>

#include "ActionIconListCtrl.h"
#include "RecordListCtrl.h"
#include "FaultMatrixSupport.h"
#include "FormRows.h"
#include "PopupPage.h"
#include "ProcessValues.h"

using namespace trb;
using namespace trb::test;

namespace {

// Where a list has no edit icon to load a row into its form: which cell goes into which field.
struct TypedColumn {
    const char *field;
    int column;
};
const std::map<QString, std::vector<TypedColumn>> kFieldsOfRow = {
    {QStringLiteral("aclList"), {{"aclMacEdit", 1}}},
    {QStringLiteral("rangeList"), {{"rangeFromEdit", 1}, {"rangeToEdit", 2}}},
};

// A list's Edit and Delete cells: an icon list's, or link columns titled so.
struct RowLinks {
    RecordListCtrl *list = nullptr;
    int edit = RecordListCtrl::kNoColumn;
    int remove = RecordListCtrl::kNoColumn;

    bool any() const { return edit != RecordListCtrl::kNoColumn || remove != RecordListCtrl::kNoColumn; }
    bool iconList() const { return qobject_cast<ActionIconListCtrl *>(list) != nullptr; }
    // Rows whose cells act: every row of an icon list, else those whose links show an icon (the
    // primary SSID's do not).
    QList<int> rows() const
    {
        QList<int> acting;
        const int column = edit != RecordListCtrl::kNoColumn ? edit : remove;
        for (int row = 0; row < list->rowCount(); ++row)
            if (iconList() || !list->model()->index(row, column).data(Qt::DecorationRole).isNull())
                acting << row;
        return acting;
    }
    void Click(int column) const
    {
        const QList<int> acting = rows();
        if (!acting.isEmpty())
            emit list->cellClicked(column, acting.first());
    }
};

RowLinks LinksOf(RecordListCtrl *list)
{
    RowLinks links{list};
    if (auto *icons = qobject_cast<ActionIconListCtrl *>(list)) {
        links.edit = icons->editColumn();
        links.remove = icons->deleteColumn();
        return links;
    }
    for (int column : {list->firstLinkColumn(), list->secondLinkColumn()}) {
        const QString title = column < 0 ? QString() : list->model()->headerData(column, Qt::Horizontal).toString();
        if (title == QLatin1String("Edit"))
            links.edit = column;
        else if (title == QLatin1String("Delete"))
            links.remove = column;
    }
    return links;
}

// A list's row change: what loads it (nothing for a Delete) and what sends it.
struct RowChange {
    std::string name;
    std::function<void()> prepare;
    std::function<void()> send;
    // Whether pressing it again repeats it harmlessly (an edit), or takes a row each time.
    bool repeatable = true;
};

// With the lists a manager fills: each write of an edited row and of a Delete, in turn, refused or
// lost. The user sees the failure, the rows and the form stay as they were, and the same action
// pressed again sends the whole change; at the end the device holds the rows the page shows.
class FaultMatrixList : public FaultMatrix {
protected:
    FaultMatrixList() : FaultMatrix({"--long-names"}) {}
    void SetUp() override
    {
        FaultMatrix::SetUp();
        ASSERT_TRUE(LoadFilledLists());
    }

    // Sets that one change sends, with no fault; 0 when it sends nothing.
    int CleanRun(PopupPage *page, const RowChange &change)
    {
        change.prepare();
        const int before = DeviceCounts().sets;
        change.send();
        WaitsEnded(page, change.name + ", without a fault");
        return DeviceCounts().sets - before;
    }

    int rowsBeforeAdd = 0;

    void TryChange(PopupPage *page, const RowLinks &links, const RowChange &change)
    {
        const qsizetype cleanBoxes = messages->count();
        const int writes = CleanRun(page, change);
        if (writes == 0) {
            row.skipped << QString::fromStdString(change.name) + QStringLiteral(" sends nothing")
                               + (messages->count() > cleanBoxes ? QStringLiteral(" (") + messages->last().text + u')' : QString());
            return;
        }
        bool sendAgain = true;
        for (int k = 0; k < writes; ++k) {
            for (const FaultKind &kind : kFaultKinds) {
                if (!kind.writeFails)
                    continue;
                const std::string where = change.name + ", write " + std::to_string(k + 1) + " of "
                                          + std::to_string(writes) + ", " + kind.name;
                SCOPED_TRACE(where);
                if (links.rows().isEmpty()) {
                    row.skipped << QString::fromStdString(where) + QStringLiteral(": the list ran out of rows");
                    return;
                }
                change.prepare();
                const Snapshot before = ShownValues(*page);
                const qsizetype boxes = messages->count();
                const int failedBefore = page->FailedRequests();
                Plan("fault set all " + std::to_string(kind.count) + " " + kind.action + " after " + std::to_string(k));
                change.send();
                bool held = WaitsEnded(page, where);
                Plan("clear");
                const bool failed = page->FailedRequests() > failedBefore;
                EXPECT_TRUE(failed) << where << ": a change the device refused counted as done";
                held = FailureShown(page, where, boxes) && held && failed;
                const std::string diff = Differences(before, ShownValues(*page));
                EXPECT_EQ(diff, "") << where << ": the refused change altered the rows or the form:\n" << diff;
                held = held && diff.empty();
                // Pressed again, the same change goes out whole.
                if (sendAgain) {
                    const int sets = DeviceCounts().sets;
                    change.send();
                    held = WaitsEnded(page, where + ", sent again") && held;
                    const int resent = DeviceCounts().sets - sets;
                    EXPECT_GE(resent, writes) << where << ": sent again after the failure, the change sent less";
                    held = held && resent >= writes;
                    sendAgain = change.repeatable;
                }
                Count(held, change.name.substr(0, change.name.find(' ')));
            }
        }
    }

    // A new row: the first row deleted, then typed again into the form and added, so the device
    // takes it whatever it checks. The Add puts the row back.
    RowChange AddBack(PopupPage *page, const RowLinks &links, QPushButton *writer, const std::string &name)
    {
        const std::string change = "add " + name + " row";
        RecordListCtrl *list = links.list;
        return {change,
                [this, page, links, list, change] {
                    Snapshot typed;
                    QStringList cells;
                    if (links.edit != RecordListCtrl::kNoColumn) {
                        links.Click(links.edit);
                        Spin(20);
                        typed = EditableValues(*page);
                    } else {
                        for (const TypedColumn &typedColumn : kFieldsOfRow.at(list->objectName()))
                            cells << list->cellText(links.rows().first(), typedColumn.column);
                    }
                    const int rows = list->rowCount();
                    ShowTabsOf(list);
                    links.Click(links.remove);
                    WaitsEnded(page, change + ": the row deleted to be added again");
                    ASSERT_EQ(list->rowCount(), rows - 1) << change << ": the row to add again was not deleted";
                    if (!cells.isEmpty())
                        typed = FieldsTyped(*page, kFieldsOfRow.at(list->objectName()), cells);
                    RetypeEditableValues(*page, typed);
                    rowsBeforeAdd = list->rowCount();
                },
                [this, page, list, writer, change] {
                    const int failedBefore = page->FailedRequests();
                    ShowTabsOf(writer);
                    writer->click();
                    WaitsEnded(page, change);
                    // Taken, it is one row more; it never takes the place of another.
                    if (page->FailedRequests() == failedBefore) {
                        EXPECT_EQ(list->rowCount(), rowsBeforeAdd + 1) << change << ": the Add did not add a row";
                    }
                }};
    }

    // The page's editable values with the row's cells in its fields.
    static Snapshot FieldsTyped(const PopupPage &page, const std::vector<TypedColumn> &fields, const QStringList &cells)
    {
        Snapshot values = EditableValues(page);
        for (auto &[name, value] : values)
            for (std::size_t i = 0; i < fields.size(); ++i)
                if (name.section(u'/', -1) == QLatin1String(fields[i].field))
                    value = cells[qsizetype(i)];
        return values;
    }

    bool DeviceHoldsTheRowsShown(PopupPage *page)
    {
        PageHolder fresh(Open());
        const std::string diff = Differences(ListCells(ShownValues(*page)), ListCells(ShownValues(*fresh.get())));
        EXPECT_EQ(diff, "") << "the device holds other rows than the page shows:\n" << diff;
        return diff.empty();
    }
};

QPushButton *EditedRowWriter(const PopupPage &page)
{
    for (QPushButton *button : page.content()->findChildren<QPushButton *>())
        if (button->property(kWritesEditedRowProperty).toBool())
            return button;
    return nullptr;
}

TEST_P(FaultMatrixList, AFailedRowChangeShowsAsFailedAndKeepsTheRowsAndTheForm)
{
    part = "list";
    PageHolder page(Open());
    QList<RowLinks> lists;
    for (RecordListCtrl *list : page->content()->findChildren<RecordListCtrl *>())
        if (const RowLinks links = LinksOf(list); links.any())
            lists << links;
    if (lists.isEmpty())
        row.skipped << QStringLiteral("no list with edit or delete icons");
    for (const RowLinks &links : lists) {
        RecordListCtrl *list = links.list;
        const std::string name = list->objectName().toStdString();
        ShowTabsOf(list);
        Spin(20);
        if (links.rows().size() < 2) {
            row.skipped << list->objectName() + QStringLiteral(" holds too few rows");
            continue;
        }
        QPushButton *writer = EditedRowWriter(*page.get());
        const bool edits = links.edit != RecordListCtrl::kNoColumn;
        const bool deletes = links.remove != RecordListCtrl::kNoColumn;
        if (edits && writer) {
            TryChange(page.get(), links,
                      {"edit " + name + " row 1", [links] { links.Click(links.edit); },
                       [writer] {
                           ShowTabsOf(writer);
                           writer->click();
                       }});
        }
        if ((edits || kFieldsOfRow.count(list->objectName())) && deletes && writer)
            TryChange(page.get(), links, AddBack(page.get(), links, writer, name));
        if (deletes) {
            TryChange(page.get(), links,
                      {"delete " + name + " row 1", [] {},
                       [links] {
                           ShowTabsOf(links.list);
                           links.Click(links.remove);
                       },
                       false});
        }
        Count(DeviceHoldsTheRowsShown(page.get()), "rows held");
    }
}

// Each request of a scan, in turn, meets each fault: the wait ends and a failure is shown as one.
TEST_P(FaultMatrixList, AFailedScanShowsAsFailedAndEndsItsWait)
{
    part = "scan";
    PageHolder page(Open());
    QList<QPushButton *> scans;
    for (const QString &text : {QStringLiteral("Scan"), QStringLiteral("Detect")})
        for (QPushButton *button : ButtonsNamed(*page.get(), text))
            if (button->isVisibleTo(page.get()) && button->isEnabled())
                scans << button;
    if (scans.isEmpty()) {
        row.skipped << QStringLiteral("no scan in the device's default mode");
        return;
    }
    for (QPushButton *scan : scans) {
        const Counts start = DeviceCounts();
        scan->click();
        WaitsEnded(page.get(), scan->objectName().toStdString() + ", without a fault");
        const Counts end = DeviceCounts();
        const int requests = end.gets + end.sets - start.gets - start.sets;
        for (int k = 0; k < requests; ++k) {
            for (const FaultKind &kind : kFaultKinds) {
                if (!kind.readFails)
                    continue;
                const std::string where = scan->objectName().toStdString() + ", request " + std::to_string(k + 1)
                                          + " of " + std::to_string(requests) + ", " + kind.name;
                SCOPED_TRACE(where);
                const qsizetype boxes = messages->count();
                const int failedBefore = page->FailedRequests();
                Plan("fault any all " + std::to_string(kind.count) + " " + kind.action + " after " + std::to_string(k));
                scan->click();
                bool held = WaitsEnded(page.get(), where);
                Plan("clear");
                if (page->FailedRequests() > failedBefore)
                    held = FailureShown(page.get(), where, boxes) && held;
                Count(held, "scan");
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FaultMatrixList, ::testing::Range(0, int(kPageKindCount)), PageName);

} // namespace
