#pragma once

#include <memory>
#include <string>
#include <vector>

namespace qshell {

// One row of the sidebar tree: a section with children, or a module or spacer leaf.
class BaseNode {
public:
    using Ptr = std::shared_ptr<BaseNode>;

    BaseNode() = default;
    static Ptr makeSection(std::string title);
    static Ptr makeLeaf(std::string urlString, std::string title, std::string iconPath);

    const std::string& nodeTitle() const { return nodeTitle_; }
    void setNodeTitle(std::string title) { nodeTitle_ = std::move(title); }
    const std::vector<Ptr>& children() const { return children_; }
    void setChildren(std::vector<Ptr> children) { children_ = std::move(children); }
    void addChild(Ptr child) { children_.push_back(std::move(child)); }
    bool isLeaf() const { return isLeaf_; }
    // A leaf has no children; making a node a leaf or a section starts it empty.
    void setLeaf(bool leaf);
    // Path of the row's icon image; empty for none.
    const std::string& nodeIcon() const { return nodeIcon_; }
    void setNodeIcon(std::string path) { nodeIcon_ = std::move(path); }
    // The module name the row was built from, or " " for a spacer.
    const std::string& urlString() const { return urlString_; }
    void setURL(std::string url) { urlString_ = std::move(url); }
    const std::string& nodeSize() const { return nodeSize_; }
    void setNodeSize(std::string size) { nodeSize_ = std::move(size); }
    bool nodeState() const { return nodeState_; }
    void setNodeState(bool state) { nodeState_ = state; }

    // Not an absolute path and with an icon.
    bool isDraggable() const;

private:
    std::string nodeTitle_ = "BaseNode Untitled";
    std::vector<Ptr> children_;
    bool isLeaf_ = false;
    std::string nodeIcon_;
    std::string urlString_;
    std::string nodeSize_;
    bool nodeState_ = false;
};

} // namespace qshell
