#pragma once

#include "pages/tools/MiscCleaningList.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qcore {
struct FileAttributes;
}
namespace qengine {
class DataFiller;
}

namespace qpages {

// Finds what the Misc Cleaning page lists: device backups, files Mail saved from attachments
// and the entries of the Trash. Each loader runs on its own thread, appends only to its own
// list and reports each row it appended. A stop request is seen between entries. Links are
// listed as themselves and never followed, neither for sizes nor for kinds. A list's folder is
// opened from the home without following any link, so a folder that is, or lies behind, a link
// (to anywhere) gives an empty list and a log line; so does a backup that is a link.
class MiscCleaningLoader {
public:
    using RowAdded = std::function<void(const MiscCleaningRow&)>;

    MiscCleaningLoader(qengine::DataFiller& engine, std::string home);

    // The three folders under the home folder.
    std::string backupsFolder() const;
    std::string mailDownloadsFolder() const;
    std::string trashFolder() const;

    void loadTableviewBackups(MiscCleaningList& list, const RowAdded& added) const;
    void loadTableviewMailDownloads(MiscCleaningList& list, const RowAdded& added) const;
    void loadTrashData(MiscCleaningList& list, const RowAdded& added) const;

    // The row of the backup whose "Info.plist" is at `infoPlistPath`.
    MiscCleaningRow getDictInfoBackups(const std::string& infoPlistPath) const;
    // The row of a saved Mail attachment; nothing for hidden or empty items.
    std::optional<MiscCleaningRow> getDictInfoMailDownloads(const std::string& path,
                                                            bool isDir) const;
    // The row of a Trash entry; nothing for entries that are not listed.
    std::optional<MiscCleaningRow> getDictInfoTrash(const std::string& path) const;

    // Bytes below a folder, links counted as themselves, as decimal text.
    static std::string folderSize(const std::string& path);

private:
    // The entry names of a list's folder, by name; none when it cannot be opened.
    std::vector<std::string> namesIn(const std::string& folder) const;
    // True (and the aborted flag set) when a stop was asked for.
    bool stopRequested() const;
    void fillDates(MiscCleaningRow& row) const;
    // The row of a file-system item with its name, path, kind and dates.
    MiscCleaningRow itemRow(const std::string& path, const qcore::FileAttributes& attributes,
                            std::string size) const;

    qengine::DataFiller& engine_;
    std::string home_;
};

} // namespace qpages
