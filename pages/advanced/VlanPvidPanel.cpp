#include "VlanPvidPanel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <vector>

#include "FormRows.h"

namespace trb {
namespace {

constexpr int kMinPvid = 1, kMaxPvid = 4094;

QLineEdit *PvidEdit(const QString &port)
{
    auto *edit = Named(new QLineEdit, QStringLiteral("pvid_%1").arg(port), QStringLiteral("%1 PVID").arg(port));
    edit->setMaxLength(4);
    edit->setMaximumWidth(60);
    return edit;
}

// Fields with their labels above, in one row.
QGroupBox *FieldGroup(const QString &title, const QStringList &labels, QLineEdit **fields, int count)
{
    auto *box = new QGroupBox(title);
    auto *grid = new QGridLayout(box);
    for (int i = 0; i < count; ++i) {
        fields[i] = PvidEdit(labels[i]);
        auto *label = new QLabel(labels[i]);
        grid->addWidget(label, 0, i, Qt::AlignHCenter);
        grid->addWidget(fields[i], 1, i);
        if (i >= VlanPvidPanel::kShown && count == VlanPvidPanel::kPerGroup) { // S-4..S-7, W-5..W-8
            label->hide();
            fields[i]->hide();
        }
    }
    return box;
}

bool InRange(const QLineEdit *edit, int &value)
{
    bool number = false;
    value = edit->text().toInt(&number);
    return number && value >= kMinPvid && value <= kMaxPvid;
}

} // namespace

VlanPvidPanel::VlanPvidPanel(QWidget *parent) : QWidget(parent)
{
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(QStringLiteral("PVID Auto Assign Status")));
    c_.autoOff = Named(new QRadioButton(QStringLiteral("Disable")), "pvidAutoDisable", "PVID Auto Assign Disable");
    c_.autoOn = Named(new QRadioButton(QStringLiteral("Enable")), "pvidAutoEnable", "PVID Auto Assign Enable");
    auto *pair = new QButtonGroup(this);
    pair->addButton(c_.autoOff);
    pair->addButton(c_.autoOn);
    c_.autoOff->setChecked(true);
    statusRow->addWidget(c_.autoOff);
    statusRow->addWidget(c_.autoOn);
    statusRow->addStretch(1);

    c_.portGroup = FieldGroup(QStringLiteral("Port"), {"Mgmt", "LAN"}, c_.ports.data(), kPorts);
    c_.band = BuildBand();
    c_.secondBand = new QGroupBox; // kept for the layout of two-radio models; never shown here
    c_.secondBand->hide();
    c_.save = PageButton(QStringLiteral("Save"), "pvidSaveButton");
    auto *buttons = ButtonRow({c_.save});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(statusRow);
    layout->addWidget(c_.portGroup);
    layout->addWidget(c_.band);
    layout->addWidget(c_.secondBand);
    layout->addStretch(1);
    layout->addLayout(buttons);
    connect(c_.autoOff, &QRadioButton::toggled, this, &VlanPvidPanel::UpdateFields);
}

QGroupBox *VlanPvidPanel::BuildBand()
{
    auto *band = new QGroupBox;
    band->setObjectName(QStringLiteral("pvidBandGroup"));
    auto *layout = new QVBoxLayout(band);
    layout->addWidget(FieldGroup(QStringLiteral("MultiSSID Port"),
                                 {"Primary", "S-1", "S-2", "S-3", "S-4", "S-5", "S-6", "S-7"}, c_.ssids.data(), kPerGroup));
    layout->addWidget(FieldGroup(QStringLiteral("WDS Port"), {"W-1", "W-2", "W-3", "W-4", "W-5", "W-6", "W-7", "W-8"},
                                 c_.wds.data(), kPerGroup));
    return band;
}

void VlanPvidPanel::Show(const Values &values)
{
    for (int i = 0; i < kPorts; ++i)
        c_.ports[i]->setText(QString::number(values.ports[i]));
    for (int i = 0; i < kPerGroup; ++i) {
        c_.ssids[i]->setText(QString::number(values.ssids[i]));
        c_.wds[i]->setText(QString::number(values.wds[i]));
    }
    (values.autoAssign == 1 ? c_.autoOn : c_.autoOff)->setChecked(true);
    c_.band->setTitle(QStringLiteral("2.4GHZ"));
    UpdateFields();
}

bool VlanPvidPanel::automatic() const { return c_.autoOn->isChecked(); }

// Band 1's fields first, then band 2's (the hidden ones).
bool VlanPvidPanel::Collect(Values &values)
{
    values.autoAssign = automatic() ? 1 : 0;
    std::vector<std::pair<QLineEdit *, int *>> order;
    for (int i = 0; i < kPorts; ++i)
        order.emplace_back(c_.ports[i], &values.ports[i]);
    for (int half = 0; half < 2; ++half) {
        for (int i = half * kShown; i < (half + 1) * kShown; ++i)
            order.emplace_back(c_.ssids[i], &values.ssids[i]);
        for (int i = half * kShown; i < (half + 1) * kShown; ++i)
            order.emplace_back(c_.wds[i], &values.wds[i]);
    }
    for (auto [edit, value] : order)
        if (!InRange(edit, *value)) {
            if (edit->isVisible())
                edit->setFocus();
            return false;
        }
    return true;
}

void VlanPvidPanel::ApplyEnableRule(bool enabled, bool staticMode)
{
    editable_ = enabled && staticMode;
    SetEnabled({c_.autoOff, c_.autoOn}, editable_);
    UpdateFields();
}

void VlanPvidPanel::UpdateFields()
{
    SetEnabled({c_.portGroup, c_.band, c_.secondBand}, editable_ && c_.autoOff->isChecked());
}

} // namespace trb
