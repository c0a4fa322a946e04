#include "tests/pages/tools/FinderTestSupport.h"

#include "platform/core/UserDefaults.h"

#include <fstream>
#include <sstream>

namespace finders {

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
