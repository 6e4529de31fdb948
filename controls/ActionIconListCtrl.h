#pragma once
// A record list whose delete and edit columns show our own 32 x 32 icons. A click on an icon
// arrives as cellClicked() and, for pages that need only the row, as editClicked()/deleteClicked().
#include "RecordListCtrl.h"

namespace trb {

class ActionIconDelegate;

class ActionIconListCtrl : public RecordListCtrl {
    Q_OBJECT
public:
    explicit ActionIconListCtrl(QWidget *parent = nullptr);

    void SetDeleteColumn(int column);
    void SetEditColumn(int column);
    int deleteColumn() const { return deleteColumn_; }
    int editColumn() const { return editColumn_; }

    // In the delete and edit columns a click counts within the centred 32 x 32 square.
    QRect clickZone(int row, int column) const override;

signals:
    void editClicked(int row);
    void deleteClicked(int row);

protected:
    bool isClickableColumn(int column) const override;

private:
    bool isActionColumn(int column) const;
    void SetActionColumn(int &current, int column, ActionIconDelegate *delegate);
    void NameActionCells(int firstRow, int lastRow);

    ActionIconDelegate *deleteDelegate_;
    ActionIconDelegate *editDelegate_;
    int deleteColumn_ = kNoColumn;
    int editColumn_ = kNoColumn;
};

} // namespace trb
