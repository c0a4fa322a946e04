#pragma once

#include "engine/RemovalCheck.h"

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace qengine {

// What a module's last scan listed: the folder it walked and every listed path with the type it
// had when listed (and, where recorded, its identity). A clean removes only paths found here,
// checked again against both. Safe from any thread.
class ScanListing {
public:
    // Forgets the previous scan; `root` is the folder the new scan walks.
    void begin(std::string root);
    void add(const std::string& path, RemovalCheck::ItemType type,
             std::optional<FileIdentity> identity = std::nullopt);

    std::string root() const;
    // Nothing for a path the last scan did not list.
    std::optional<RemovalCheck::ItemType> typeOf(const std::string& path) const;
    // What the path was when listed, where the scan recorded it.
    std::optional<FileIdentity> identityOf(const std::string& path) const;
    std::size_t size() const;

private:
    mutable std::mutex mutex_;
    std::string root_;
    struct Listed {
        RemovalCheck::ItemType type;
        std::optional<FileIdentity> identity;
    };
    std::map<std::string, Listed> listed_;
};

} // namespace qengine
