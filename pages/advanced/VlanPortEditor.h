#pragma once
// The port groups of the VLAN form: for each shown port three radio buttons ("Untag", "Tag",
// "Not Member"), and per group and row an "ALL" button. Ports not shown keep the values last set.
#include <QGroupBox>
#include <QWidget>

#include <vector>

#include "VlanMembers.h"

class QButtonGroup;
class QPushButton;

namespace trb {

class VlanPortEditor : public QWidget {
    Q_OBJECT
public:
    explicit VlanPortEditor(QWidget *parent = nullptr);

    void SetValues(const VlanMembers::Values &values);
    VlanMembers::Values Values() const;

    QGroupBox *group(int index) const { return groups_[index]; }
    // The radio button of a shown port and membership; null for a hidden port.
    QAbstractButton *button(const QString &port, int membership) const;
    QPushButton *allButton(int group, int membership) const;

private:
    struct Group {
        QGroupBox *box;
        std::vector<int> ports; // indexes into VlanMembers::PortNames()
        QPushButton *all[3];
    };

    QGroupBox *BuildGroup(const QString &title, const QStringList &ports, bool ssids);
    void SetGroup(int group, int membership);

    std::vector<QGroupBox *> groups_;
    std::vector<Group> layout_;
    QButtonGroup *columns_[VlanMembers::kPortCount] = {};
    VlanMembers::Values values_ = VlanMembers::AllUntagged();
};

} // namespace trb
