#include "ActionIconDelegate.h"

#include "RecordItemDelegate.h"

#include <QPainter>

namespace trb {

ActionIconDelegate::ActionIconDelegate(const QPixmap &icon, QObject *parent)
    : QStyledItemDelegate(parent), icon_(icon)
{
}

QRect ActionIconDelegate::IconRect(const QRect &cell)
{
    return QRect(cell.left() + (cell.width() - kIconSize) / 2,
                 cell.top() + (cell.height() - kIconSize) / 2, kIconSize, kIconSize);
}

void ActionIconDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const QRect cell = option.rect;
    painter->save();
    painter->setClipRect(cell);
    // Always the window colour: the icon stays readable on a selected record.
    painter->fillRect(cell, option.palette.color(QPalette::Active, QPalette::Base));
    painter->drawPixmap(IconRect(cell), icon_);
    painter->restore();
    RecordItemDelegate::PaintGridLines(painter, cell, index.column() == 0);
}

} // namespace trb
