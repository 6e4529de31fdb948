#include "ActionIconListCtrl.h"

#include "ActionIconDelegate.h"
#include "ActionIcons.h"

#include <QStandardItemModel>

namespace trb {

ActionIconListCtrl::ActionIconListCtrl(QWidget *parent)
    : RecordListCtrl(parent),
      deleteDelegate_(new ActionIconDelegate(ActionIcons::DeleteIcon(), this)),
      editDelegate_(new ActionIconDelegate(ActionIcons::EditIcon(), this))
{
    SetMinimumLineHeight(ActionIconDelegate::kIconSize + 2);
    connect(records(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { NameActionCells(first, last); });
    connect(this, &RecordListCtrl::cellClicked, this, [this](int column, int row) {
        if (row < 0 || row >= rowCount())
            return;
        if (column == editColumn_)
            emit editClicked(row);
        else if (column == deleteColumn_)
            emit deleteClicked(row);
    });
}

void ActionIconListCtrl::SetDeleteColumn(int column)
{
    SetActionColumn(deleteColumn_, column, deleteDelegate_);
}

void ActionIconListCtrl::SetEditColumn(int column)
{
    SetActionColumn(editColumn_, column, editDelegate_);
}

void ActionIconListCtrl::SetActionColumn(int &current, int column, ActionIconDelegate *delegate)
{
    if (current != kNoColumn)
        setItemDelegateForColumn(current, nullptr);
    current = column < 0 ? kNoColumn : column;
    if (current != kNoColumn)
        setItemDelegateForColumn(current, delegate);
    NameActionCells(0, rowCount() - 1);
    viewport()->update();
}

bool ActionIconListCtrl::isActionColumn(int column) const
{
    return column >= 0 && (column == deleteColumn_ || column == editColumn_);
}

bool ActionIconListCtrl::isClickableColumn(int column) const
{
    return isActionColumn(column) || RecordListCtrl::isClickableColumn(column);
}

QRect ActionIconListCtrl::clickZone(int row, int column) const
{
    if (!isActionColumn(column))
        return RecordListCtrl::clickZone(row, column);
    const QRect cell = cellRect(row, column);
    return cell.isNull() ? QRect() : ActionIconDelegate::IconRect(cell);
}

void ActionIconListCtrl::NameActionCells(int firstRow, int lastRow)
{
    // Screen readers have no icon to read: the cells say what a click does.
    for (int row = firstRow; row <= lastRow; ++row) {
        if (deleteColumn_ != kNoColumn && deleteColumn_ < columnCount())
            records()->setData(records()->index(row, deleteColumn_), tr("Delete"),
                               Qt::AccessibleTextRole);
        if (editColumn_ != kNoColumn && editColumn_ < columnCount())
            records()->setData(records()->index(row, editColumn_), tr("Edit"),
                               Qt::AccessibleTextRole);
    }
}

} // namespace trb
