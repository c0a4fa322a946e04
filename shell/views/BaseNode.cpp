#include "shell/views/BaseNode.h"

namespace qshell {

BaseNode::Ptr BaseNode::makeSection(std::string title) {
    auto node = std::make_shared<BaseNode>();
    node->setNodeTitle(std::move(title));
    return node;
}

BaseNode::Ptr BaseNode::makeLeaf(std::string urlString, std::string title, std::string iconPath) {
    auto node = std::make_shared<BaseNode>();
    node->setLeaf(true);
    node->setURL(std::move(urlString));
    node->setNodeTitle(std::move(title));
    node->setNodeIcon(std::move(iconPath));
    return node;
}

void BaseNode::setLeaf(bool leaf) {
    isLeaf_ = leaf;
    children_.clear();
}

bool BaseNode::isDraggable() const {
    return !(urlString_.size() > 0 && urlString_.front() == '/') && !nodeIcon_.empty();
}

} // namespace qshell
