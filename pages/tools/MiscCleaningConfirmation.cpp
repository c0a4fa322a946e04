#include "pages/tools/MiscCleaningConfirmation.h"

#include "engine/TextFormat.h"

#include <random>

namespace qpages {

int MiscCleaningConfirmation::drawNumber(std::time_t now) {
    std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(now));
    return static_cast<int>(generator() % 1000) + 100;
}

bool MiscCleaningConfirmation::matches(const std::string& typed, int number) {
    return typed == std::to_string(number);
}

std::string MiscCleaningConfirmation::backupsLine(const std::vector<MiscCleaningRow>& backups,
                                                  const std::string& itemIn,
                                                  const std::string& itemsIn,
                                                  const std::string& listTitle) {
    std::string names;
    for (const auto& row : backups) {
        if (!row.isChecked()) continue;
        if (!names.empty()) names += ", ";
        names += row.name;
    }
    if (names.empty()) return countLine(0, itemsIn, listTitle);
    return qengine::text::fillPlaceholders(itemIn, {names, listTitle});
}

std::string MiscCleaningConfirmation::countLine(std::size_t count, const std::string& itemsIn,
                                                const std::string& listTitle) {
    return qengine::text::fillPlaceholders(itemsIn, {std::to_string(count), listTitle});
}

} // namespace qpages
