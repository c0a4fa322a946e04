#pragma once

#include <string>

namespace qengine {

// What a listed item was when its row was made, and where it must still be at removal time.
struct RemovalCheck {
    enum class ItemType { Any, File, Folder, Link };

    ItemType listedType = ItemType::Any;
    // The folder the module scans; the item must lie below it (never be it).
    std::string moduleFolder;
};

} // namespace qengine
