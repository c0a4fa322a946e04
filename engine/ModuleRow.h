#pragma once

#include "engine/RemovalCheck.h"
#include "platform/core/Value.h"

#include <cstdint>
#include <string>

namespace qengine {

// A row of a flat module list (Trash Cleaner, Partial Downloads, Old Downloads).
using ModuleRow = qcore::Dictionary;

namespace row {

inline const std::string kName = "name";
inline const std::string kFullPath = "fullPath";
inline const std::string kSize = "size";
inline const std::string kState = "state";
inline const std::string kIcon = "icon"; // the path whose file icon the GUI shows
inline const std::string kIsITunes = "isiTunes";
inline const std::string kADate = "aDate";
inline const std::string kMDate = "mDate";
inline const std::string kCDate = "cDate";
inline const std::string kADateVal = "aDateVal";
// What the entry was when listed ("file", "folder", "link"); the removal checks it again.
inline const std::string kItemType = "itemType";

// "state" and "size" read as integers whether stored as text or number.
std::int64_t state(const ModuleRow& r);
bool isChecked(const ModuleRow& r);
void setState(ModuleRow& r, std::int64_t state);
std::uint64_t size(const ModuleRow& r);
std::string fullPath(const ModuleRow& r);

RemovalCheck::ItemType listedType(const ModuleRow& r);
// The type of the entry at `path` now (links not followed); Any when nothing is there.
RemovalCheck::ItemType typeOnDisk(const std::string& path);
std::string typeName(RemovalCheck::ItemType type);

// Trash Cleaner: name, fullPath, size as text, state 1.
ModuleRow makeTrashCleanerRow(const std::string& path, const std::string& sizeText);
// Partial Downloads: isiTunes NO, size as a number, dates as dates, fullPath, state 1.
ModuleRow makePartialDownloadsRow(const std::string& path, std::int64_t size, qcore::Date modified,
                                  qcore::Date created);
// Old Downloads: icon, name, size as text, date texts, aDateVal, fullPath, state 0.
ModuleRow makeOldDownloadsRow(const std::string& path, const std::string& sizeText,
                              const std::string& accessedText, double accessedSeconds,
                              const std::string& modifiedText, const std::string& createdText);

} // namespace row

} // namespace qengine
