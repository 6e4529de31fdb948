#pragma once
// A report-style list whose records may span several lines and whose two link columns
// report clicks to the page.
#include <QTableView>

class QStandardItem;
class QStandardItemModel;

namespace trb {

class LockedColumnHeader;

// The page's message for a click in a link cell; here it arrives as cellClicked().
inline constexpr int WM_APP_LIST_CELL_CLICK = 0x700;

// Each row of the list is one record. A record's item value is the number of lines it
// occupies (at least 1): its row is that many lines tall, so the rows the page counts are
// the records the device counts, and selecting any line of a record highlights all of it.
class RecordListCtrl : public QTableView {
    Q_OBJECT
public:
    static constexpr int kNoColumn = -1;
    static constexpr int kLinkZoneSize = 16;

    explicit RecordListCtrl(QWidget *parent = nullptr);

    LockedColumnHeader *lockedHeader() const { return header_; }

    // Inserts a column before `column` (or at the end); returns its index.
    int InsertColumn(int column, const QString &title, int width);
    int columnCount() const;

    // Inserts a record before `row` (or at the end) with its first-column text; its line
    // count becomes the item value. Returns the row, or -1 when the list has no columns.
    int InsertRecordRow(int row, const QString &firstColumnText);
    // Sets a cell; the item value grows to the text's line count if it is shorter.
    bool SetCellText(int row, int column, const QString &text);
    QString cellText(int row, int column) const;
    // A 16 x 16 image drawn at the cell's top-left (the edit and delete icons of link cells).
    bool SetCellIcon(int row, int column, const QPixmap &icon);
    int itemValue(int row) const;
    int rowCount() const;
    void DeleteRow(int row);
    void DeleteAllRows();

    // Columns whose cells act as links; kNoColumn for none.
    void SetLinkColumns(int firstColumn, int secondColumn);
    int firstLinkColumn() const { return linkColumns_[0]; }
    int secondLinkColumn() const { return linkColumns_[1]; }
    bool isLinkColumn(int column) const;
    // A column whose texts the user reads: shown, and not one of icons to click.
    bool isTextColumn(int column) const;

    // A check box in front of each record's first cell.
    void SetCheckBoxes(bool shown);
    bool hasCheckBoxes() const { return checkBoxes_; }
    bool isRowChecked(int row) const;
    void SetRowChecked(int row, bool checked);

    int selectedRow() const;
    // Height of one line of a record.
    int lineHeight() const;
    // A cell's rectangle in viewport coordinates.
    QRect cellRect(int row, int column) const;
    // The part of a cell where a click is reported; empty for ordinary cells.
    virtual QRect clickZone(int row, int column) const;

signals:
    // A click in the click zone of a cell (WM_APP_LIST_CELL_CLICK).
    void cellClicked(int column, int row);
    // The user ticked or cleared a record's check box.
    void rowCheckToggled(int row, bool checked);

protected:
    // Cells of these columns show the hand cursor.
    virtual bool isClickableColumn(int column) const;
    void SetMinimumLineHeight(int height);
    QStandardItemModel *records() const { return model_; }

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QStandardItem *CellItem(int row, int column) const;
    QStandardItem *NewCellItem(int column) const;
    bool IsCell(int row, int column) const;
    void UpdateRowHeight(int row);
    void FitColumnTo(int column, const QString &text);
    void UpdateAllRowHeights();
    void UpdateCursor(const QPoint &position);
    void ToggleCheck(int row);

    QStandardItemModel *model_;
    LockedColumnHeader *header_;
    int linkColumns_[2] = {kNoColumn, kNoColumn};
    bool checkBoxes_ = false;
    int minimumLineHeight_ = 0;
    int pressedRow_ = -1;
    int pressedColumn_ = -1;
};

} // namespace trb
