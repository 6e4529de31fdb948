#include "RecordListCtrl.h"

#include "LockedColumnHeader.h"
#include "RecordItemDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStyle>

namespace trb {

namespace {

// Kept on the first cell of each row.
constexpr int kItemValueRole = Qt::UserRole + 1;

} // namespace

RecordListCtrl::RecordListCtrl(QWidget *parent)
    : QTableView(parent), model_(new QStandardItemModel(this)), header_(new LockedColumnHeader(this))
{
    setAccessibleName(tr("Record list"));
    setModel(model_);
    setHorizontalHeader(header_);
    verticalHeader()->hide();
    setShowGrid(false); // the delegate draws only the lines a record needs
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setItemDelegate(new RecordItemDelegate(this));
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    SetMinimumLineHeight(kLinkZoneSize + 2);
}

int RecordListCtrl::InsertColumn(int column, const QString &title, int width)
{
    const int count = columnCount();
    if (column < 0 || column > count)
        column = count;
    model_->insertColumn(column);
    model_->setHorizontalHeaderItem(column, new QStandardItem(title));
    const int titleWidth = header_->fontMetrics().horizontalAdvance(title)
                           + 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header_);
    setColumnWidth(column, width > 0 ? std::max(width, titleWidth) : 0); // 0: a column kept out of sight
    return column;
}

// A column grows to show its widest text whole, never shrinks below the width it was given,
// and stays hidden when it has none.
void RecordListCtrl::FitColumnTo(int column, const QString &text)
{
    if (columnWidth(column) == 0 || text.isEmpty())
        return;
    int widest = 0;
    for (QString line : text.split(u'\n'))
        widest = std::max(widest, fontMetrics().horizontalAdvance(line.remove(u'\r')));
    int needed = widest + 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    if (column == 0 && checkBoxes_)
        needed += style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) + 4;
    if (needed > columnWidth(column))
        setColumnWidth(column, needed);
}

int RecordListCtrl::columnCount() const
{
    return model_->columnCount();
}

int RecordListCtrl::rowCount() const
{
    return model_->rowCount();
}

