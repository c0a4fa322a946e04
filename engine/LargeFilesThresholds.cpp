#include "engine/LargeFilesThresholds.h"

#include "engine/SizeSetting.h"

#include <algorithm>

namespace qengine {

void LargeFilesThresholds::readFromDefaults() {
    others_ = SizeSetting::fromDefaults("searchFileMinSize_Large", "searchSizeUnit_Large");
    music_ = SizeSetting::fromDefaults("searchFileMinSize_LargeM", "searchSizeUnit_LargeM");
    documents_ = SizeSetting::fromDefaults("searchFileMinSize_LargeD", "searchSizeUnit_LargeD");
    video_ = SizeSetting::fromDefaults("searchFileMinSize_LargeV", "searchSizeUnit_LargeV");
    pictures_ = SizeSetting::fromDefaults("searchFileMinSize_LargeP", "searchSizeUnit_LargeP");
}

std::uint64_t LargeFilesThresholds::forCategory(const std::string& categoryName) const {
    if (categoryName == "Music") return music();
    if (categoryName == "Pictures") return pictures();
    if (categoryName == "Video") return video();
    if (categoryName == "Documents") return documents();
    return others();
}

std::uint64_t LargeFilesThresholds::smallest() const {
    return std::min({others(), music(), documents(), video(), pictures()});
}

} // namespace qengine
