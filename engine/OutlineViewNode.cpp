#include "engine/OutlineViewNode.h"

#include "engine/FileOperations.h"
#include "platform/core/FileManager.h"

namespace qengine {

using qcore::FileManager;

OutlineViewNode::Ptr OutlineViewNode::initWithPath(const std::string& path, bool isDirectory) {
    return initWithPath(path, isDirectory, true);
}

OutlineViewNode::Ptr OutlineViewNode::initWithPath(const std::string& path, bool isDirectory,
                                                   bool withSize) {
    auto node = std::make_shared<OutlineViewNode>();
    node->fillFromPath(path, isDirectory, withSize);
    return node;
}

void OutlineViewNode::fillFromPath(const std::string& path, bool isDirectory, bool withSize) {
    fullPath_ = path;
    title_ = FileManager::lastPathComponent(path);
    size_ = FileOperations::textOf(0);
    const auto attributes = FileManager::attributes(path);
    if (attributes && withSize) {
        icon_ = NodeIcon::fileIcon(path);
        size_ = attributes->isDirectory() ? FileOperations::folderSizeUnix(path)
                                          : FileOperations::getFileSize(path);
    } else {
        icon_ = NodeIcon::genericFolder();
    }
    isDirectory_ = isDirectory;
}

OutlineViewNode::Ptr OutlineViewNode::clone() const {
    auto copy = std::shared_ptr<OutlineViewNode>(new OutlineViewNode(*this));
    copy->deepCopyChildren();
    return copy;
}

void OutlineViewNode::deepCopyChildren() {
    for (auto& child : children_)
        if (child) child = child->clone();
}

void OutlineViewNode::setIconForApp(const std::string& applicationName) {
    icon_ = NodeIcon::applicationIcon("/Applications/" + applicationName + ".app");
}

void OutlineViewNode::setIconFixedSize(const std::string& imageName) {
    icon_ = NodeIcon::namedImage(imageName);
}

std::uint64_t OutlineViewNode::sizeInBytes() const {
    return FileOperations::bytesOf(size_);
}

} // namespace qengine
