#include "LockedColumnHeader.h"

namespace trb {

LockedColumnHeader::LockedColumnHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("lockedColumnHeader"));
    setSectionsClickable(false);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setSectionsMovable(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Sections that appear later (columns inserted after the lock) get their lock too.
    connect(this, &QHeaderView::sectionCountChanged, this, &LockedColumnHeader::ApplyLocks);
}

void LockedColumnHeader::AddLockedColumn(int column)
{
    if (column < 0 || locked_.contains(column))
        return;
    locked_.append(column);
    ApplyLocks();
}

void LockedColumnHeader::ClearLockedColumns()
{
    const QList<int> released = locked_;
    locked_.clear();
    for (int column : released) {
        if (column < count())
            setSectionResizeMode(column, QHeaderView::Interactive);
    }
}

bool LockedColumnHeader::isLocked(int column) const
{
    return locked_.contains(column);
}

void LockedColumnHeader::ApplyLocks()
{
    // A fixed section offers no divider to grab (no split cursor, no drag, no
    // double-click fit); the program can still size it.
    for (int column : std::as_const(locked_)) {
        if (column < count() && sectionResizeMode(column) != QHeaderView::Fixed)
            setSectionResizeMode(column, QHeaderView::Fixed);
    }
}

} // namespace trb
