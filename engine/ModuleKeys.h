#pragma once

#include <string>
#include <vector>

namespace qengine {

// The fixed English module names that key the registry and every engine notification.
namespace modules {

inline const std::string kSystemCleaner = "System Cleaner";
inline const std::string kLogsCleaner = "Logs Cleaner";
inline const std::string kPartialDownloads = "Partial Downloads";
inline const std::string kDuplicatesFinder = "Duplicates Finder";
inline const std::string kUninstaller = "Uninstaller";
inline const std::string kTrashesAndLeftovers = "Trashes & Leftovers";
inline const std::string kTrashCleaner = "Trash Cleaner";
inline const std::string kLargeFiles = "Large Files";
inline const std::string kMiscCleaning = "Misc Cleaning";
inline const std::string kInternetPrivacy = "Internet Privacy";
inline const std::string kOldDownloads = "Old Downloads";

enum class Shape { Tree, Flat, Unused };

struct ModuleInfo {
    std::string key;
    std::string flagWord; // "" for a module without flags
    Shape shape;
};

// The eleven modules in registry order.
const std::vector<ModuleInfo>& table();
const std::vector<std::string>& keys();
// Nullptr for a name that is no module.
const ModuleInfo* find(const std::string& key);
bool isFlat(const std::string& key);

} // namespace modules

} // namespace qengine
