#include "VlanMembers.h"

#include <algorithm>

namespace trb {
namespace {

constexpr int kNamesPerLine = 6;

bool Contains(const QString &members, const QString &port)
{
    const QStringList names = members.split(QLatin1Char(','));
    for (const QString &name : names)
        if (name.trimmed() == port)
            return true;
    return false;
}

// Position of the `count`th comma at or after `from`; -1 when there are fewer.
int NthComma(const QString &text, int from, int count)
{
    for (int at = from; at < text.size(); ++at)
        if (text[at] == QLatin1Char(',') && --count == 0)
            return at;
    return -1;
}

} // namespace

const QStringList &VlanMembers::PortNames()
{
    static const QStringList names = {"Mgmt", "LAN", "Primary", "S-1", "S-2", "S-3", "S-4", "S-5", "S-6",
                                      "S-7",  "W-1", "W-2",     "W-3", "W-4", "W-5", "W-6", "W-7", "W-8"};
    return names;
}

bool VlanMembers::IsHidden(const QString &port)
{
    static const QStringList hidden = {"S-4", "S-5", "S-6", "S-7", "W-5", "W-6", "W-7", "W-8"};
    return hidden.contains(port);
}

VlanMembers::Values VlanMembers::AllUntagged()
{
    Values values;
    values.fill(Untag);
    return values;
}

// Exact names, so that a port is never taken for another one whose name contains it.
VlanMembers::Values VlanMembers::FromStrings(const QString &untagged, const QString &tagged)
{
    Values values;
    for (int port = 0; port < kPortCount; ++port) {
        const QString &name = PortNames()[port];
        values[port] = Contains(untagged, name) ? Untag : Contains(tagged, name) ? Tag : NotMember;
    }
    return values;
}

QString VlanMembers::Joined(const Values &values, int membership)
{
    QStringList names;
    for (int port = 0; port < kPortCount; ++port)
        if (values[port] == membership)
            names << PortNames()[port];
    return names.join(QStringLiteral(", "));
}

// The first line ends with its sixth comma, later lines with the space after theirs.
QString VlanMembers::BrokenIntoLines(const QString &members)
{
    QString text;
    int start = 0;
    for (int comma = NthComma(members, 0, kNamesPerLine); comma >= 0;
         comma = NthComma(members, start, kNamesPerLine)) {
        const int end = start == 0 ? comma + 1 : std::min<int>(comma + 2, members.size());
        text += members.mid(start, end - start) + QStringLiteral("\r\n");
        start = comma + 2;
    }
    if (start < members.size())
        text += members.mid(start);
    return text;
}

// Deletes from `before` characters ahead of `first` to `extra` characters past the start of
// `last`; nothing when `first` is missing or at the start, or when the count is not positive.
void VlanMembers::RemoveRun(QString &text, const QString &first, const QString &last, int extra, int before)
{
    const int from = text.indexOf(first);
    if (from <= 0 || from < before)
        return;
    const int count = text.indexOf(last) - from + extra;
    if (count > 0)
        text.remove(from - before, count);
}

QString VlanMembers::DisplayForm(const QString &members)
{
    QString text = BrokenIntoLines(members);
    RemoveRun(text, QStringLiteral("S-4"), QStringLiteral("S-7"), 4, 0);
    RemoveRun(text, QStringLiteral("W-5"), QStringLiteral("W-8"), 5, 2);
    return text;
}

} // namespace trb
