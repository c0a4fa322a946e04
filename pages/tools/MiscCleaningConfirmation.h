#pragma once

#include "pages/tools/MiscCleaningRow.h"

#include <ctime>
#include <string>
#include <vector>

namespace qpages {

// The texts and the number of the Misc Cleaning page's second confirmation, in which the user
// types a number before anything is removed for good.
class MiscCleaningConfirmation {
public:
    // 100 to 1099, from a generator seeded with `now` in whole seconds.
    static int drawNumber(std::time_t now);
    // The typed text is the number exactly: no blanks, no leading zeros, no sign.
    static bool matches(const std::string& typed, int number);

    // What will go from the backups list: every ticked backup by name, or the empty count.
    // `itemIn` takes (names, list title), `itemsIn` (count, list title).
    static std::string backupsLine(const std::vector<MiscCleaningRow>& backups,
                                   const std::string& itemIn, const std::string& itemsIn,
                                   const std::string& listTitle);
    static std::string countLine(std::size_t count, const std::string& itemsIn,
                                 const std::string& listTitle);
};

} // namespace qpages
