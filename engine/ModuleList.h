#pragma once

#include "engine/ModuleRow.h"
#include "engine/OutlineViewNode.h"

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qengine {

// One module's results: group nodes (tree modules) or rows (flat modules), behind one lock.
// The lock is never held while a notification is posted or the main thread is waited for, and
// it is not recursive: do not call other members of the same list inside withLock().
class ModuleList {
public:
    using Nodes = std::vector<OutlineViewNode::Ptr>;
    using Rows = std::vector<ModuleRow>;

    explicit ModuleList(std::string key) : key_(std::move(key)) {}
    ModuleList(const ModuleList&) = delete;
    ModuleList& operator=(const ModuleList&) = delete;

    const std::string& key() const { return key_; }

    // Runs fn(nodes, rows) under the lock and returns its result.
    template <typename Fn> decltype(auto) withLock(Fn&& fn) {
        const Guard guard(*this);
        return fn(nodes_, rows_);
    }
    template <typename Fn> decltype(auto) withLock(Fn&& fn) const {
        const Guard guard(*this);
        return fn(std::as_const(nodes_), std::as_const(rows_));
    }

    void clear();
    bool empty() const;
    std::size_t nodeCount() const;
    std::size_t rowCount() const;

    // Appends a group node; returns its index.
    std::size_t appendNode(OutlineViewNode::Ptr node);
    // Appends an item to the group at `groupIndex` and sets its parentIndex; false when there is
    // no such group.
    bool appendChild(std::size_t groupIndex, OutlineViewNode::Ptr child);
    void appendRow(ModuleRow row);
    bool eraseRow(std::size_t index);
    std::optional<ModuleRow> rowAt(std::size_t index) const;

    // Copies for views: rows by value, nodes deep-cloned so later edits do not reach them.
    Rows rowsSnapshot() const;
    Nodes nodesSnapshot() const;

    // How many list locks the calling thread holds; posting requires 0.
    static int heldLocksOnThisThread();

private:
    class Guard {
    public:
        explicit Guard(const ModuleList& list);
        ~Guard();
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        std::unique_lock<std::mutex> lock_;
    };

    std::string key_;
    mutable std::mutex mutex_;
    Nodes nodes_;
    Rows rows_;
};

} // namespace qengine
