#pragma once

#include "engine/NodeIcon.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qengine {

// A row of a tree-shaped module list: a group row (isDirectory) holding item rows as children.
// Nodes in a module list are shared with the worker; edit them only under the list's lock.
class OutlineViewNode {
public:
    using Ptr = std::shared_ptr<OutlineViewNode>;
    using Children = std::vector<Ptr>;

    OutlineViewNode() = default;
    virtual ~OutlineViewNode() = default;

    // Title from the last path component, size from the item on disk (folder: recursive size,
    // anything else: its own size; links are never followed). A missing path gets size "0"
    // and the generic folder icon.
    static Ptr initWithPath(const std::string& path, bool isDirectory);
    // As above; `withSize` false leaves the size at "0" with the generic folder icon.
    static Ptr initWithPath(const std::string& path, bool isDirectory, bool withSize);

    // A deep copy (children copied too), for snapshots taken under the list's lock.
    virtual Ptr clone() const;

    void setIconForApp(const std::string& applicationName);
    void setIconFixedSize(const std::string& imageName);

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::string& fullPath() const { return fullPath_; }
    void setFullPath(std::string path) { fullPath_ = std::move(path); }
    const std::vector<std::string>& arrFullPath() const { return arrFullPath_; }
    std::vector<std::string>& arrFullPath() { return arrFullPath_; }
    void setArrFullPath(std::vector<std::string> paths) { arrFullPath_ = std::move(paths); }
    bool isDirectory() const { return isDirectory_; }
    void setIsDirectory(bool value) { isDirectory_ = value; }
    bool isDeleted() const { return isDeleted_; }
    void setIsDeleted(bool value) { isDeleted_ = value; }
    bool isMultiplePaths() const { return isMultiplePaths_; }
    void setIsMultiplePaths(bool value) { isMultiplePaths_ = value; }
    const Children& children() const { return children_; }
    Children& children() { return children_; }
    void setChildren(Children children) { children_ = std::move(children); }
    std::int64_t state() const { return state_; }
    void setState(std::int64_t state) { state_ = state; }
    std::int64_t parentIndex() const { return parentIndex_; }
    void setParentIndex(std::int64_t index) { parentIndex_ = index; }
    // Decimal byte count; "0" when unknown.
    const std::string& size() const { return size_; }
    void setSize(std::string size) { size_ = std::move(size); }
    // The size read as a byte count (0 for text that is no number).
    std::uint64_t sizeInBytes() const;
    const NodeIcon& icon() const { return icon_; }
    void setIcon(NodeIcon icon) { icon_ = std::move(icon); }

protected:
    OutlineViewNode(const OutlineViewNode&) = default;
    OutlineViewNode& operator=(const OutlineViewNode&) = default;
    void deepCopyChildren();
    void fillFromPath(const std::string& path, bool isDirectory, bool withSize);

private:
    std::string title_;
    std::string fullPath_;
    std::vector<std::string> arrFullPath_;
    bool isDirectory_ = false;
    bool isDeleted_ = false;
    bool isMultiplePaths_ = false;
    Children children_;
    std::int64_t state_ = 1;
    std::int64_t parentIndex_ = 0;
    std::string size_ = "0";
    NodeIcon icon_;
};

} // namespace qengine
