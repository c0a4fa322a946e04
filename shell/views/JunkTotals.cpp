#include "shell/views/JunkTotals.h"

#include "engine/FileOperations.h"

#include <algorithm>
#include <numeric>

namespace qshell {

namespace {
std::ptrdiff_t indexOf(const std::string& module) {
    const auto& all = JunkTotals::modules();
    const auto it = std::find(all.begin(), all.end(), module);
    return it == all.end() ? -1 : it - all.begin();
}
} // namespace

const std::array<std::string, 5>& JunkTotals::modules() {
    static const std::array<std::string, 5> kModules = {"System Cleaner", "Logs Cleaner",
                                                        "Trash Cleaner", "Partial Downloads",
                                                        "Duplicates Finder"};
    return kModules;
}

bool JunkTotals::update(const std::string& module, std::uint64_t size) {
    const auto index = indexOf(module);
    if (index < 0) return false;
    sizes_[static_cast<std::size_t>(index)] = size;
    return true;
}

std::uint64_t JunkTotals::sizeOf(const std::string& module) const {
    const auto index = indexOf(module);
    return index < 0 ? 0 : sizes_[static_cast<std::size_t>(index)];
}

std::uint64_t JunkTotals::total() const {
    return std::accumulate(sizes_.begin(), sizes_.end(), std::uint64_t{0});
}

std::string JunkTotals::label(bool isScan, const qcore::Dictionary& sizeWords) const {
    const std::string size =
        qengine::FileOperations::convertBytesToApplicableUnit(sizeWords, std::to_string(total()));
    return (isScan ? "Junk Found: " : "Junk Cleaned: ") + size;
}

} // namespace qshell
