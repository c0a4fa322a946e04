#pragma once

#include "Value.h"

#include <optional>
#include <string>

namespace qcore {

// The application's own files: Info.plist and the resources shipped beside the program.
class Bundle {
public:
    explicit Bundle(std::string resourcePath);

    // Resources found beside the executable ("resources/" next to it, or the installed share
    // folder), or in QUENDRIX_RESOURCES when that is set.
    static Bundle& main();
    static void setMainResourcePath(const std::string& path);

    const std::string& resourcePath() const { return resourcePath_; }
    // "<resources>/<name>.<type>" when that file exists.
    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& type) const;
    std::string imagePath(const std::string& fileName) const;

    const Dictionary& infoDictionary() const { return info_; }
    std::string infoString(const std::string& key) const;
    std::string bundleIdentifier() const { return infoString("CFBundleIdentifier"); }
    std::string bundleName() const { return infoString("CFBundleName"); }

private:
    std::string resourcePath_;
    Dictionary info_;
};

} // namespace qcore
