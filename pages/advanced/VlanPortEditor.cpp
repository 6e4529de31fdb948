#include "VlanPortEditor.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "FormRows.h"

namespace trb {
namespace {

const char *const kRows[] = {"Untag", "Tag", "Not Member"};

} // namespace

VlanPortEditor::VlanPortEditor(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildGroup(QStringLiteral("Port"), {"Mgmt", "LAN"}, false));
    layout->addWidget(BuildGroup(QStringLiteral("MultiSSID Port"), {"Primary", "S-1", "S-2", "S-3"}, true));
    layout->addWidget(BuildGroup(QStringLiteral("WDS Port"), {"W-1", "W-2", "W-3", "W-4"}, false));
    SetValues(values_);
}

// An SSID port is an untagged member or none: its "Tag" row never takes a click.
QGroupBox *VlanPortEditor::BuildGroup(const QString &title, const QStringList &ports, bool ssids)
{
    const int groupIndex = int(layout_.size());
    Group group{new QGroupBox(title), {}, {}};
    group.box->setObjectName(QStringLiteral("portGroup%1").arg(groupIndex));
    auto *grid = new QGridLayout(group.box);
    for (int row = 0; row < 3; ++row) {
        group.all[row] = PageButton(QStringLiteral("ALL"), QStringLiteral("all%1_%2").arg(groupIndex).arg(row));
        group.all[row]->setAccessibleName(QStringLiteral("%1 ALL %2").arg(title, QLatin1String(kRows[row])));
        grid->addWidget(group.all[row], row + 1, 0);
        grid->addWidget(new QLabel(QLatin1String(kRows[row])), row + 1, 1);
        connect(group.all[row], &QPushButton::clicked, this, [this, groupIndex, row] { SetGroup(groupIndex, row); });
    }
    for (int column = 0; column < ports.size(); ++column) {
        const int port = int(VlanMembers::PortNames().indexOf(ports[column]));
        group.ports.push_back(port);
        grid->addWidget(new QLabel(ports[column]), 0, column + 2, Qt::AlignHCenter);
        columns_[port] = new QButtonGroup(this);
        for (int row = 0; row < 3; ++row) {
            auto *radio = new QRadioButton;
            radio->setObjectName(QStringLiteral("port_%1_%2").arg(ports[column]).arg(row));
            radio->setAccessibleName(QStringLiteral("%1 %2").arg(ports[column], QLatin1String(kRows[row])));
            columns_[port]->addButton(radio, row);
            grid->addWidget(radio, row + 1, column + 2, Qt::AlignHCenter);
        }
    }
    if (ssids) {
        group.all[VlanMembers::Tag]->setEnabled(false);
        for (int port : group.ports)
            columns_[port]->button(VlanMembers::Tag)->setEnabled(false);
    }
    layout_.push_back(group);
    groups_.push_back(group.box);
    return group.box;
}

void VlanPortEditor::SetGroup(int group, int membership)
{
    for (int port : layout_[group].ports)
        if (QAbstractButton *radio = columns_[port]->button(membership); radio->isEnabled())
            radio->setChecked(true);
}

void VlanPortEditor::SetValues(const VlanMembers::Values &values)
{
    values_ = values;
    for (int port = 0; port < VlanMembers::kPortCount; ++port)
        if (columns_[port])
            if (QAbstractButton *radio = columns_[port]->button(values[port]))
                radio->setChecked(true);
}

VlanMembers::Values VlanPortEditor::Values() const
{
    VlanMembers::Values values = values_;
    for (int port = 0; port < VlanMembers::kPortCount; ++port)
        if (columns_[port] && columns_[port]->checkedId() >= 0)
            values[port] = columns_[port]->checkedId();
    return values;
}

QAbstractButton *VlanPortEditor::button(const QString &port, int membership) const
{
    const auto index = VlanMembers::PortNames().indexOf(port);
    return index >= 0 && columns_[index] ? columns_[index]->button(membership) : nullptr;
}

QPushButton *VlanPortEditor::allButton(int group, int membership) const { return layout_[group].all[membership]; }

} // namespace trb
