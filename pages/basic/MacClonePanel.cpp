#include "MacClonePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "MacAddress.h"
#include "RecordListCtrl.h"
#include "RecordText.h"

namespace trb {

MacClonePanel::MacClonePanel(QWidget *parent) : QGroupBox(QStringLiteral("Wireless MAC Clone"), parent)
{
    setObjectName(QStringLiteral("macClonePanel"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QWidget;
    FormRows rows = FormRows::On(form);
    c_.enable = rows.AddWide(new QCheckBox(QStringLiteral("Enable")), "macCloneEnableCheck");
    c_.source = rows.Add(QStringLiteral("MAC Source"), new QComboBox, "macSourceCombo");
    c_.source->addItems({QStringLiteral("Auto"), QStringLiteral("Manual")});
    c_.mac = rows.Add(QStringLiteral("MAC Address"), new QLineEdit, "macCloneAddressEdit");
    c_.mac->setMaxLength(12);
    c_.scan = PageButton(QStringLiteral("Scan"), "macCloneScanButton");
    rows.grid()->addWidget(c_.scan, rows.grid()->rowCount() - 1, 2);
    layout->addWidget(form);
    c_.list = Named(new RecordListCtrl, "macCloneList", "MAC Address list");
    const int width = 320;
    c_.list->InsertColumn(-1, QStringLiteral("Index"), width / 4);
    c_.list->InsertColumn(-1, QStringLiteral("MAC Address"), width / 3);
    c_.list->setSelectionBehavior(QAbstractItemView::SelectRows);
    c_.list->setShowGrid(true);
    layout->addWidget(c_.list);

    connect(c_.enable, &QCheckBox::toggled, this, &MacClonePanel::UpdateEnabling);
    connect(c_.source, &QComboBox::currentIndexChanged, this, &MacClonePanel::UpdateEnabling);
    connect(c_.list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            c_.mac->setText(c_.list->cellText(index.row(), 1));
    });
    UpdateEnabling();
}

void MacClonePanel::UpdateEnabling()
{
    const bool on = c_.enable->isChecked();
    c_.source->setEnabled(on);
    const bool manual = on && c_.source->currentIndex() == 1;
    SetEnabled({c_.mac, c_.scan}, manual);
}

void MacClonePanel::Load(const Values &values)
{
    c_.enable->setChecked(values.enable == 1);
    c_.source->setCurrentIndex(values.source > 0 ? values.source - 1 : 0);
    c_.mac->setText(values.mac == QStringLiteral("000000000000") ? QString() : values.mac);
    UpdateEnabling();
}

bool MacClonePanel::Collect(Values &values)
{
    values.enable = c_.enable->isChecked() ? 1 : 0;
    values.source = c_.source->currentIndex() + 1;
    values.mac = c_.mac->text().trimmed().toUpper();
    if (values.enable != 1 || values.source != 2)
        return true; // the address is the user's only when cloning by hand
    if (!IsValidUnicastMac(values.mac) || values.mac == QStringLiteral("000000000000")) {
        DataExchange dx(DataExchange::Saving);
        dx.setLastControl(c_.mac);
        dx.fail(QStringLiteral("Invalid Mac Address!"));
        return false;
    }
    return true;
}

void MacClonePanel::ShowMacList(const std::vector<apClientMacRecord> &records)
{
    c_.list->DeleteAllRows();
    for (const apClientMacRecord &r : records) {
        const int row = c_.list->InsertRecordRow(-1, QString::number(r.index));
        c_.list->SetCellText(row, 1, RecordText(r.mac));
    }
}

} // namespace trb
