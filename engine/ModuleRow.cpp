#include "engine/ModuleRow.h"

#include "engine/FileOperations.h"
#include "platform/core/FileManager.h"

#include <cstdio>

namespace qengine::row {

using qcore::FileManager;
using ItemType = RemovalCheck::ItemType;

namespace {

const qcore::Value& valueOf(const ModuleRow& r, const std::string& key) {
    static const qcore::Value kNull;
    const auto it = r.find(key);
    return it == r.end() ? kNull : it->second;
}

// The row records the type it was listed with; the removal compares it with the disk.
void recordType(ModuleRow& r, const std::string& path) {
    r[kItemType] = typeName(typeOnDisk(path));
}

} // namespace

std::int64_t state(const ModuleRow& r) {
    return valueOf(r, kState).toInt();
}
bool isChecked(const ModuleRow& r) {
    return state(r) != 0;
}
void setState(ModuleRow& r, std::int64_t s) {
    r[kState] = qcore::Value(s);
}

std::uint64_t size(const ModuleRow& r) {
    const qcore::Value& v = valueOf(r, kSize);
    if (const std::string* text = v.string()) return FileOperations::bytesOf(*text);
    const std::int64_t n = v.toInt();
    return n > 0 ? static_cast<std::uint64_t>(n) : 0;
}

std::string fullPath(const ModuleRow& r) {
    return valueOf(r, kFullPath).toString();
}

ItemType listedType(const ModuleRow& r) {
    const std::string name = valueOf(r, kItemType).toString();
    if (name == "file") return ItemType::File;
    if (name == "folder") return ItemType::Folder;
    if (name == "link") return ItemType::Link;
    return ItemType::Any;
}

ItemType typeOnDisk(const std::string& path) {
    const auto attributes = FileManager::attributes(path);
    if (!attributes) return ItemType::Any;
    if (attributes->isLink()) return ItemType::Link;
    if (attributes->isDirectory()) return ItemType::Folder;
    return ItemType::File;
}

std::string typeName(ItemType type) {
    switch (type) {
    case ItemType::File:
        return "file";
    case ItemType::Folder:
        return "folder";
    case ItemType::Link:
        return "link";
    case ItemType::Any:
        break;
    }
    return "";
}

ModuleRow makeTrashCleanerRow(const std::string& path, const std::string& sizeText) {
    ModuleRow r{{kName, FileManager::lastPathComponent(path)},
                {kFullPath, path},
                {kSize, sizeText},
                {kState, 1}};
    recordType(r, path);
    return r;
}

ModuleRow makePartialDownloadsRow(const std::string& path, std::int64_t size, qcore::Date modified,
                                  qcore::Date created) {
    ModuleRow r{{kIsITunes, false}, {kSize, qcore::Value(size)}, {kMDate, modified},
                {kCDate, created},  {kFullPath, path},           {kState, 1}};
    recordType(r, path);
    return r;
}

ModuleRow makeOldDownloadsRow(const std::string& path, const std::string& sizeText,
                              const std::string& accessedText, double accessedSeconds,
                              const std::string& modifiedText, const std::string& createdText) {
    char seconds[64];
    std::snprintf(seconds, sizeof seconds, "%f", accessedSeconds);
    ModuleRow r{{kIcon, path},
                {kName, FileManager::lastPathComponent(path)},
                {kSize, sizeText},
                {kADate, accessedText},
                {kADateVal, seconds},
                {kMDate, modifiedText},
                {kCDate, createdText},
                {kFullPath, path},
                {kState, 0}};
    recordType(r, path);
    return r;
}

} // namespace qengine::row
