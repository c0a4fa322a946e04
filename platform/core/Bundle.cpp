#include "Bundle.h"

#include "FileManager.h"
#include "Log.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace qcore {

namespace {

std::mutex mainMutex;
std::unique_ptr<Bundle> mainBundle;

std::string executableFolder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return ".";
    return FileManager::deletingLastPathComponent(std::string(buffer, static_cast<std::size_t>(n)));
}

std::string findResources() {
    if (const char* env = std::getenv("QUENDRIX_RESOURCES"); env && *env) return env;
    const std::string exe = executableFolder();
    for (const std::string& candidate :
         {exe + "/resources", exe + "/../resources", exe + "/../share/quendrix/resources"}) {
        if (FileManager::exists(candidate + "/Info.plist")) return candidate;
    }
    return exe + "/resources";
}

} // namespace

Bundle::Bundle(std::string resourcePath) : resourcePath_(std::move(resourcePath)) {
    if (auto info = Value::fromPlistFile(resourcePath_ + "/Info.plist");
        info && info->isDictionary())
        info_ = *info->dictionary();
    else
        log("No Info.plist in ", resourcePath_);
}

Bundle& Bundle::main() {
    std::lock_guard lock(mainMutex);
    if (!mainBundle) mainBundle = std::make_unique<Bundle>(findResources());
    return *mainBundle;
}

void Bundle::setMainResourcePath(const std::string& path) {
    std::lock_guard lock(mainMutex);
    mainBundle = std::make_unique<Bundle>(path);
}

std::optional<std::string> Bundle::pathForResource(const std::string& name,
                                                   const std::string& type) const {
    const std::string path = resourcePath_ + "/" + (type.empty() ? name : name + "." + type);
    if (FileManager::exists(path)) return path;
    return std::nullopt;
}

std::string Bundle::imagePath(const std::string& fileName) const {
    return resourcePath_ + "/images/" + fileName;
}

std::string Bundle::infoString(const std::string& key) const {
    const auto it = info_.find(key);
    return it == info_.end() ? std::string() : it->second.toString();
}

} // namespace qcore
