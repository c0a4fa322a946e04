#pragma once

#include "engine/RemovalCheck.h"

#include <cstdint>
#include <string>

namespace qpages {

// One listed item of the Misc Cleaning page: a device backup, a file saved from Mail or an
// entry of the Trash. Sizes travel as decimal byte counts, dates as display text.
struct MiscCleaningRow {
    std::string iconPath; // the item whose desktop icon the row shows
    std::string name;
    std::string size = "0";
    std::string url; // full path of the item (of a backup: its folder)
    int checkState = 0;
    // Backups only.
    std::string bDate;
    std::string imei;
    std::string serial;
    // Mail downloads and Trash entries only.
    std::string aDate;
    std::string mDate;
    std::string cDate;
    // What the item was when listed; removal refuses an item that has changed type since.
    qengine::RemovalCheck::ItemType listedType = qengine::RemovalCheck::ItemType::Any;

    bool isChecked() const { return checkState != 0; }
    std::uint64_t bytes() const;
};

} // namespace qpages
