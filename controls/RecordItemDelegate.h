#pragma once
// Paints one cell of a record list: record highlight, check box, small icon, text, grid.
#include <QColor>
#include <QStyledItemDelegate>

namespace trb {

class RecordItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static inline const QColor kGridColour{233, 233, 200};
    static constexpr int kFirstColumnIndent = 2;
    static constexpr int kTextIndent = 6;
    static constexpr int kSmallIconSize = 16;

    explicit RecordItemDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // A vertical line at the left of every cell but the first column's, and one along the
    // bottom of the record.
    static void PaintGridLines(QPainter *painter, const QRect &cell, bool firstColumn);
    // Where the row's check box sits in a first-column cell.
    static QRect CheckBoxRect(const QRect &cell, const QWidget *widget);
    // Newlines of any convention ("\r\n" from the device included) as plain "\n".
    static QString DisplayText(const QString &text);
    // Lines the text needs; a final line break does not start another line.
    static int LineCount(const QString &text);
};

} // namespace trb
