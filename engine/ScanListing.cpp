#include "engine/ScanListing.h"

namespace qengine {

void ScanListing::begin(std::string root) {
    const std::lock_guard lock(mutex_);
    root_ = std::move(root);
    types_.clear();
}

void ScanListing::add(const std::string& path, RemovalCheck::ItemType type) {
    const std::lock_guard lock(mutex_);
    types_[path] = type;
}

std::string ScanListing::root() const {
    const std::lock_guard lock(mutex_);
    return root_;
}

std::optional<RemovalCheck::ItemType> ScanListing::typeOf(const std::string& path) const {
    const std::lock_guard lock(mutex_);
    const auto it = types_.find(path);
    if (it == types_.end()) return std::nullopt;
    return it->second;
}

std::size_t ScanListing::size() const {
    const std::lock_guard lock(mutex_);
    return types_.size();
}

} // namespace qengine
