#pragma once

#include "engine/RemovalCheck.h"

#include <string>

namespace qengine {

// Deletes one path at a time, at once (nothing goes to the Trash). Holds no state, so any
// number of workers may use one.
class RemoveItem {
public:
    // Removal needs no privilege escalation here.
    bool authenticated() const { return true; }

    // Removes the item (a folder with its contents, links never followed); logs the reason and
    // answers false on failure.
    bool removeSingleItem(const std::string& path) const;

    // Removes the item only when it still is what was listed and where it was listed: it is
    // looked at again (without following links) right before removal, must lie below the
    // module's folder by its real location, and must not have become a link. With
    // `linkFreeBelow` set, neither the module's folder nor the item's folder may be reached
    // through a link. A listed file is unlinked, never removed recursively; a listed link is
    // removed as a link.
    bool removeSingleItem(const std::string& path, const RemovalCheck& check) const;
};

} // namespace qengine
