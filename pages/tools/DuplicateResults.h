#pragma once

#include "engine/ModuleList.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qpages {

// The duplicate groups as the Duplicates Finder shows them, over the engine's list: the groups
// the type filter lets through, the copy kept in every group, the tick rules that keep that
// copy, the sums and the sort. Every read and edit of the engine's nodes takes the list's lock;
// call from the main thread, and edit only while the module neither scans nor cleans.
//
// Without a filter the shown groups are the engine's own list, so a sort reorders what the
// next clean walks; with one they are a list of the same group objects, so ticks and the order
// of copies are shared with the engine's list.
class DuplicateResults {
public:
    enum class SortKey { Size, Title };
    enum class Click { Accepted, Refused, Ignored };
    struct Sum {
        std::int32_t items = 0;
        std::uint64_t bytes = 0;
    };

    explicit DuplicateResults(qengine::ModuleList& list);

    // The library folder whose copy of an audio or video file is the one kept:
    // "<home>/Music/iTunes/iTunes Media/".
    void setHomeFolder(const std::string& home);

    // --- Shown groups ---------------------------------------------------------------------
    int segment() const { return segment_; }
    // Shows the groups of `segment` (0: all) and renumbers the copies' group indexes.
    void selectCategory(int segment);
    // Drops the filter's own list when its groups are no longer wanted.
    void clearShown();
    std::size_t shownCount() const;
    std::size_t groupCount() const;
    // Copies of the shown groups for a view.
    qengine::ModuleList::Nodes shownSnapshot() const;
    // The path of a shown copy; nothing for a group row or an index out of range.
    std::optional<std::string> copyPath(std::size_t group, std::size_t copy) const;
    // Sets every copy's parentIndex to its group's place in the shown list.
    void updateParentIndexForDups();

    // --- Kept copy --------------------------------------------------------------------------
    bool isFirstExcluded() const { return isFirstExcluded_; }
    void setFirstExcluded(bool first) { isFirstExcluded_ = first; }
    // Every group keeps its first (or last) copy, then the media rule runs.
    void updateIndexToRetain(bool first);
    // Audio, then video groups keep their first copy inside the media library, if any.
    void applyMediaRule();
    // The position of the copy `group` keeps; an index out of range counts as the first copy.
    static std::size_t keptIndex(const qengine::OutlineViewNode& group);

    // --- Ticks ------------------------------------------------------------------------------
    // Some shown group has two or more copies.
    bool itemsToShred() const;
    // A click on a copy's box. A tick that would leave no copy of the group unticked is
    // refused. `path` is the copy the view showed; a row that no longer holds it is ignored.
    Click clickCopy(std::size_t group, std::size_t copy, const std::string& path, bool tick);
    // A click on a group's box: an unticked group ticks every copy but the kept one, a ticked
    // or mixed group unticks them all.
    Click clickGroup(std::size_t group, const std::string& title);
    // Ticks (or unticks) every copy of every shown group but each kept copy.
    void checkUncheckAll(bool tick);
    void selectAllButFirst();
    void selectAllButLast();

    // --- Sums -------------------------------------------------------------------------------
    // Copies that could go (all but one per group) over the shown groups, and the bytes of all
    // their copies; writes each shown group's size.
    Sum totals();
    // Ticked copies of every group, shown or not.
    Sum selection() const;
    // Each group is ticked, mixed or unticked by its copies.
    void settleGroupStates();

    // --- Order and clean --------------------------------------------------------------------
    // Copies inside every shown group, then the shown groups, by 64-bit size or by title.
    void sort(SortKey key, bool descending);
    // After a clean: removed copies leave their groups; a group leaves the list when at most
    // one copy is left and none of them is still ticked (a copy whose removal failed).
    void updateDatabaseAfterDeletion();

private:
    template <typename Fn> decltype(auto) withShown(Fn&& fn);
    template <typename Fn> decltype(auto) withShown(Fn&& fn) const;
    static void tickGroup(qengine::OutlineViewNode& group, bool tick, bool shred);
    void renumber(qengine::ModuleList::Nodes& shown) const;

    qengine::ModuleList& list_;
    int segment_ = 0;
    // The filter's groups; unused while segment_ is 0.
    qengine::ModuleList::Nodes filtered_;
    QString mediaFolder_;
    bool isFirstExcluded_ = true;
};

} // namespace qpages