bool RecordListCtrl::IsCell(int row, int column) const
{
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

QStandardItem *RecordListCtrl::NewCellItem(int column) const
{
    auto *item = new QStandardItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (column == 0 && checkBoxes_)
        item->setCheckState(Qt::Unchecked);
    return item;
}

QStandardItem *RecordListCtrl::CellItem(int row, int column) const
{
    if (!IsCell(row, column))
        return nullptr;
    QStandardItem *item = model_->item(row, column);
    if (!item) {
        item = NewCellItem(column);
        model_->setItem(row, column, item);
    }
    return item;
}

int RecordListCtrl::InsertRecordRow(int row, const QString &firstColumnText)
{
    const int columns = columnCount();
    if (columns == 0) {
        qWarning("RecordListCtrl: a record needs at least one column");
        return -1;
    }
    if (row < 0 || row > rowCount())
        row = rowCount();
    QList<QStandardItem *> cells;
    for (int column = 0; column < columns; ++column)
        cells.append(NewCellItem(column));
    cells[0]->setText(firstColumnText);
    cells[0]->setData(RecordItemDelegate::LineCount(firstColumnText), kItemValueRole);
    model_->insertRow(row, cells);
    UpdateRowHeight(row);
    FitColumnTo(0, firstColumnText);
    return row;
}

bool RecordListCtrl::SetCellText(int row, int column, const QString &text)
{
    QStandardItem *item = CellItem(row, column);
    if (!item)
        return false;
    item->setText(text);
    FitColumnTo(column, text);
    const int lines = RecordItemDelegate::LineCount(text);
    if (lines > itemValue(row)) {
        CellItem(row, 0)->setData(lines, kItemValueRole);
        UpdateRowHeight(row);
    }
    return true;
}

QString RecordListCtrl::cellText(int row, int column) const
{
    return IsCell(row, column) ? model_->index(row, column).data().toString() : QString();
}

bool RecordListCtrl::SetCellIcon(int row, int column, const QPixmap &icon)
{
    QStandardItem *item = CellItem(row, column);
    if (!item)
        return false;
    item->setData(icon, Qt::DecorationRole);
    return true;
}

int RecordListCtrl::itemValue(int row) const
{
    if (!IsCell(row, 0))
        return 0;
    return std::max(1, model_->index(row, 0).data(kItemValueRole).toInt());
}

void RecordListCtrl::DeleteRow(int row)
{
    if (row >= 0 && row < rowCount())
        model_->removeRow(row);
}

void RecordListCtrl::DeleteAllRows()
{
    model_->removeRows(0, rowCount());
}

void RecordListCtrl::SetLinkColumns(int firstColumn, int secondColumn)
{
    linkColumns_[0] = firstColumn < 0 ? kNoColumn : firstColumn;
    linkColumns_[1] = secondColumn < 0 ? kNoColumn : secondColumn;
}

bool RecordListCtrl::isLinkColumn(int column) const
{
    return column >= 0 && (column == linkColumns_[0] || column == linkColumns_[1]);
}

bool RecordListCtrl::isClickableColumn(int column) const
{
    return isLinkColumn(column);
}

bool RecordListCtrl::isTextColumn(int column) const
{
    return !isColumnHidden(column) && columnWidth(column) > 0 && !isClickableColumn(column);
}

void RecordListCtrl::SetCheckBoxes(bool shown)
{
    checkBoxes_ = shown;
    for (int row = 0; row < rowCount(); ++row) {
        QStandardItem *item = CellItem(row, 0);
        if (shown)
            item->setCheckState(Qt::Unchecked);
        else
            item->setData(QVariant(), Qt::CheckStateRole);
    }
}

bool RecordListCtrl::isRowChecked(int row) const
{
    return checkBoxes_ && IsCell(row, 0)
        && model_->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void RecordListCtrl::SetRowChecked(int row, bool checked)
{
    if (checkBoxes_ && IsCell(row, 0))
        CellItem(row, 0)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void RecordListCtrl::ToggleCheck(int row)
{
    const bool checked = !isRowChecked(row);
    SetRowChecked(row, checked);
    emit rowCheckToggled(row, checked);
}

int RecordListCtrl::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int RecordListCtrl::lineHeight() const
{
    return std::max(minimumLineHeight_, fontMetrics().height() + 4);
}

void RecordListCtrl::SetMinimumLineHeight(int height)
{
    minimumLineHeight_ = height;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(lineHeight());
    UpdateAllRowHeights();
}

void RecordListCtrl::UpdateRowHeight(int row)
{
    setRowHeight(row, itemValue(row) * lineHeight());
}

void RecordListCtrl::UpdateAllRowHeights()
{
    for (int row = 0; row < rowCount(); ++row)
        UpdateRowHeight(row);
}

QRect RecordListCtrl::cellRect(int row, int column) const
{
    return IsCell(row, column) ? visualRect(model_->index(row, column)) : QRect();
}

QRect RecordListCtrl::clickZone(int row, int column) const
{
    if (!isLinkColumn(column))
        return {};
    const QRect cell = cellRect(row, column);
    return QRect(cell.topLeft(), QSize(kLinkZoneSize, kLinkZoneSize)).intersected(cell);
}

void RecordListCtrl::mousePressEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    const QModelIndex index = indexAt(position);
    pressedRow_ = pressedColumn_ = -1;
    if (event->button() == Qt::LeftButton && index.isValid()) {
        if (checkBoxes_ && index.column() == 0
            && RecordItemDelegate::CheckBoxRect(visualRect(index), this).contains(position))
            ToggleCheck(index.row());
        if (clickZone(index.row(), index.column()).contains(position)) {
            pressedRow_ = index.row();
            pressedColumn_ = index.column();
        }
    }
    QTableView::mousePressEvent(event);
}

void RecordListCtrl::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    const int row = pressedRow_;
    const int column = pressedColumn_;
    pressedRow_ = pressedColumn_ = -1;
    if (event->button() != Qt::LeftButton || row < 0)
        return;
    // A click counts when the button comes up inside the zone it went down in.
    const QPoint position = event->position().toPoint();
    const QModelIndex index = indexAt(position);
    if (index.row() == row && index.column() == column && clickZone(row, column).contains(position))
        emit cellClicked(column, row);
}

void RecordListCtrl::mouseMoveEvent(QMouseEvent *event)
{
    UpdateCursor(event->position().toPoint());
    QTableView::mouseMoveEvent(event);
}

void RecordListCtrl::leaveEvent(QEvent *event)
{
    viewport()->unsetCursor();
    QTableView::leaveEvent(event);
}

void RecordListCtrl::UpdateCursor(const QPoint &position)
{
    const QModelIndex index = indexAt(position);
    if (index.isValid() && isClickableColumn(index.column()))
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
}

void RecordListCtrl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && checkBoxes_ && selectedRow() >= 0) {
        ToggleCheck(selectedRow());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void RecordListCtrl::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        verticalHeader()->setDefaultSectionSize(lineHeight());
        UpdateAllRowHeights();
    }
}

} // namespace trb
