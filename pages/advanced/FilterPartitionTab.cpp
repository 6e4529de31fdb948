#include "FilterPartitionTab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "FormRows.h"

namespace trb {
namespace {

const char *const kRowTitles[FilterPartitionTab::kSsids] = {
    "Primary SSID ", "Multi-SSID 1", "Multi-SSID 2", "Multi-SSID 3",
    "Multi-SSID 4",  "Multi-SSID 5", "Multi-SSID 6", "Multi-SSID 7"};
const char *const kChoiceTexts[FilterPartitionTab::kChoices] = {"Enable ", "Disable ", "Guest mode "};

bool NotAvailable(int mode) { return mode == 4 || mode == 5; }

} // namespace

FilterPartitionTab::FilterPartitionTab(QWidget *parent) : QWidget(parent)
{
    auto *top = new QWidget;
    FormRows rows = FormRows::On(top);
    c_.band = rows.Add(QStringLiteral("Wireless Band"), ComboOf({QStringLiteral("2.4GHz"), QStringLiteral("5GHz")}),
                       "partitionBandCombo");
    c_.linkIntegrity = rows.Add(QStringLiteral("Link Integrity "), new QCheckBox(QStringLiteral("Enable")),
                                "linkIntegrityCheck");
    c_.ethernetToWlan = rows.Add(QStringLiteral("Ethernet to WLAN Access"), new QCheckBox(QStringLiteral("Enable")),
                                 "ethernetToWlanCheck");
    c_.internalStation = rows.Add(QStringLiteral("Internal Station Connection"),
                                  new QCheckBox(QStringLiteral("Enable")), "internalStationCheck");
    c_.internalStation->setVisible(false);
    rows.lastLabel()->setVisible(false);
    c_.band->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(top);
    BuildRows();
    for (QWidget *row : c_.rows)
        layout->addWidget(row);
    c_.save = PageButton(QStringLiteral("Save"), "partitionSaveButton");
    auto *buttons = ButtonRow({c_.save});
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(c_.ethernetToWlan, &QCheckBox::clicked, this, [this](bool checked) {
        if (!checked)
            emit ethernetToWlanCleared();
    });
}

void FilterPartitionTab::BuildRows()
{
    for (int ssid = 0; ssid < kSsids; ++ssid) {
        const QString title = QString::fromLatin1(kRowTitles[ssid]);
        auto *row = Named(new QWidget, QStringLiteral("partitionRow%1").arg(ssid), title);
        auto *line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto *label = new QLabel(title);
        label->setMinimumWidth(110);
        line->addWidget(label);
        c_.choices[ssid] = new QButtonGroup(row);
        for (int choice = 0; choice < kChoices; ++choice) {
            auto *button = Named(new QRadioButton(QString::fromLatin1(kChoiceTexts[choice])),
                                 QStringLiteral("partition%1Choice%2").arg(ssid).arg(choice),
                                 title.trimmed() + QLatin1Char(' ') +
                                     QString::fromLatin1(kChoiceTexts[choice]).trimmed());
            c_.choices[ssid]->addButton(button, choice);
            line->addWidget(button);
        }
        line->addStretch(1);
        row->setVisible(ssid < kShownSsids);
        c_.rows[ssid] = row;
    }
}

void FilterPartitionTab::Load(const PartitionValues &values)
{
    loaded_ = values;
    c_.linkIntegrity->setChecked(values.linkIntegrity != 0);
    c_.ethernetToWlan->setChecked(values.ethernetToWlan != 0);
    for (int ssid = 0; ssid < kSsids; ++ssid) {
        QAbstractButton *button = c_.choices[ssid]->button(values.ssids[ssid]);
        if (button)
            button->setChecked(true);
    }
    UpdateEnabling();
}

PartitionValues FilterPartitionTab::Values() const
{
    PartitionValues values = loaded_;
    values.linkIntegrity = c_.linkIntegrity->isChecked() ? 1 : 0;
    values.ethernetToWlan = c_.ethernetToWlan->isChecked() ? 1 : 0;
    for (int ssid = 0; ssid < kSsids; ++ssid) {
        const int checked = c_.choices[ssid]->checkedId();
        values.ssids[ssid] = checked >= 0 ? checked : loaded_.ssids[ssid];
    }
    return values;
}

void FilterPartitionTab::UpdateEnabling()
{
    const bool available = !NotAvailable(loaded_.mode);
    SetEnabled({c_.linkIntegrity, c_.ethernetToWlan}, available);
    for (int ssid = 0; ssid < kSsids; ++ssid) {
        const bool rowOn = available && (ssid == 0 || loaded_.multiSsidState != 0);
        for (QAbstractButton *button : c_.choices[ssid]->buttons())
            button->setEnabled(rowOn);
    }
    c_.band->setEnabled(false);
}

} // namespace trb
