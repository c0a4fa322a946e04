#include "Home.h"

#include "Log.h"

#include <cstdlib>
#include <mutex>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace qcore {

namespace {

// Built on first use, so an override set while static objects are still being made holds.
struct Override {
    std::mutex mutex;
    std::string path;
    bool active = false;
};

Override& homeOverride() {
    static Override state;
    return state;
}

std::string trimTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string lookUpHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* result = nullptr;
    for (;;) {
        const int rc = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result);
        if (rc == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        break;
    }
    if (result && result->pw_dir) return trimTrailingSlashes(result->pw_dir);
    // No password entry (containers without one): the environment is all we have.
    const char* env = std::getenv("HOME");
    log("No user-database entry for uid ", ::getuid(), "; using HOME");
    return env ? trimTrailingSlashes(env) : std::string();
}

} // namespace

std::string Home::realHomeDirectory() {
    {
        auto& o = homeOverride();
        std::lock_guard lock(o.mutex);
        if (o.active) return o.path;
    }
    static const std::string home = lookUpHome();
    return home;
}

bool Home::isUsable(const std::string& home) {
    return !home.empty() && home.front() == '/' && home != "/";
}

std::string Home::containerHome(const std::string& bundleIdentifier) {
    return realHomeDirectory() + "/Library/Containers/" + bundleIdentifier + "/Data";
}

std::string Home::applicationScriptsFolder(const std::string& bundleIdentifier) {
    return realHomeDirectory() + "/Library/Application Scripts/" + bundleIdentifier + "/";
}

void Home::setOverrideForTesting(const std::string& path) {
    auto& o = homeOverride();
    std::lock_guard lock(o.mutex);
    o.active = !path.empty();
    o.path = trimTrailingSlashes(path);
}

} // namespace qcore
