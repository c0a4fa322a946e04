#include "pages/tools/DuplicateResults.h"

#include "engine/DupOVNode.h"
#include "pages/tools/DuplicatesTypeFilter.h"

#include <algorithm>

namespace qpages {

using qengine::ModuleList;
using qengine::OutlineViewNode;

namespace {

QString titleOf(const OutlineViewNode& node) {
    return QString::fromStdString(node.title());
}

std::uint64_t copiesBytes(const OutlineViewNode& group) {
    std::uint64_t bytes = 0;
    for (const auto& copy : group.children())
        if (copy) bytes += copy->sizeInBytes();
    return bytes;
}

// 1 when every copy is ticked, -1 when some are, 0 when none is or the group is empty.
std::int64_t stateByCopies(const OutlineViewNode& group) {
    const auto& copies = group.children();
    const auto ticked = std::count_if(copies.begin(), copies.end(),
                                      [](const auto& copy) { return copy && copy->state() == 1; });
    if (copies.empty() || ticked == 0) return 0;
    return ticked == static_cast<std::ptrdiff_t>(copies.size()) ? 1 : -1;
}

bool lessBy(DuplicateResults::SortKey key, const OutlineViewNode& a, const OutlineViewNode& b) {
    if (key == DuplicateResults::SortKey::Size) return a.sizeInBytes() < b.sizeInBytes();
    return a.title() < b.title();
}

void sortNodes(ModuleList::Nodes& nodes, DuplicateResults::SortKey key, bool descending) {
    std::stable_sort(nodes.begin(), nodes.end(), [&](const auto& a, const auto& b) {
        if (!a || !b) return static_cast<bool>(a) && !b;
        return descending ? lessBy(key, *b, *a) : lessBy(key, *a, *b);
    });
}

} // namespace

template <typename Fn> decltype(auto) DuplicateResults::withShown(Fn&& fn) {
    return list_.withLock([&](ModuleList::Nodes& nodes, ModuleList::Rows&) -> decltype(auto) {
        return fn(segment_ == 0 ? nodes : filtered_);
    });
}

template <typename Fn> decltype(auto) DuplicateResults::withShown(Fn&& fn) const {
    return list_.withLock(
        [&](const ModuleList::Nodes& nodes, const ModuleList::Rows&) -> decltype(auto) {
            return fn(segment_ == 0 ? nodes : filtered_);
        });
}

DuplicateResults::DuplicateResults(ModuleList& list) : list_(list) {}

void DuplicateResults::setHomeFolder(const std::string& home) {
    mediaFolder_ = home.empty()
                       ? QString()
                       : (QString::fromStdString(home) + "/Music/iTunes/iTunes Media/").toUpper();
}

// --- Shown groups ----------------------------------------------------------------------------

void DuplicateResults::selectCategory(int segment) {
    segment_ = segment > 0 && segment < DuplicatesTypeFilter::kSegmentCount ? segment : 0;
    list_.withLock([&](ModuleList::Nodes& nodes, ModuleList::Rows&) {
        filtered_.clear();
        if (segment_ != 0)
            std::copy_if(
                nodes.begin(), nodes.end(), std::back_inserter(filtered_), [&](const auto& group) {
                    return group && DuplicatesTypeFilter::segmentShows(segment_, titleOf(*group));
                });
        renumber(segment_ == 0 ? nodes : filtered_);
    });
}

void DuplicateResults::clearShown() {
    segment_ = 0;
    list_.withLock([&](ModuleList::Nodes&, ModuleList::Rows&) { filtered_.clear(); });
}

std::size_t DuplicateResults::shownCount() const {
    return withShown([](const ModuleList::Nodes& shown) { return shown.size(); });
}

std::size_t DuplicateResults::groupCount() const {
    return list_.nodeCount();
}

ModuleList::Nodes DuplicateResults::shownSnapshot() const {
    return withShown([](const ModuleList::Nodes& shown) {
        ModuleList::Nodes copy;
        copy.reserve(shown.size());
        for (const auto& group : shown)
            if (group) copy.push_back(group->clone());
        return copy;
    });
}

std::optional<std::string> DuplicateResults::copyPath(std::size_t group, std::size_t copy) const {
    return withShown([&](const ModuleList::Nodes& shown) -> std::optional<std::string> {
        if (group >= shown.size() || !shown[group]) return std::nullopt;
        const auto& copies = shown[group]->children();
        if (copy >= copies.size() || !copies[copy]) return std::nullopt;
        return copies[copy]->fullPath();
    });
}

void DuplicateResults::updateParentIndexForDups() {
    withShown([&](ModuleList::Nodes& shown) { renumber(shown); });
}

void DuplicateResults::renumber(ModuleList::Nodes& shown) const {
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!shown[i]) continue;
        for (const auto& copy : shown[i]->children())
            if (copy) copy->setParentIndex(static_cast<std::int64_t>(i));
    }
}

