#include "tests/pages/tools/FinderTestSupport.h"

#include "platform/core/UserDefaults.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace finders {

void setFixtureTime(const std::string& path) {
    // One time for the whole run, whole seconds as the search compares them.
    static const auto fixtureTime =
        std::chrono::floor<std::chrono::seconds>(std::filesystem::file_time_type::clock::now());
    std::filesystem::last_write_time(path, fixtureTime);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void useDuplicatesSettings(const std::string& folder) {
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("DuplicatesFinderPath", folder);
    defaults.setObject("searchFileMinSize", "0");
    defaults.setObject("searchSizeUnit", "0");
    defaults.setObject("excludedDirectoryNames",
                       qcore::Array{qcore::Value("/Library"), qcore::Value("/Volumes")});
}

void forgetDuplicatesSettings() {
    for (const auto* key :
         {"DuplicatesFinderPath", "searchFileMinSize", "searchSizeUnit", "excludedDirectoryNames"})
        qcore::UserDefaults::standard().removeObject(key);
}

} // namespace finders
