// Records spanning several lines, their highlight and grid, link clicks and the hand cursor.
#include "QtPrinters.h"
#include "ListTestSupport.h"
#include "RecordItemDelegate.h"
#include "RecordListCtrl.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using trb::RecordItemDelegate;
using trb::RecordListCtrl;
using namespace listtest;

namespace {

const QColor kGrid(233, 233, 200);

class RecordListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.resize(500, 300);
        list.InsertColumn(-1, QStringLiteral("Name"), 60);
        list.InsertColumn(-1, QStringLiteral("Value"), 120);
        list.InsertColumn(-1, QStringLiteral("Other"), 100);
        list.InsertColumn(-1, QStringLiteral("Edit"), 50);
        list.InsertColumn(-1, QStringLiteral("Delete"), 50);
        list.SetLinkColumns(3, 4);
        list.InsertRecordRow(0, QStringLiteral("one"));
        list.InsertRecordRow(1, QStringLiteral("two\r\nlines\r\nmore"));
        list.InsertRecordRow(2, QStringLiteral("three"));
        for (int row = 0; row < 3; ++row)
            list.SetCellText(row, 1, QStringLiteral("v"));
        list.show();
        QApplication::processEvents();
    }

    QColor Highlight() const { return list.palette().color(QPalette::Active, QPalette::Highlight); }
    QColor Base() const { return list.palette().color(QPalette::Active, QPalette::Base); }
    // A point of a record's "Value" cell, on line `line`, right of the short text.
    QPoint ValuePoint(int row, int line) const
    {
        const QRect cell = list.cellRect(row, 1);
        return {cell.right() - 10, cell.top() + line * list.lineHeight() + list.lineHeight() / 2};
    }

    RecordListCtrl list;
};

} // namespace

TEST_F(RecordListCtrlTest, RecordHeightFollowsItsLineCount)
{
    EXPECT_EQ(list.itemValue(0), 1);
    EXPECT_EQ(list.itemValue(1), 3);
    EXPECT_EQ(list.rowHeight(1), 3 * list.lineHeight());
    EXPECT_GE(list.lineHeight(), RecordListCtrl::kLinkZoneSize + 2);

    // A cell with more lines grows the record; fewer lines never shrink it.
    EXPECT_TRUE(list.SetCellText(0, 2, QStringLiteral("a\nb")));
    EXPECT_EQ(list.rowHeight(0), 2 * list.lineHeight());
    EXPECT_TRUE(list.SetCellText(0, 2, QStringLiteral("a")));
    EXPECT_EQ(list.itemValue(0), 2);
    EXPECT_FALSE(list.SetCellText(3, 0, QStringLiteral("x")));
    EXPECT_FALSE(list.SetCellText(0, 5, QStringLiteral("x")));

    // A trailing line break does not add a line; rows go where asked or at the end.
    EXPECT_EQ(list.InsertRecordRow(1, QStringLiteral("new\r\n")), 1);
    EXPECT_EQ(list.itemValue(1), 1);
    EXPECT_EQ(list.itemValue(2), 3);
    EXPECT_EQ(list.InsertRecordRow(99, QStringLiteral("last")), 4);
    EXPECT_EQ(RecordListCtrl().InsertRecordRow(0, QStringLiteral("no columns")), -1);
}

TEST_F(RecordListCtrlTest, ClickingAContinuationLineHighlightsTheWholeRecord)
{
    Click(list.viewport(), ValuePoint(1, 2));
    EXPECT_EQ(list.selectedRow(), 1);

    QImage image = Render(list.viewport());
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(PixelAt(image, ValuePoint(1, line)), Highlight()) << "line " << line;
    // The first column too, right of its text.
    EXPECT_EQ(PixelAt(image, list.cellRect(1, 0).bottomRight() - QPoint(2, 4)), Highlight());
    EXPECT_EQ(PixelAt(image, ValuePoint(0, 0)), Base());
    EXPECT_EQ(PixelAt(image, ValuePoint(2, 0)), Base());

    list.selectRow(2);
    image = Render(list.viewport());
    EXPECT_EQ(PixelAt(image, ValuePoint(1, 1)), Base());
    EXPECT_EQ(PixelAt(image, ValuePoint(2, 0)), Highlight());

    // The highlight does not fade when the list is not the focused widget.
    list.clearFocus();
    EXPECT_EQ(PixelAt(Render(list.viewport()), ValuePoint(2, 0)), Highlight());
}

TEST_F(RecordListCtrlTest, GridLinesOnlyLeftOfCellsAndUnderRecords)
{
    const QImage image = Render(list.viewport());
    const QRect record = list.cellRect(1, 1);
    const int middle = record.center().y();

    EXPECT_EQ(PixelAt(image, {record.left(), middle}), kGrid);
    EXPECT_EQ(PixelAt(image, {list.cellRect(1, 4).left(), middle}), kGrid);
    EXPECT_EQ(PixelAt(image, {record.left() + 1, middle}), Base());
    // No line at the left of the first column.
    EXPECT_EQ(PixelAt(image, {list.cellRect(1, 0).left(), middle}), Base());

    // A line under each record, the first column included, but none between its lines.
    EXPECT_EQ(PixelAt(image, {record.right() - 10, record.bottom()}), kGrid);
    EXPECT_EQ(PixelAt(image, {list.cellRect(0, 0).right() - 2, list.cellRect(0, 0).bottom()}), kGrid);
    for (int y = record.top() + list.lineHeight() - 2; y <= record.top() + list.lineHeight() + 1; ++y)
        EXPECT_EQ(PixelAt(image, {record.right() - 10, y}), Base()) << "y " << y;
}

