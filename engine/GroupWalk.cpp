#include "engine/GroupWalk.h"

namespace qengine {

ModuleList::Nodes GroupWalk::groups(const ModuleList& list) {
    return list.withLock(
        [](const ModuleList::Nodes& nodes, const ModuleList::Rows&) { return nodes; });
}

bool GroupWalk::isWalked(const ModuleList& list, const OutlineViewNode& group) {
    return list.withLock(
        [&](const ModuleList::Nodes&, const ModuleList::Rows&) { return group.state() != 0; });
}

std::optional<GroupWalk::Child>
GroupWalk::childAt(const ModuleList& list, const OutlineViewNode& group, std::size_t index) {
    return list.withLock(
        [&](const ModuleList::Nodes&, const ModuleList::Rows&) -> std::optional<Child> {
            if (index >= group.children().size()) return std::nullopt;
            Child child;
            child.node = group.children()[index];
            if (!child.node) return child;
            child.state = child.node->state();
            child.isDeleted = child.node->isDeleted();
            child.path = child.node->fullPath();
            child.bytes = child.node->sizeInBytes();
            return child;
        });
}

} // namespace qengine
