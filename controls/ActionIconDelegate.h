#pragma once
// Paints an edit or delete cell: the 32 x 32 icon centred on the window colour.
#include <QPixmap>
#include <QStyledItemDelegate>

namespace trb {

class ActionIconDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kIconSize = 32;

    ActionIconDelegate(const QPixmap &icon, QObject *parent);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // The 32 x 32 square centred in the cell: where the icon is and where a click counts.
    static QRect IconRect(const QRect &cell);

private:
    QPixmap icon_;
};

} // namespace trb
