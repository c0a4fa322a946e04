#include "shell/views/ModuleTotals.h"

#include "engine/DataFiller.h"

#include <cstdint>

namespace qshell {

namespace {

using qengine::ModuleList;

bool isFlatJunk(const std::string& module) {
    return module == qengine::modules::kTrashCleaner ||
           module == qengine::modules::kPartialDownloads;
}

bool isTicked(std::int64_t state, std::uint64_t size) {
    return state == 1 && size > 0;
}

} // namespace

std::uint32_t ModuleTotals::getItemsCount(const qengine::DataFiller& engine,
                                          const std::string& module) {
    if (!qengine::modules::find(module)) return 0;
    const bool flat = isFlatJunk(module);
    return engine.mainDataSource(module).withLock(
        [flat](const ModuleList::Nodes& nodes, const ModuleList::Rows& rows) -> std::uint32_t {
            if (flat) return static_cast<std::uint32_t>(rows.size());
            std::int32_t count = 0;
            for (const auto& group : nodes)
                if (group) count += static_cast<std::int32_t>(group->children().size());
            return count > 0 ? static_cast<std::uint32_t>(count) : 0;
        });
}

std::uint64_t ModuleTotals::getSize(const qengine::DataFiller& engine, const std::string& module) {
    if (!qengine::modules::find(module)) return 0;
    const bool flat = isFlatJunk(module);
    return engine.mainDataSource(module).withLock(
        [flat](const ModuleList::Nodes& nodes, const ModuleList::Rows& rows) {
            std::uint64_t total = 0;
            if (flat) {
                for (const auto& row : rows)
                    total += qengine::row::size(row);
                return total;
            }
            for (const auto& group : nodes)
                if (group)
                    for (const auto& child : group->children())
                        if (child) total += child->sizeInBytes();
            return total;
        });
}

bool ModuleTotals::itemInOutlineViewNode(const qengine::DataFiller& engine,
                                         const std::string& module) {
    if (!qengine::modules::find(module)) return false;
    return engine.mainDataSource(module).withLock(
        [](const ModuleList::Nodes& nodes, const ModuleList::Rows&) {
            for (const auto& group : nodes)
                if (group)
                    for (const auto& child : group->children())
                        if (child && isTicked(child->state(), child->sizeInBytes())) return true;
            return false;
        });
}

bool ModuleTotals::checkItemsAvailable(const qengine::DataFiller& engine) {
    if (itemInOutlineViewNode(engine, qengine::modules::kSystemCleaner) ||
        itemInOutlineViewNode(engine, qengine::modules::kLogsCleaner))
        return true;
    for (const auto& module :
         {qengine::modules::kPartialDownloads, qengine::modules::kTrashCleaner}) {
        const bool found = engine.mainDataSource(module).withLock(
            [](const ModuleList::Nodes&, const ModuleList::Rows& rows) {
                for (const auto& row : rows)
                    if (isTicked(qengine::row::state(row), qengine::row::size(row))) return true;
                return false;
            });
        if (found) return true;
    }
    return false;
}

std::uint64_t ModuleTotals::junkBytes(const qengine::DataFiller& engine) {
    std::uint64_t total = 0;
    for (const auto& module :
         {qengine::modules::kSystemCleaner, qengine::modules::kLogsCleaner,
          qengine::modules::kTrashCleaner, qengine::modules::kPartialDownloads})
        total += getSize(engine, module);
    return total;
}

} // namespace qshell
