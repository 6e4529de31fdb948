#pragma once
// The VLAN page's port table and member strings: the 18 port names, a VLAN's membership of each
// port, and the member strings as the device holds them and as the list shows them.
#include <QString>
#include <QStringList>

#include <array>

namespace trb {

class VlanMembers {
public:
    static constexpr int kPortCount = 18;
    enum Membership { Untag = 0, Tag = 1, NotMember = 2 };
    using Values = std::array<int, kPortCount>;

    // "Mgmt", "LAN", "Primary", "S-1" ... "S-7", "W-1" ... "W-8".
    static const QStringList &PortNames();
    // S-4 to S-7 and W-5 to W-8: carried, never shown.
    static bool IsHidden(const QString &port);
    static Values AllUntagged();

    // Untagged if the port is in `untagged`, else tagged if in `tagged`, else not a member.
    static Values FromStrings(const QString &untagged, const QString &tagged);
    // The names joined with ", " in port order.
    static QString Untagged(const Values &values) { return Joined(values, Untag); }
    static QString Tagged(const Values &values) { return Joined(values, Tag); }

    // The list's text: a line break after every sixth name, the hidden ports removed.
    static QString DisplayForm(const QString &members);

private:
    static QString Joined(const Values &values, int membership);
    static QString BrokenIntoLines(const QString &members);
    static void RemoveRun(QString &text, const QString &first, const QString &last, int extra, int before);
};

} // namespace trb
