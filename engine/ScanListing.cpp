#include "engine/ScanListing.h"

namespace qengine {

void ScanListing::begin(std::string root) {
    const std::lock_guard lock(mutex_);
    root_ = std::move(root);
    listed_.clear();
}

void ScanListing::add(const std::string& path, RemovalCheck::ItemType type,
                      std::optional<FileIdentity> identity) {
    const std::lock_guard lock(mutex_);
    listed_[path] = Listed{type, identity};
}

std::string ScanListing::root() const {
    const std::lock_guard lock(mutex_);
    return root_;
}

std::optional<RemovalCheck::ItemType> ScanListing::typeOf(const std::string& path) const {
    const std::lock_guard lock(mutex_);
    const auto it = listed_.find(path);
    if (it == listed_.end()) return std::nullopt;
    return it->second.type;
}

std::optional<FileIdentity> ScanListing::identityOf(const std::string& path) const {
    const std::lock_guard lock(mutex_);
    const auto it = listed_.find(path);
    if (it == listed_.end()) return std::nullopt;
    return it->second.identity;
}

std::size_t ScanListing::size() const {
    const std::lock_guard lock(mutex_);
    return listed_.size();
}

} // namespace qengine
