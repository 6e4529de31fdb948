#include "RateChoices.h"

namespace trb::rates {

QStringList Split(const QString &list) { return list.split(u' ', Qt::SkipEmptyParts); }

QStringList Entries(const QStringList &deviceList)
{
    QStringList entries;
    if (deviceList.contains(kAuto)) {
        entries << kBest54 << deviceList;
        return entries;
    }
    entries << kDisable;
    for (const QString &rate : deviceList)
        if (rate != kDisable)
            entries << rate;
    return entries;
}

QStringList MulticastFor(const QString &wirelessMode, const QStringList &multicastList)
{
    const qsizetype at54 = multicastList.indexOf(QStringLiteral("54"));
    if (at54 < 0)
        return {};
    QStringList rates;
    if (wirelessMode.contains(QStringLiteral("Mixed 802.11n")))
        rates = multicastList;
    else if (wirelessMode.contains(QStringLiteral("Mixed 802.11g")) || wirelessMode.contains(QStringLiteral("802.11a only")))
        rates = multicastList.mid(0, at54 + 1);
    else if (wirelessMode.contains(QStringLiteral("802.11n Only")))
        rates = multicastList.mid(at54 + 1);
    else
        return {};
    rates << kDisable;
    return Entries(rates);
}

int IndexStartingWith(const QStringList &entries, const QString &text)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].startsWith(text))
            return i;
    return 0;
}

} // namespace trb::rates
