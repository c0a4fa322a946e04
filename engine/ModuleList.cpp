#include "engine/ModuleList.h"

namespace qengine {

namespace {
thread_local int tHeldLocks = 0;
} // namespace

ModuleList::Guard::Guard(const ModuleList& list) : lock_(list.mutex_) {
    ++tHeldLocks;
}
ModuleList::Guard::~Guard() {
    --tHeldLocks;
}

int ModuleList::heldLocksOnThisThread() {
    return tHeldLocks;
}

void ModuleList::clear() {
    withLock([](Nodes& nodes, Rows& rows) {
        nodes.clear();
        rows.clear();
    });
}

bool ModuleList::empty() const {
    return withLock(
        [](const Nodes& nodes, const Rows& rows) { return nodes.empty() && rows.empty(); });
}

std::size_t ModuleList::nodeCount() const {
    return withLock([](const Nodes& nodes, const Rows&) { return nodes.size(); });
}

std::size_t ModuleList::rowCount() const {
    return withLock([](const Nodes&, const Rows& rows) { return rows.size(); });
}

std::size_t ModuleList::appendNode(OutlineViewNode::Ptr node) {
    return withLock([&](Nodes& nodes, Rows&) {
        nodes.push_back(std::move(node));
        return nodes.size() - 1;
    });
}

bool ModuleList::appendChild(std::size_t groupIndex, OutlineViewNode::Ptr child) {
    return withLock([&](Nodes& nodes, Rows&) {
        if (groupIndex >= nodes.size() || !nodes[groupIndex] || !child) return false;
        child->setParentIndex(static_cast<std::int64_t>(groupIndex));
        nodes[groupIndex]->children().push_back(std::move(child));
        return true;
    });
}

void ModuleList::appendRow(ModuleRow row) {
    withLock([&](Nodes&, Rows& rows) { rows.push_back(std::move(row)); });
}

bool ModuleList::eraseRow(std::size_t index) {
    return withLock([&](Nodes&, Rows& rows) {
        if (index >= rows.size()) return false;
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
        return true;
    });
}

std::optional<ModuleRow> ModuleList::rowAt(std::size_t index) const {
    return withLock([&](const Nodes&, const Rows& rows) -> std::optional<ModuleRow> {
        if (index >= rows.size()) return std::nullopt;
        return rows[index];
    });
}

ModuleList::Rows ModuleList::rowsSnapshot() const {
    return withLock([](const Nodes&, const Rows& rows) { return rows; });
}

ModuleList::Nodes ModuleList::nodesSnapshot() const {
    return withLock([](const Nodes& nodes, const Rows&) {
        Nodes copy;
        copy.reserve(nodes.size());
        for (const auto& node : nodes)
            copy.push_back(node ? node->clone() : nullptr);
        return copy;
    });
}

} // namespace qengine
