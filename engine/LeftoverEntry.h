#pragma once

#include "engine/RemovalCheck.h"

#include <string>

namespace qengine {

// One file or folder an application left in the user's Library, as it was found: the removal
// checks it again against what it was and the Library folder that must still hold it.
struct LeftoverEntry {
    std::string path;   // absolute
    bool isDir = false; // a real folder (a link to one is not)
    // The type it had when found, and the Library folder that is its parent.
    RemovalCheck check;

    friend bool operator==(const LeftoverEntry& a, const LeftoverEntry& b) {
        return a.path == b.path && a.isDir == b.isDir;
    }
};

} // namespace qengine
