#include "platform/core/InstalledApplications.h"

#include "platform/core/FileManager.h"
#include "platform/core/Home.h"
#include "platform/core/PlainText.h"
#include "platform/core/Value.h"

namespace qcore {

Value InstalledApplications::bundleInfo(const std::string& bundle) {
    for (const char* rel : {"/Contents/Info.plist", "/Info.plist"}) {
        if (auto info = Value::fromPlistFile(bundle + rel, readLimits::kInfoPlist);
            info && info->isDictionary())
            return std::move(*info);
    }
    return Value();
}

InstalledApplications InstalledApplications::load() {
    InstalledApplications applications;
    const std::string home = Home::realHomeDirectory();
    for (const std::string& folder : {home + "/Applications", std::string("/Applications")}) {
        for (const std::string& name : FileManager::contentsOfDirectory(folder)) {
            if (PlainText::lower(FileManager::pathExtension(name)) != "app") continue;
            const std::string bundle = folder + "/" + name;
            const std::string id = bundleInfo(bundle)["CFBundleIdentifier"].toString();
            if (!id.empty()) applications.byIdentifier_.try_emplace(PlainText::upper(id), bundle);
        }
    }
    return applications;
}

std::optional<std::string>
InstalledApplications::pathForBundleIdentifier(const std::string& id) const {
    const auto it = byIdentifier_.find(PlainText::upper(id));
    if (it == byIdentifier_.end()) return std::nullopt;
    return it->second;
}

} // namespace qcore