// --- Kept copy -------------------------------------------------------------------------------

std::size_t DuplicateResults::keptIndex(const OutlineViewNode& group) {
    const auto* dup = dynamic_cast<const qengine::DupOVNode*>(&group);
    const std::int32_t index = dup ? dup->indexToRetain() : 0;
    if (index < 0 || static_cast<std::size_t>(index) >= group.children().size()) return 0;
    return static_cast<std::size_t>(index);
}

void DuplicateResults::updateIndexToRetain(bool first) {
    list_.withLock([&](ModuleList::Nodes& nodes, ModuleList::Rows&) {
        for (const auto& group : nodes) {
            auto* dup = dynamic_cast<qengine::DupOVNode*>(group.get());
            if (!dup) continue;
            const auto count = static_cast<std::int32_t>(dup->children().size());
            dup->setIndexToRetain(first || count == 0 ? 0 : count - 1);
        }
    });
    applyMediaRule();
}

void DuplicateResults::applyMediaRule() {
    if (mediaFolder_.isEmpty()) return;
    list_.withLock([&](ModuleList::Nodes& nodes, ModuleList::Rows&) {
        for (const auto kind : {DuplicatesTypeFilter::Audio, DuplicatesTypeFilter::Video}) {
            for (const auto& group : nodes) {
                auto* dup = dynamic_cast<qengine::DupOVNode*>(group.get());
                if (!dup || !DuplicatesTypeFilter::matches(kind, titleOf(*dup))) continue;
                const auto& copies = dup->children();
                for (std::size_t i = 0; i < copies.size(); ++i) {
                    if (copies[i] && QString::fromStdString(copies[i]->fullPath())
                                         .toUpper()
                                         .startsWith(mediaFolder_)) {
                        dup->setIndexToRetain(static_cast<std::int32_t>(i));
                        break;
                    }
                }
            }
        }
    });
}

// --- Ticks -----------------------------------------------------------------------------------

bool DuplicateResults::itemsToShred() const {
    return withShown([](const ModuleList::Nodes& shown) {
        return std::any_of(shown.begin(), shown.end(),
                           [](const auto& group) { return group && group->children().size() > 1; });
    });
}

void DuplicateResults::tickGroup(OutlineViewNode& group, bool tick, bool shred) {
    auto& copies = group.children();
    const std::size_t kept = keptIndex(group);
    for (std::size_t i = 0; i < copies.size(); ++i)
        if (copies[i]) copies[i]->setState(tick && i != kept ? 1 : 0);
    if (shred) group.setState(tick && copies.size() > 1 ? -1 : 0);
}

