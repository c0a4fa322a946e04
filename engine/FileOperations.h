#pragma once

#include "platform/core/Value.h"

#include <cstdint>
#include <string>

namespace qengine {

// Sizes and dates of items on disk. Stateless; safe from any thread. Sizes travel as decimal
// text of unsigned 64-bit byte counts, "0" for unknown or empty.
class FileOperations {
public:
    // "1000 bytes", "1.5 MB" ...: decimal units up to TB, words from `unitWords` ("bytes",
    // "KB", "MB", "GB", "TB" keys; a missing word shows as empty).
    static std::string convertBytesToApplicableUnit(const qcore::Dictionary& unitWords,
                                                    const std::string& sizeInBytes);

    // The item's own size (links not followed); "0" when it cannot be read.
    static std::string getFileSize(const std::string& path);
    // Sum of the sizes below a folder (RecursiveFolderSize).
    static std::string folderSizeUnix(const std::string& path);
    // The same sum, silent about a root that cannot be opened.
    static std::string fastFolderSize(const std::string& path);

    // {"aDate": last access (following links), "cDate": creation, "mDate": modification} as
    // dates; an empty dictionary when nothing exists at the path.
    static qcore::Dictionary getItemAMCDates(const std::string& path);

    // A size text read back as bytes: leading digits, 0 for anything else.
    static std::uint64_t bytesOf(const std::string& sizeText);
    static std::string textOf(std::uint64_t bytes);
};

// Sum of the sizes of everything below `path`: files, links (their own size) and other entries
// count their size, folders add what they contain. Walks iteratively with one open descriptor at
// a time and names relative to their folder, so neither depth nor path length limits it. A root
// that cannot be opened writes two lines to standard error and counts 0.
std::uint64_t RecursiveFolderSize(const std::string& path);

// The user's real home folder (the password-database entry), "" when unknown.
std::string HomeDirectorySys();

} // namespace qengine
