#include "pages/care/OneClickTally.h"

#include "engine/ModuleKeys.h"

#include <algorithm>
#include <numeric>

namespace qpages {

const std::array<std::string, OneClickTally::kModules>& OneClickTally::modules() {
    static const std::array<std::string, kModules> keys{
        qengine::modules::kSystemCleaner, qengine::modules::kLogsCleaner,
        qengine::modules::kTrashCleaner, qengine::modules::kPartialDownloads};
    return keys;
}

int OneClickTally::indexOf(const std::string& module) {
    const auto& keys = modules();
    const auto it = std::find(keys.begin(), keys.end(), module);
    return it == keys.end() ? -1 : static_cast<int>(it - keys.begin());
}

double OneClickTally::level(std::size_t index, std::int32_t count) {
    const std::int32_t step = (index == 1 || index == 2) ? 5 : 10;
    if (count > 5 * step) return 5.0;
    if (count <= 0) return 0.0;
    return static_cast<double>((count + step - 1) / step);
}

void OneClickTally::applyScanUpdate(std::size_t index, std::int32_t count, std::uint64_t size) {
    auto& m = modules_[index];
    m.dataPresent = true;
    m.count = m.shownCount = std::max(0, count);
    m.foundSize = size;
    m.size = size;
}

void OneClickTally::applyCleanUpdate(std::size_t index, std::int32_t removed,
                                     std::uint64_t removedBytes) {
    auto& m = modules_[index];
    m.dataPresent = true;
    m.shownCount = std::max(0, m.count - removed);
    m.size = removedBytes;
}

std::uint64_t OneClickTally::remainingFoundSize(std::size_t index) const {
    const auto& m = modules_[index];
    return m.size > m.foundSize ? 0 : m.foundSize - m.size;
}

bool OneClickTally::anyChecked() const {
    return checkedCount() > 0;
}

int OneClickTally::checkedCount() const {
    return static_cast<int>(
        std::count_if(modules_.begin(), modules_.end(), [](const auto& m) { return m.checked; }));
}

std::int64_t OneClickTally::countSum() const {
    return std::accumulate(modules_.begin(), modules_.end(), std::int64_t{0},
                           [](std::int64_t sum, const auto& m) { return sum + m.count; });
}

std::int64_t OneClickTally::shownCountSum() const {
    return std::accumulate(modules_.begin(), modules_.end(), std::int64_t{0},
                           [](std::int64_t sum, const auto& m) { return sum + m.shownCount; });
}

std::int64_t OneClickTally::lastCountSum() const {
    return std::accumulate(modules_.begin(), modules_.end(), std::int64_t{0},
                           [](std::int64_t sum, const auto& m) { return sum + m.lastCount; });
}

std::uint64_t OneClickTally::checkedSize() const {
    return std::accumulate(
        modules_.begin(), modules_.end(), std::uint64_t{0},
        [](std::uint64_t sum, const auto& m) { return m.checked ? sum + m.size : sum; });
}

std::int32_t OneClickTally::cleanedCount() const {
    return static_cast<std::int32_t>(std::max<std::int64_t>(0, lastCountSum() - shownCountSum()));
}

void OneClickTally::initActivityFinishedStatus() {
    for (const auto& module : modules())
        finished_[module] = true;
}

void OneClickTally::setFinished(const std::string& module, bool finished) {
    finished_[module] = finished;
}

bool OneClickTally::isFinished(const std::string& module) const {
    const auto it = finished_.find(module);
    return it == finished_.end() || it->second;
}

bool OneClickTally::allFinished() const {
    return std::all_of(modules().begin(), modules().end(),
                       [this](const auto& module) { return isFinished(module); });
}

} // namespace qpages
