#include "BandListPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QAbstractItemModel>
#include <QVBoxLayout>

#include "FormRows.h"
#include "RecordListCtrl.h"

namespace trb {

BandListPanel::BandListPanel(const QString &name, const std::vector<Column> &columns, QWidget *parent)
    : QWidget(parent), header_(new QHBoxLayout), refresh_(PageButton(QStringLiteral("Refresh"), name + "RefreshButton")),
      list_(Named(new RecordListCtrl, name + "List", name))
{
    setObjectName(name);
    for (const auto &[title, width] : columns)
        list_->InsertColumn(-1, QString::fromLatin1(title), width);
    list_->setColumnHidden(0, true); // the index column has no width
    list_->setShowGrid(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    header_->addStretch(1);
    header_->addWidget(refresh_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(header_);
    layout->addWidget(list_);
}

void BandListPanel::AddRow(const QStringList &cells)
{
    if (cells.isEmpty())
        return;
    const int row = list_->InsertRecordRow(std::min(1, list_->rowCount()), cells[0]);
    for (int column = 1; column < cells.size(); ++column) {
        list_->SetCellText(row, column, cells[column]);
        list_->model()->setData(list_->model()->index(row, column), int(Qt::AlignCenter), Qt::TextAlignmentRole);
    }
}

int BandListPanel::rowCount() const { return list_->rowCount(); }

void BandListPanel::Clear() { list_->DeleteAllRows(); }

} // namespace trb
