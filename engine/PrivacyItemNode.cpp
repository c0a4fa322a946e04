#include "engine/PrivacyItemNode.h"

#include "engine/FileOperations.h"

namespace qengine {

OutlineViewNode::Ptr PrivacyItemNode::clone() const {
    auto copy = std::shared_ptr<PrivacyItemNode>(new PrivacyItemNode(*this));
    copy->deepCopyChildren();
    return copy;
}

void PrivacyItemNode::addListedPath(ListedPath listed) {
    listedPaths_.push_back(std::move(listed));
    syncPathsAndSize();
}

void PrivacyItemNode::retainListedPaths(const std::vector<std::size_t>& keep) {
    std::vector<ListedPath> kept;
    for (const std::size_t index : keep)
        if (index < listedPaths_.size()) kept.push_back(listedPaths_[index]);
    listedPaths_ = std::move(kept);
    syncPathsAndSize();
}

std::uint64_t PrivacyItemNode::listedBytes() const {
    std::uint64_t total = 0;
    for (const auto& listed : listedPaths_)
        total += listed.size;
    return total;
}

void PrivacyItemNode::syncPathsAndSize() {
    std::vector<std::string> paths;
    paths.reserve(listedPaths_.size());
    for (const auto& listed : listedPaths_)
        paths.push_back(listed.path);
    setArrFullPath(std::move(paths));
    setSize(FileOperations::textOf(listedBytes()));
}

} // namespace qengine
