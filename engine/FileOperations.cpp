#include "engine/FileOperations.h"

#include "platform/core/DirectoryListing.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileManager.h"
#include "platform/core/FolderTrail.h"
#include "platform/core/Home.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace qengine {

using qcore::FileDescriptor;
using qcore::FileManager;

namespace {

constexpr int kDirectoryFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

void reportUnopenable(const std::string& path, int error) {
    std::fprintf(stderr, "could not open directory '%s'\n", path.c_str());
    std::fprintf(stderr, "error is %d/%s\n", error, std::strerror(error));
}

// Adds the sizes of the folder's non-folder entries and returns its subfolders, last first so
// that popping visits them in listing order.
std::vector<std::string> readLevel(int folderFd, qcore::DirectoryListing& listing, bool report,
                                   std::uint64_t& total) {
    listing.read(folderFd);
    std::vector<std::string> folders;
    for (std::size_t i = 0; i < listing.size(); ++i) {
        const char* name = listing.name(i);
        // A folder adds nothing of its own, so where the listing tells the type it needs no
        // status; opening it later checks that it still is a folder.
        if (listing.type(i) == DT_DIR) {
            folders.emplace_back(name, listing.nameLength(i));
            continue;
        }
        struct stat st {};
        if (::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (report)
                std::fprintf(stderr, "could not stat '%s': %d/%s\n", name, errno,
                             std::strerror(errno));
            continue;
        }
        if (S_ISDIR(st.st_mode))
            folders.emplace_back(name, listing.nameLength(i));
        else
            total += static_cast<std::uint64_t>(st.st_size);
    }
    return {folders.rbegin(), folders.rend()};
}

std::uint64_t walkFolderSize(const std::string& root, bool report) {
    FileDescriptor rootFolder = FileManager::openFolder(root);
    if (!rootFolder.valid()) {
        if (report) reportUnopenable(root, errno);
        return 0;
    }
    std::uint64_t total = 0;
    std::string displayPath = root;
    qcore::DirectoryListing listing; // reused from folder to folder
    qcore::FolderTrail trail;
    // Per level of the trail: the subfolders still to visit, and the display path's length.
    std::vector<std::vector<std::string>> pending;
    std::vector<std::size_t> pathLengths;

    auto enter = [&](FileDescriptor folder) {
        const int fd = folder.get();
        if (!trail.enter(std::move(folder))) return false;
        pathLengths.push_back(displayPath.size());
        pending.push_back(readLevel(fd, listing, report, total));
        return true;
    };
    enter(std::move(rootFolder));

    while (!pending.empty()) {
        auto& folders = pending.back();
        if (!folders.empty()) {
            const std::string name = std::move(folders.back());
            folders.pop_back();
            FileDescriptor child(
                ::openat(trail.current(), name.c_str(), kDirectoryFlags | O_NOFOLLOW));
            if (!child.valid()) {
                if (report) reportUnopenable(displayPath + "/" + name, errno);
                continue;
            }
            const std::size_t parentLength = displayPath.size();
            displayPath += "/" + name;
            if (!enter(std::move(child))) displayPath.resize(parentLength);
            continue;
        }
        pending.pop_back();
        pathLengths.pop_back();
        // A parent that was moved meanwhile ends the walk rather than counting some other
        // folder.
        if (pending.empty() || !trail.leave()) break;
        displayPath.resize(pathLengths.back());
    }
    return total;
}

} // namespace

std::string FileOperations::convertBytesToApplicableUnit(const qcore::Dictionary& unitWords,
                                                         const std::string& sizeInBytes) {
    auto word = [&](const char* key) {
        const auto it = unitWords.find(key);
        return it == unitWords.end() ? std::string() : it->second.toString();
    };
    double value = std::strtod(sizeInBytes.c_str(), nullptr);
    const std::string bytesWord = word("bytes");
    std::string unit = bytesWord;
    for (const char* step : {"KB", "MB", "GB", "TB"}) {
        if (value > 1000.0) {
            value /= 1000.0;
            unit = word(step);
        }
    }
    char number[64];
    std::snprintf(number, sizeof number, unit == bytesWord ? "%.0f" : "%.01f", value);
    return std::string(number) + " " + unit;
}

std::string FileOperations::getFileSize(const std::string& path) {
    const auto attributes = FileManager::attributes(path);
    return attributes ? textOf(attributes->size) : "0";
}

std::string FileOperations::folderSizeUnix(const std::string& path) {
    return textOf(RecursiveFolderSize(path));
}

// The catalog walk of the original adds every non-folder item's data-fork logical size and the
// contents of every folder: on this platform that is st_size of files, links and other entries,
// exactly the sum RecursiveFolderSize computes, without its messages.
std::string FileOperations::fastFolderSize(const std::string& path) {
    return textOf(walkFolderSize(path, false));
}

qcore::Dictionary FileOperations::getItemAMCDates(const std::string& path) {
    const auto own = FileManager::attributes(path);
    if (!own) return {};
    const auto followed = FileManager::attributes(path, true);
    const double accessed =
        followed ? followed->accessed.secondsSince1970 : own->accessed.secondsSince1970;
    return {{"aDate", qcore::Date{static_cast<double>(static_cast<long long>(accessed))}},
            {"cDate", own->created},
            {"mDate", own->modified}};
}

std::uint64_t FileOperations::bytesOf(const std::string& sizeText) {
    std::size_t start = sizeText.find_first_not_of(' ');
    if (start == std::string::npos) return 0;
    std::uint64_t value = 0;
    const char* first = sizeText.data() + start;
    const auto result = std::from_chars(first, sizeText.data() + sizeText.size(), value);
    return result.ec == std::errc() ? value : 0;
}

std::string FileOperations::textOf(std::uint64_t bytes) {
    return std::to_string(bytes);
}

std::uint64_t RecursiveFolderSize(const std::string& path) {
    return walkFolderSize(path, true);
}

std::string HomeDirectorySys() {
    return qcore::Home::realHomeDirectory();
}

} // namespace qengine
