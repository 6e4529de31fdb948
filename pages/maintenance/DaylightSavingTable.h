#pragma once
// Which time zones know daylight saving: the table file beside the program, one line per zone
// (line n for zone n), of which only the first character counts, as a decimal digit.
#include <QString>

#include <array>

#include "TimeChoices.h"

namespace trb {

class DaylightSavingTable {
public:
    static inline const char kFileName[] = "SNTPFile.RD";

    // The file in the program's own directory.
    static QString DefaultPath();
    // Reads `path`; a file that cannot be opened leaves every zone without daylight saving and
    // `error` (when given) says why, in the words of a file-error box.
    static DaylightSavingTable Load(const QString &path, QString *error = nullptr);

    // Zone numbers from 1; any other number has none.
    bool HasDaylightSaving(int zone) const;
    int EntryOf(int zone) const;

private:
    std::array<int, TimeChoices::kZoneCount> entries_{};
};

} // namespace trb
