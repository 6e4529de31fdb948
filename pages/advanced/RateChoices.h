#pragma once
// The entries of the rate drop-downs, built from the blank-separated lists the device reports.
#include <QString>
#include <QStringList>

namespace trb::rates {

inline const QString kAuto = QStringLiteral("Auto");
inline const QString kDisable = QStringLiteral("Disable");
inline const QString kBest54 = QStringLiteral("Best(up to 54)");
inline const QString kBest300 = QStringLiteral("Best(up to 300)");

QStringList Split(const QString &list);

// A list with "Auto" (data rates) starts with "Best(up to 54)" and keeps every entry; a list
// without it (multicast rates) starts with "Disable" and keeps every other entry.
QStringList Entries(const QStringList &deviceList);

// The multicast entries the wireless mode allows: 802.11n mixed modes every rate, the legacy
// modes the rates up to 54, "802.11n Only" the rates after 54. Empty when the mode needs no
// change (a list without 54, or a mode text of none of these kinds).
QStringList MulticastFor(const QString &wirelessMode, const QStringList &multicastList);

// The first entry that begins with `text` (the record's rate), else 0.
int IndexStartingWith(const QStringList &entries, const QString &text);

} // namespace trb::rates
