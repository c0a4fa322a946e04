#pragma once

#include <cstdint>
#include <string>

namespace qengine {
class DataFiller;
}

namespace qshell {

// Counts and sizes of what the engine holds for a module, read under the module's lock.
class ModuleTotals {
public:
    // Flat modules ("Trash Cleaner", "Partial Downloads"): rows; others: the children of the
    // group rows, 0 when not positive.
    static std::uint32_t getItemsCount(const qengine::DataFiller& engine,
                                       const std::string& module);
    // Sum of the item sizes, ticked or not.
    static std::uint64_t getSize(const qengine::DataFiller& engine, const std::string& module);
    // A ticked item with a size above 0 in a tree module.
    static bool itemInOutlineViewNode(const qengine::DataFiller& engine, const std::string& module);
    // A ticked item with a size above 0 in any of the four junk modules.
    static bool checkItemsAvailable(const qengine::DataFiller& engine);
    // getSize of the four junk modules added up.
    static std::uint64_t junkBytes(const qengine::DataFiller& engine);
};

} // namespace qshell
