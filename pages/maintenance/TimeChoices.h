#pragma once
// The fixed lists of the time and date page, and the calendar rules its manual date follows.
#include <QDateTime>
#include <QStringList>

namespace trb::TimeChoices {

inline constexpr int kZoneCount = 75;
inline constexpr int kFirstYear = 2002;
inline constexpr int kLastYearAtLeast = 2037; // the 32-bit clocks' last full year

// The zones in their device numbering (zone n at index n - 1).
const QStringList &Zones();
// "-2:00" ... "+2:00": the device's offset indexes 0..7.
const QStringList &DstOffsets();
const QStringList &Months();   // "Jan" ... "Dec"
const QStringList &Weeks();    // "1st" ... "5th"
const QStringList &Weekdays(); // "Sun" ... "Sat"
const QStringList &Hours();    // "12 am", "1 am" ... "11 pm"

// Manual years: from 2002 to 2037, or on to `currentYear` when that is later.
QStringList Years(int currentYear);
// Gregorian: 31, 30, or 29/28 for February.
int DaysInMonth(int year, int month);
// "MM-DD-YYYY HH:MM:SS", every field at least two digits.
QString ManualTimeText(const QDateTime &at);

} // namespace trb::TimeChoices
