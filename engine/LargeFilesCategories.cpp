#include "engine/LargeFilesCategories.h"

#include "engine/DataFiller.h"
#include "engine/LargeFilesThresholds.h"
#include "engine/TextFormat.h"
#include "platform/core/FileManager.h"

#include <algorithm>
#include <array>

namespace qengine {

namespace {

const std::string kGroupCommon = "GRP_CMN";
const std::array<const char*, 5> kCategoryWords{"Music", "Pictures", "Video", "Documents",
                                                "Others"};

std::string categoryTitle(const DataFiller& engine, const std::string& word) {
    return engine.getTokenForGroup(kGroupCommon, "ID_" + text::upperCased(word));
}

// The table holding the extension, in the order Music, Pictures, Video, Documents; "Others"
// when none does.
std::string categoryOf(const DataFiller& engine, const std::string& path) {
    const std::string extension = text::upperCased(qcore::FileManager::pathExtension(path));
    for (const qcore::Dictionary* table : {&engine.catMusicDict(), &engine.catPicturesDict(),
                                           &engine.catVideoDict(), &engine.catDocumentsDict()}) {
        if (extension.empty() || extension == "CAT_NAME" || !table->contains(extension)) continue;
        return table->at("CAT_NAME").toString();
    }
    return "Others";
}

} // namespace

void LargeFilesCategories::addNodes(DataFiller& engine, const std::string& module) {
    ModuleList& list = engine.mainDataSource(module);
    if (list.empty()) {
        for (const char* word : kCategoryWords) {
            auto row = OutlineViewNode::initWithPath(word, false, false);
            row->setIsDirectory(true);
            row->setState(0);
            row->setIconFixedSize(std::string(word) + ".png");
            list.appendNode(std::move(row));
        }
    }
    // Titled from the category word the row keeps as its path, so titling twice is harmless.
    list.withLock([&](ModuleList::Nodes& rows, ModuleList::Rows&) {
        for (const auto& row : rows)
            if (row) row->setTitle(categoryTitle(engine, row->fullPath()));
    });
}

std::int32_t LargeFilesCategories::indexForFile(const DataFiller& engine, const std::string& path,
                                                const std::string& module, std::uint64_t size,
                                                const LargeFilesThresholds& thresholds) {
    const std::string category = categoryOf(engine, path);
    if (size < thresholds.forCategory(category)) return -1;
    // A row is found by the category word it keeps as its path, which neither a translated title
    // nor the page's size sort of the rows changes.
    const auto word = std::find(kCategoryWords.begin(), kCategoryWords.end(), category);
    const std::string rowPath = word == kCategoryWords.end() ? kCategoryWords.back() : *word;
    return engine.mainDataSource(module).withLock(
        [&](const ModuleList::Nodes& rows, const ModuleList::Rows&) -> std::int32_t {
            for (std::size_t i = 0; i < rows.size(); ++i)
                if (rows[i] && rows[i]->fullPath() == rowPath) return static_cast<std::int32_t>(i);
            return -1;
        });
}

std::int32_t LargeFilesCategories::indexOf(const DataFiller& engine, const std::string& module,
                                           const std::string& title) {
    return engine.mainDataSource(module).withLock(
        [&](const ModuleList::Nodes& rows, const ModuleList::Rows&) -> std::int32_t {
            for (std::size_t i = 0; i < rows.size(); ++i)
                if (rows[i] && rows[i]->title() == title) return static_cast<std::int32_t>(i);
            return -1;
        });
}

} // namespace qengine
