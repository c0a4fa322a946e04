#include "engine/ModuleKeys.h"

#include <algorithm>

namespace qengine::modules {

const std::vector<ModuleInfo>& table() {
    static const std::vector<ModuleInfo> kTable{
        {kSystemCleaner, "CacheCleaner", Shape::Tree},
        {kLogsCleaner, "LogsCleaner", Shape::Tree},
        {kPartialDownloads, "PartialDownloads", Shape::Flat},
        {kDuplicatesFinder, "DuplicateFiles", Shape::Tree},
        {kUninstaller, "Applications", Shape::Unused},
        {kTrashesAndLeftovers, "", Shape::Unused},
        {kTrashCleaner, "TrashCleaner", Shape::Flat},
        {kLargeFiles, "LargeFiles", Shape::Tree},
        {kMiscCleaning, "MiscCleaning", Shape::Unused},
        {kInternetPrivacy, "InternetPrivacy", Shape::Tree},
        {kOldDownloads, "OldDownloads", Shape::Flat},
    };
    return kTable;
}

const std::vector<std::string>& keys() {
    static const std::vector<std::string> kKeys = [] {
        std::vector<std::string> k;
        for (const auto& info : table())
            k.push_back(info.key);
        return k;
    }();
    return kKeys;
}

const ModuleInfo* find(const std::string& key) {
    const auto& t = table();
    const auto it = std::find_if(t.begin(), t.end(), [&](const auto& i) { return i.key == key; });
    return it == t.end() ? nullptr : &*it;
}

bool isFlat(const std::string& key) {
    const ModuleInfo* info = find(key);
    return info && info->shape == Shape::Flat;
}

} // namespace qengine::modules
