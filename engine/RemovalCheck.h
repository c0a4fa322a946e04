#pragma once

#include "engine/FileIdentity.h"

#include <optional>
#include <string>
#include <utility>

namespace qengine {

// What a listed item was when its row was made, and where it must still be at removal time.
struct RemovalCheck {
    enum class ItemType { Any, File, Folder, Link };

    RemovalCheck() = default;
    RemovalCheck(ItemType type, std::string folder, std::optional<FileIdentity> listedIdentity = {})
        : listedType(type), moduleFolder(std::move(folder)), identity(listedIdentity) {}

    ItemType listedType = ItemType::Any;
    // The folder the module scans; the item must lie below it (never be it).
    std::string moduleFolder;
    // When set, the item must still be this very file, unchanged since it was listed.
    std::optional<FileIdentity> identity;
    // When set (the home folder), the module's folder and the item's folder are opened from it
    // without following any link below it: a folder that is a link, or lies behind one, is
    // refused wherever it leads.
    std::string linkFreeBelow;
};

} // namespace qengine
