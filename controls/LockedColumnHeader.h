#pragma once
// A list header whose listed columns keep their width: their dividers cannot be dragged.
#include <QHeaderView>
#include <QList>

namespace trb {

// Titles are not buttons: clicking one does nothing (no sorting, no highlight).
class LockedColumnHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit LockedColumnHeader(QWidget *parent = nullptr);

    void AddLockedColumn(int column);
    void ClearLockedColumns();
    bool isLocked(int column) const;
    QList<int> lockedColumns() const { return locked_; }

private:
    void ApplyLocks();

    QList<int> locked_;
};

} // namespace trb
