#include "SiteSurveyPanel.h"

#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "FormRows.h"
#include "RecordListCtrl.h"
#include "RecordText.h"

namespace trb {
namespace {

template <typename Record>
std::vector<SiteSurveyPanel::Neighbour> NeighboursOf(const std::vector<Record> &records, int band)
{
    std::vector<SiteSurveyPanel::Neighbour> neighbours;
    for (const Record &r : records)
        if (int(r.band) == band)
            neighbours.push_back({int(r.channel), int(r.signal), RecordText(r.bssid), RecordText(r.security),
                                  RecordText(r.ssid)});
    return neighbours;
}

} // namespace

SiteSurveyPanel::SiteSurveyPanel(QWidget *parent) : QGroupBox(QStringLiteral("Site Survey"), parent)
{
    setObjectName(QStringLiteral("siteSurveyPanel"));
    list_ = Named(new RecordListCtrl, "siteSurveyList", "Site Survey");
    const std::pair<const char *, int> columns[] = {{"CH", 60}, {"Signal", 60}, {"BSSID", 120}, {"Security", 60}, {"SSID", 60}};
    for (const auto &[title, width] : columns)
        list_->InsertColumn(-1, QString::fromLatin1(title), width);
    list_->horizontalHeader()->setSectionsClickable(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setShowGrid(true);
    scan_ = PageButton(QStringLiteral("Scan"), "siteSurveyScanButton");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(scan_, 0, Qt::AlignRight);
    connect(list_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && std::size_t(index.row()) < shown_.size())
            emit neighbourChosen(index.row());
    });
}

void SiteSurveyPanel::Show(const std::vector<apWdsSurveyRecord> &records, int band)
{
    ShowNeighbours(NeighboursOf(records, band));
}

void SiteSurveyPanel::Show(const std::vector<apClientSurveyRecord> &records, int band)
{
    ShowNeighbours(NeighboursOf(records, band));
}

void SiteSurveyPanel::Clear() { ShowNeighbours({}); }

void SiteSurveyPanel::ShowNeighbours(std::vector<Neighbour> neighbours)
{
    shown_ = std::move(neighbours);
    list_->DeleteAllRows();
    for (const Neighbour &n : shown_) {
        const int row = list_->InsertRecordRow(-1, QString::number(n.channel));
        list_->SetCellText(row, 1, QStringLiteral("%1%").arg(n.signal));
        list_->SetCellText(row, 2, n.bssid);
        list_->SetCellText(row, 3, n.security);
        list_->SetCellText(row, 4, n.ssid);
    }
}

} // namespace trb