DuplicateResults::Click DuplicateResults::clickCopy(std::size_t group, std::size_t copy,
                                                    const std::string& path, bool tick) {
    return withShown([&](ModuleList::Nodes& shown) {
        if (group >= shown.size() || !shown[group]) return Click::Ignored;
        auto& copies = shown[group]->children();
        if (copy >= copies.size() || !copies[copy] || copies[copy]->fullPath() != path)
            return Click::Ignored;
        if (tick && copies[copy]->state() != 1) {
            const auto unticked = std::count_if(copies.begin(), copies.end(),
                                                [](const auto& c) { return c && c->state() != 1; });
            if (unticked <= 1) return Click::Refused;
        }
        copies[copy]->setState(tick ? 1 : 0);
        shown[group]->setState(stateByCopies(*shown[group]));
        return Click::Accepted;
    });
}

DuplicateResults::Click DuplicateResults::clickGroup(std::size_t group, const std::string& title) {
    const bool shred = itemsToShred();
    return withShown([&](ModuleList::Nodes& shown) {
        if (group >= shown.size() || !shown[group] || shown[group]->title() != title)
            return Click::Ignored;
        auto& node = *shown[group];
        tickGroup(node, node.state() == 0, shred);
        if (shred && node.children().empty()) node.setState(0);
        return Click::Accepted;
    });
}

void DuplicateResults::checkUncheckAll(bool tick) {
    const bool shred = itemsToShred();
    withShown([&](ModuleList::Nodes& shown) {
        for (const auto& group : shown)
            if (group) tickGroup(*group, tick, shred);
    });
}

void DuplicateResults::selectAllButFirst() {
    isFirstExcluded_ = true;
    updateIndexToRetain(true);
    checkUncheckAll(true);
}

void DuplicateResults::selectAllButLast() {
    isFirstExcluded_ = false;
    updateIndexToRetain(false);
    checkUncheckAll(true);
}

// --- Sums ------------------------------------------------------------------------------------

DuplicateResults::Sum DuplicateResults::totals() {
    return withShown([](ModuleList::Nodes& shown) {
        Sum sum;
        for (const auto& group : shown) {
            if (!group) continue;
            const std::uint64_t bytes = copiesBytes(*group);
            group->setSize(std::to_string(bytes));
            sum.bytes += bytes;
            const auto copies = static_cast<std::int32_t>(group->children().size());
            sum.items += std::max(0, copies - 1);
        }
        return sum;
    });
}

DuplicateResults::Sum DuplicateResults::selection() const {
    return list_.withLock([](const ModuleList::Nodes& nodes, const ModuleList::Rows&) {
        Sum sum;
        for (const auto& group : nodes) {
            if (!group) continue;
            for (const auto& copy : group->children())
                if (copy && copy->state() == 1) {
                    ++sum.items;
                    sum.bytes += copy->sizeInBytes();
                }
        }
        return sum;
    });
}

void DuplicateResults::settleGroupStates() {
    list_.withLock([](ModuleList::Nodes& nodes, ModuleList::Rows&) {
        for (const auto& group : nodes)
            if (group) group->setState(stateByCopies(*group));
    });
}

// --- Order and clean -------------------------------------------------------------------------

void DuplicateResults::sort(SortKey key, bool descending) {
    withShown([&](ModuleList::Nodes& shown) {
        for (const auto& group : shown) {
            if (!group) continue;
            sortNodes(group->children(), key, descending);
            group->setSize(std::to_string(copiesBytes(*group)));
        }
        sortNodes(shown, key, descending);
    });
}

void DuplicateResults::updateDatabaseAfterDeletion() {
    list_.withLock([](ModuleList::Nodes& nodes, ModuleList::Rows&) {
        std::erase_if(nodes, [](const OutlineViewNode::Ptr& group) {
            if (!group) return true;
            auto& copies = group->children();
            std::erase_if(copies, [](const auto& copy) { return !copy || copy->isDeleted(); });
            const bool stillTicked = std::any_of(
                copies.begin(), copies.end(), [](const auto& copy) { return copy->state() == 1; });
            if ((group->isDeleted() || copies.size() <= 1) && !stillTicked) return true;
            group->setIsDeleted(false);
            group->setState(-1);
            return false;
        });
    });
    selectCategory(segment_);
}

} // namespace qpages
