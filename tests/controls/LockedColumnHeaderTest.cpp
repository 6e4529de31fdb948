// Locked columns keep their width under a mouse drag; the others can be resized.
#include "ListTestSupport.h"
#include "LockedColumnHeader.h"
#include "RecordListCtrl.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using trb::LockedColumnHeader;
using trb::RecordListCtrl;
using namespace listtest;

namespace {

class LockedColumnHeaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.resize(500, 200);
        header = list.lockedHeader();
        header->AddLockedColumn(0); // before the columns exist
        header->AddLockedColumn(2);
        list.InsertColumn(-1, QStringLiteral("Index"), 0);
        list.InsertColumn(-1, QStringLiteral("Name"), 100);
        list.InsertColumn(-1, QStringLiteral("MAC"), 120);
        list.InsertColumn(-1, QStringLiteral("Edit"), 60);
        list.InsertRecordRow(0, QStringLiteral("1"));
        list.show();
        QApplication::processEvents();
    }

    // Drags the divider at the right edge of a column by `distance` pixels.
    void DragDivider(int column, int distance)
    {
        const int edge = header->sectionViewportPosition(column) + header->sectionSize(column) - 1;
        const int y = header->height() / 2;
        Drag(header->viewport(), QPoint(edge, y), QPoint(edge + distance, y));
    }

    RecordListCtrl list;
    LockedColumnHeader *header = nullptr;
};

} // namespace

TEST_F(LockedColumnHeaderTest, LockedDividerRefusesTheDragOthersFollowIt)
{
    DragDivider(2, 40);
    EXPECT_EQ(header->sectionSize(2), 120);

    DragDivider(1, 40);
    EXPECT_EQ(header->sectionSize(1), 140);
    DragDivider(3, -20);
    EXPECT_EQ(header->sectionSize(3), 40);
}

TEST_F(LockedColumnHeaderTest, HiddenLockedColumnCannotBeDraggedOpen)
{
    // The divider of a zero-width first column lies on the left edge of the second.
    const int y = header->height() / 2;
    const int edge = header->sectionViewportPosition(1);
    Drag(header->viewport(), QPoint(edge + 1, y), QPoint(edge + 60, y));
    EXPECT_EQ(header->sectionSize(0), 0);
    EXPECT_EQ(header->sectionSize(1), 100);
}

TEST_F(LockedColumnHeaderTest, ClearingTheListUnlocksAndTheProgramMayStillResize)
{
    list.setColumnWidth(2, 90);
    EXPECT_EQ(header->sectionSize(2), 90);

    header->ClearLockedColumns();
    EXPECT_FALSE(header->isLocked(2));
    DragDivider(2, 30);
    EXPECT_EQ(header->sectionSize(2), 120);

    // Unlocked, the zero-width column opens: it was the lock that kept it shut.
    const int y = header->height() / 2;
    const int edge = header->sectionViewportPosition(1);
    Drag(header->viewport(), QPoint(edge + 1, y), QPoint(edge + 60, y));
    EXPECT_GT(header->sectionSize(0), 0);
}

TEST_F(LockedColumnHeaderTest, ClickingATitleDoesNothing)
{
    QSignalSpy clicked(header, &QHeaderView::sectionClicked);
    list.selectRow(0);
    Click(header->viewport(), QPoint(header->sectionViewportPosition(1) + 30, header->height() / 2));
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_FALSE(header->sectionsClickable());
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_FALSE(header->isSortIndicatorShown());
}
