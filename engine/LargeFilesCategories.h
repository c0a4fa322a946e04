#pragma once

#include <cstdint>
#include <string>

namespace qengine {

class DataFiller;
class LargeFilesThresholds;

// The five category rows of the Large Files list ("Music", "Pictures", "Video", "Documents",
// "Others"), made once and kept; the page may reorder them. Files find their row by the
// category word it keeps as its path, never by its translated title or its place.
class LargeFilesCategories {
public:
    // Appends the five rows (once: a list that has rows keeps them) and titles every row with
    // the text "ID_" + its category word upper-cased.
    static void addNodes(DataFiller& engine, const std::string& module);

    // The row of the file's category by its upper-cased extension, or -1 when the file is
    // below that category's threshold or the list lacks the rows.
    static std::int32_t indexForFile(const DataFiller& engine, const std::string& path,
                                     const std::string& module, std::uint64_t size,
                                     const LargeFilesThresholds& thresholds);

    // The first row titled `title`, or -1.
    static std::int32_t indexOf(const DataFiller& engine, const std::string& module,
                                const std::string& title);
};

} // namespace qengine
