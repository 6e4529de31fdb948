// Edit and delete icons: where they are drawn and where a click on them counts.
#include "ActionIconListCtrl.h"
#include "ActionIcons.h"
#include "ListTestSupport.h"
#include "QtPrinters.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using trb::ActionIconListCtrl;
using trb::ActionIcons;
using namespace listtest;

namespace {

constexpr int kEdit = 2;
constexpr int kDelete = 3;

class ActionIconListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.resize(400, 300);
        list.InsertColumn(-1, QStringLiteral("VID"), 40);
        list.InsertColumn(-1, QStringLiteral("Name"), 120);
        list.InsertColumn(-1, QStringLiteral("Edit"), 65);
        list.InsertColumn(-1, QStringLiteral("Delete"), 65);
        list.SetEditColumn(kEdit);
        list.SetDeleteColumn(kDelete);
        list.InsertRecordRow(0, QStringLiteral("1"));
        list.InsertRecordRow(1, QStringLiteral("20"));
        list.SetCellText(1, 1, QStringLiteral("first\r\nsecond"));
        list.show();
        QApplication::processEvents();
    }

    QRect IconSquare(int row, int column) const
    {
        const QRect cell = list.cellRect(row, column);
        return QRect(cell.left() + (cell.width() - 32) / 2, cell.top() + (cell.height() - 32) / 2,
                     32, 32);
    }

    ActionIconListCtrl list;
};

bool IsRed(const QColor &colour)
{
    return colour.red() > 150 && colour.green() < 110 && colour.blue() < 110;
}

} // namespace

TEST_F(ActionIconListCtrlTest, OnlyClicksInTheCentredSquareAreReported)
{
    QSignalSpy clicked(&list, &ActionIconListCtrl::cellClicked);
    QSignalSpy edits(&list, &ActionIconListCtrl::editClicked);
    QSignalSpy deletes(&list, &ActionIconListCtrl::deleteClicked);
    QVariantList expected, expectedEdits, expectedDeletes;
    for (int column : {kEdit, kDelete}) {
        for (int row : {0, 1}) {
            const QRect square = IconSquare(row, column);
            EXPECT_EQ(list.clickZone(row, column), square);
            for (QPoint inside : {square.topLeft(), square.bottomRight()}) {
                Click(list.viewport(), inside);
                expected.append(QVariant(QVariantList({column, row})));
                (column == kEdit ? expectedEdits : expectedDeletes).append(QVariant(QVariantList({row})));
            }
            for (QPoint outside : {square.topLeft() - QPoint(1, 0), square.topLeft() - QPoint(0, 1),
                                   square.bottomRight() + QPoint(1, 0),
                                   square.bottomRight() + QPoint(0, 1),
                                   list.cellRect(row, column).topLeft() + QPoint(2, 2)})
                Click(list.viewport(), outside);
        }
    }
    Click(list.viewport(), list.cellRect(0, 1).center());
    ASSERT_EQ(clicked.count(), expected.size());
    for (int i = 0; i < clicked.count(); ++i)
        EXPECT_EQ(QVariant(clicked.at(i)), expected.at(i)) << "click " << i;
    // The same clicks as rows of the edit and delete actions; the text cell's click is neither.
    EXPECT_EQ(QVariant(QVariantList(edits.begin(), edits.end())), QVariant(expectedEdits));
    EXPECT_EQ(QVariant(QVariantList(deletes.begin(), deletes.end())), QVariant(expectedDeletes));
}

TEST_F(ActionIconListCtrlTest, IconsAreCentredOnTheWindowColourEvenWhenSelected)
{
    list.selectRow(0);
    const QImage image = Render(list.viewport());
    const QColor base = list.palette().color(QPalette::Active, QPalette::Base);
    const QColor highlight = list.palette().color(QPalette::Active, QPalette::Highlight);

    // The red disc at the top of the square, the white cross at its centre.
    const QRect deleteSquare = IconSquare(0, kDelete);
    EXPECT_TRUE(IsRed(PixelAt(image, deleteSquare.topLeft() + QPoint(16, 5))));
    EXPECT_EQ(PixelAt(image, deleteSquare.center() + QPoint(1, 1)), QColor(Qt::white));
    EXPECT_NE(image.copy(IconSquare(0, kEdit)), image.copy(deleteSquare));
    // Around the icons the window colour, while the record's other cells are highlighted.
    EXPECT_EQ(PixelAt(image, list.cellRect(0, kDelete).topLeft() + QPoint(2, 1)), base);
    EXPECT_EQ(PixelAt(image, list.cellRect(0, kEdit).topRight() + QPoint(-1, 1)), base);
    EXPECT_EQ(PixelAt(image, list.cellRect(0, 1).topRight() + QPoint(-2, 2)), highlight);

    EXPECT_GE(list.lineHeight(), 32);
    EXPECT_EQ(ActionIcons::EditIcon().size(), QSize(32, 32));
    EXPECT_EQ(image.copy(IconSquare(1, kEdit)), image.copy(IconSquare(0, kEdit)));
}

TEST_F(ActionIconListCtrlTest, HandCursorAndAccessibleTextOnActionCells)
{
    MoveTo(list.viewport(), list.cellRect(0, kDelete).center());
    EXPECT_EQ(list.viewport()->cursor().shape(), Qt::PointingHandCursor);
    MoveTo(list.viewport(), list.cellRect(0, 1).center());
    EXPECT_EQ(list.viewport()->cursor().shape(), Qt::ArrowCursor);

    list.InsertRecordRow(2, QStringLiteral("30"));
    const QAbstractItemModel *model = list.model();
    EXPECT_EQ(model->index(2, kEdit).data(Qt::AccessibleTextRole).toString(), "Edit");
    EXPECT_EQ(model->index(2, kDelete).data(Qt::AccessibleTextRole).toString(), "Delete");
}
