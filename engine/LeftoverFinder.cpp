#include "engine/LeftoverFinder.h"

#include "engine/FileOperations.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"
#include "platform/core/PlainText.h"

#include <algorithm>
#include <array>

namespace qengine {

using qcore::FileManager;
using ItemType = RemovalCheck::ItemType;

namespace {

// The folders a user's Library holds of its own; no application owns one of these.
constexpr std::array kStandardLibraryFolders{
    "accounts",
    "application scripts",
    "application support",
    "assistants",
    "audio",
    "autosave information",
    "caches",
    "calendars",
    "cloudstorage",
    "colorpickers",
    "colors",
    "componentsync",
    "compositions",
    "containers",
    "contacts",
    "cookies",
    "coredata",
    "developer",
    "dictionaries",
    "favorites",
    "fontcollections",
    "fonts",
    "frameworks",
    "group containers",
    "homekit",
    "httpstorages",
    "identityservices",
    "input methods",
    "internet plug-ins",
    "keyboard layouts",
    "keyboard",
    "keychains",
    "languagemodeling",
    "launchagents",
    "library",
    "logs",
    "mail",
    "messages",
    "metadata",
    "mobile documents",
    "passes",
    "photos",
    "preferencepanes",
    "preferences",
    "printers",
    "safari",
    "saved application state",
    "screen savers",
    "scripts",
    "services",
    "sharing",
    "sounds",
    "speech",
    "spelling",
    "spotlight",
    "suggestions",
    "syncedpreferences",
    "trial",
    "webkit",
};

// Names from a bundle go into the log as they are, except bytes that would break the line.
std::string printable(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\0')
            out += "\\0";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

ItemType typeOf(const qcore::FileAttributes& attributes) {
    if (attributes.isLink()) return ItemType::Link;
    if (attributes.isDirectory()) return ItemType::Folder;
    return ItemType::File;
}

bool isAcceptableComponent(const std::string& name) {
    return LeftoverFinder::isSingleComponent(name) &&
           !LeftoverFinder::isStandardLibraryFolder(name);
}

struct Place {
    const char* libraryFolder; // "" for the Library itself
    bool fromIdentifier;
    const char* extension; // appended to the name or identifier
};

constexpr std::array<Place, 7> kPlaces{{
    {"Containers", true, ""},
    {"Caches", true, ""},
    {"Caches", false, ""},
    {"Preferences", true, ".plist"},
    {"Logs", false, ".log"},
    {"Application Support", false, ""},
    {"", false, ""},
}};

} // namespace

LeftoverFinder::LeftoverFinder(std::string home) : home_(FileManager::canonicalPath(home)) {}

bool LeftoverFinder::isSingleComponent(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool LeftoverFinder::isStandardLibraryFolder(const std::string& name) {
    const std::string lower = qcore::PlainText::lower(name);
    return std::find(kStandardLibraryFolders.begin(), kStandardLibraryFolders.end(), lower) !=
           kStandardLibraryFolders.end();
}

std::optional<std::string> LeftoverFinder::placePath(const std::string& libraryFolder,
                                                     const std::string& component) const {
    const std::string folder =
        libraryFolder.empty() ? home_ + "/Library" : home_ + "/Library/" + libraryFolder;
    const auto skip = [&](const char* reason) -> std::optional<std::string> {
        qcore::log("Uninstaller: leftover place skipped (", reason, "): ", folder, " / ",
                   printable(component));
        return std::nullopt;
    };
    if (home_.empty() || home_.front() != '/' || home_ == "/") return skip("no home folder");
    if (!isSingleComponent(component)) return skip("not a single name");
    if (isStandardLibraryFolder(component)) return skip("a standard Library folder");
    // The folder itself must be a real folder at its own place, not a link leading elsewhere.
    if (!FileManager::isDirectory(folder) || FileManager::canonicalPath(folder) != folder)
        return std::nullopt;
    return folder + "/" + component;
}

std::optional<LeftoverEntry> LeftoverFinder::entryAt(const std::string& libraryFolder,
                                                     const std::string& component,
                                                     const std::string& bundlePath) const {
    const auto path = placePath(libraryFolder, component);
    if (!path) return std::nullopt;
    const auto attributes = FileManager::attributes(*path);
    if (!attributes) return std::nullopt;
    if (!bundlePath.empty() &&
        (FileManager::isInside(*path, bundlePath) || FileManager::isInside(bundlePath, *path))) {
        qcore::log("Uninstaller: leftover place skipped (the bundle's own place): ", *path);
        return std::nullopt;
    }
    LeftoverEntry entry;
    entry.path = *path;
    entry.isDir = attributes->isDirectory();
    entry.check.listedType = typeOf(*attributes);
    entry.check.moduleFolder = FileManager::deletingLastPathComponent(*path);
    return entry;
}

std::vector<LeftoverEntry> LeftoverFinder::find(const std::string& name,
                                                const std::string& identifier,
                                                const std::string& bundlePath) const {
    // Judged once each; an unusable one drops all of its places.
    const auto usable = [](const std::string& base, const char* what) {
        if (base.empty()) return false; // no identifier: no identifier places
        if (isAcceptableComponent(base)) return true;
        qcore::log("Uninstaller: leftover places skipped (unsafe ", what, "): ", printable(base));
        return false;
    };
    const bool nameUsable = usable(name, "name");
    const bool identifierUsable = usable(identifier, "identifier");

    std::vector<LeftoverEntry> found;
    for (const Place& place : kPlaces) {
        if (!(place.fromIdentifier ? identifierUsable : nameUsable)) continue;
        const std::string& base = place.fromIdentifier ? identifier : name;
        auto entry = entryAt(place.libraryFolder, base + place.extension, bundlePath);
        if (!entry) continue;
        const bool seen = std::any_of(found.begin(), found.end(),
                                      [&](const auto& e) { return e.path == entry->path; });
        if (!seen) found.push_back(std::move(*entry));
    }
    return found;
}

bool LeftoverFinder::isStillInPlace(const LeftoverEntry& entry) {
    const std::string parent = FileManager::deletingLastPathComponent(entry.path);
    if (parent.empty() || FileManager::canonicalPath(parent) != entry.check.moduleFolder)
        return false;
    const auto attributes = FileManager::attributes(entry.path);
    return attributes && typeOf(*attributes) == entry.check.listedType;
}

std::uint64_t LeftoverFinder::sizeOf(const LeftoverEntry& entry) {
    const std::string text = entry.isDir ? FileOperations::folderSizeUnix(entry.path)
                                         : FileOperations::getFileSize(entry.path);
    return FileOperations::bytesOf(text);
}

std::uint64_t LeftoverFinder::totalSize(const std::vector<LeftoverEntry>& entries) {
    std::uint64_t total = 0;
    for (const auto& entry : entries)
        total += sizeOf(entry);
    return total;
}

} // namespace qengine
