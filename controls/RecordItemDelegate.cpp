#include "RecordItemDelegate.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>

namespace trb {

namespace {

QPixmap SmallIcon(const QVariant &decoration)
{
    if (decoration.metaType().id() == QMetaType::QIcon)
        return decoration.value<QIcon>().pixmap(RecordItemDelegate::kSmallIconSize);
    return decoration.value<QPixmap>();
}

} // namespace

RecordItemDelegate::RecordItemDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QString RecordItemDelegate::DisplayText(const QString &text)
{
    QString display = text;
    display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    display.replace(u'\r', u'\n');
    return display;
}

int RecordItemDelegate::LineCount(const QString &text)
{
    QString display = DisplayText(text);
    if (display.endsWith(u'\n'))
        display.chop(1);
    return int(display.count(u'\n')) + 1;
}

QRect RecordItemDelegate::CheckBoxRect(const QRect &cell, const QWidget *widget)
{
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const int width = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
    const int height = style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
    return QRect(cell.left() + kFirstColumnIndent, cell.top() + (cell.height() - height) / 2,
                 width, height);
}

void RecordItemDelegate::PaintGridLines(QPainter *painter, const QRect &cell, bool firstColumn)
{
    painter->save();
    painter->setPen(kGridColour);
    if (!firstColumn)
        painter->drawLine(cell.topLeft(), cell.bottomLeft());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->restore();
}

void RecordItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const QRect cell = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const bool enabled = option.state & QStyle::State_Enabled;
    const QPalette &palette = option.palette;
    // The record's colours do not fade when the list loses focus.
    const QColor background = palette.color(QPalette::Active,
                                            selected ? QPalette::Highlight : QPalette::Base);
    const QColor foreground = palette.color(enabled ? QPalette::Active : QPalette::Disabled,
                                            selected ? QPalette::HighlightedText : QPalette::Text);

    painter->save();
    painter->setClipRect(cell);
    painter->fillRect(cell, background);

    const bool firstColumn = index.column() == 0;
    int textLeft = cell.left() + (firstColumn ? kFirstColumnIndent : kTextIndent);

    const QVariant checkState = index.data(Qt::CheckStateRole);
    if (firstColumn && checkState.isValid()) {
        QStyleOptionViewItem box(option);
        box.rect = CheckBoxRect(cell, option.widget);
        box.state &= ~QStyle::State_HasFocus;
        box.state |= checkState.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, option.widget);
        textLeft = box.rect.right() + 1 + kTextIndent;
    }

    const QPixmap icon = SmallIcon(index.data(Qt::DecorationRole));
    if (!icon.isNull()) {
        // The icon sits on the cell's top-left 16 x 16, which is also where a link click counts.
        const QRect iconRect(cell.topLeft(), QSize(kSmallIconSize, kSmallIconSize));
        painter->drawPixmap(iconRect, icon);
        textLeft = std::max(textLeft, iconRect.right() + 1 + kFirstColumnIndent);
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        painter->setPen(foreground);
        painter->setFont(option.font);
        const QRect textRect(textLeft, cell.top(), cell.right() - textLeft + 1, cell.height());
        // No mnemonic flag: "&" is shown as it is.
        const QVariant alignment = index.data(Qt::TextAlignmentRole);
        const Qt::Alignment horizontal = alignment.isValid() ? Qt::Alignment(alignment.toInt()) & Qt::AlignHorizontal_Mask
                                                             : Qt::AlignLeft;
        painter->drawText(textRect, int(horizontal | Qt::AlignVCenter), DisplayText(text));
    }
    painter->restore();

    PaintGridLines(painter, cell, firstColumn);
}

} // namespace trb