TEST_F(RecordListCtrlTest, TextIsIndentedCentredAndShownAsItIs)
{
    list.SetCellText(1, 0, QStringLiteral("H"));
    list.SetCellText(1, 2, QStringLiteral("H"));
    list.SetCellText(0, 2, QStringLiteral("&"));
    list.SetCellText(2, 2, QStringLiteral("&&"));
    const QImage image = Render(list.viewport());

    // Where "H" starts when drawn at x = 0, so the indent can be checked to the pixel.
    QImage probe(40, 40, QImage::Format_RGB32);
    probe.fill(Qt::white);
    QPainter painter(&probe);
    painter.setFont(list.font());
    painter.drawText(probe.rect(), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("H"));
    painter.end();
    const int bearing = InkBox(probe, probe.rect()).left();

    const QRect first = list.cellRect(1, 0);
    EXPECT_EQ(InkBox(image, first.adjusted(1, 0, 0, -1)).left(), first.left() + 2 + bearing);
    const QRect other = list.cellRect(1, 2);
    const QRect ink = InkBox(image, other.adjusted(1, 0, 0, -1));
    EXPECT_EQ(ink.left(), other.left() + 6 + bearing);
    // One line in a three-line record sits on the middle line.
    EXPECT_GE(ink.top(), other.top() + list.lineHeight());
    EXPECT_LT(ink.bottom(), other.top() + 2 * list.lineHeight());

    // No mnemonic processing: "&" is drawn, "&&" is two of them.
    const QRect single = InkBox(image, list.cellRect(0, 2).adjusted(1, 0, 0, -1));
    ASSERT_FALSE(single.isNull());
    EXPECT_GT(InkBox(image, list.cellRect(2, 2).adjusted(1, 0, 0, -1)).width(),
              single.width() * 3 / 2);
}

TEST_F(RecordListCtrlTest, OnlyClicksInTheTopLeftSixteenOfALinkCellAreReported)
{
    QSignalSpy clicked(&list, &RecordListCtrl::cellClicked);
    const QPoint edit = list.cellRect(0, 3).topLeft();
    Click(list.viewport(), edit);
    Click(list.viewport(), edit + QPoint(15, 15));
    Click(list.viewport(), list.cellRect(1, 4).topLeft() + QPoint(8, 8));
    // Just outside the square; not a link column; a later line of a record; below the records.
    for (QPoint outside : {edit + QPoint(16, 0), edit + QPoint(0, 16),
                           list.cellRect(0, 2).topLeft() + QPoint(2, 2),
                           list.cellRect(1, 3).topLeft() + QPoint(2, 2 * list.lineHeight() + 2),
                           list.cellRect(2, 3).bottomLeft() + QPoint(2, 5)})
        Click(list.viewport(), outside);
    // Pressed in the square, released outside it.
    SendMouse(list.viewport(), QEvent::MouseButtonPress, edit + QPoint(4, 4), Qt::LeftButton,
              Qt::LeftButton);
    SendMouse(list.viewport(), QEvent::MouseButtonRelease, edit + QPoint(30, 4), Qt::LeftButton,
              Qt::NoButton);

    ASSERT_EQ(clicked.count(), 3);
    EXPECT_EQ(clicked.at(0), QVariantList({3, 0})); // (column, row)
    EXPECT_EQ(clicked.at(1), QVariantList({3, 0}));
    EXPECT_EQ(clicked.at(2), QVariantList({4, 1}));
}

TEST_F(RecordListCtrlTest, HandCursorOverLinkItemsOnly)
{
    const QRect edit = list.cellRect(1, 3);
    MoveTo(list.viewport(), edit.center());
    EXPECT_EQ(list.viewport()->cursor().shape(), Qt::PointingHandCursor);
    MoveTo(list.viewport(), list.cellRect(0, 4).center());
    EXPECT_EQ(list.viewport()->cursor().shape(), Qt::PointingHandCursor);
    MoveTo(list.viewport(), list.cellRect(1, 2).center());
    EXPECT_EQ(list.viewport()->cursor().shape(), Qt::ArrowCursor);
    MoveTo(list.viewport(), QPoint(edit.center().x(), list.cellRect(2, 3).bottom() + 10));
    EXPECT_EQ(list.viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(RecordListCtrlTest, CheckBoxesToggleByClickOrSpace)
{
    list.SetCheckBoxes(true);
    QSignalSpy toggled(&list, &RecordListCtrl::rowCheckToggled);
    const QRect box = RecordItemDelegate::CheckBoxRect(list.cellRect(1, 0), &list);
    Click(list.viewport(), box.center());
    Click(list.viewport(), ValuePoint(1, 0)); // elsewhere in the record
    EXPECT_TRUE(list.isRowChecked(1));
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_EQ(toggled.at(0), QVariantList({1, true}));

    list.selectRow(0);
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_TRUE(list.isRowChecked(0));
    EXPECT_FALSE(list.isRowChecked(2));
}
