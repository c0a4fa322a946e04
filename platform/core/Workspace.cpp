#include "Workspace.h"

#include "FileManager.h"
#include "Home.h"
#include "InstalledApplications.h"
#include "PlainText.h"
#include "Value.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace qcore {

namespace {

std::mutex procMutex;
std::string procRoot = "/proc";

std::string currentProcRoot() {
    std::lock_guard lock(procMutex);
    return procRoot;
}

struct KnownProgram {
    const char* bundleIdentifier;
    const char* displayName;
    std::array<const char*, 4> processNames;
};

// Browsers the engine asks about by bundle identifier, with their names on this platform.
constexpr std::array<KnownProgram, 3> kKnownPrograms{{
    {"org.mozilla.firefox", "Firefox", {"firefox", "firefox-esr", "firefox-bin", nullptr}},
    {"com.google.Chrome",
     "Google Chrome",
     {"chrome", "google-chrome", "chromium", "chromium-browser"}},
    {"com.apple.Safari", "Safari", {"safari", nullptr, nullptr, nullptr}},
}};

const KnownProgram* knownByIdentifier(const std::string& id) {
    for (const auto& p : kKnownPrograms)
        if (PlainText::upper(p.bundleIdentifier) == PlainText::upper(id)) return &p;
    return nullptr;
}

// The ".app" folder enclosing an executable, if any.
std::string enclosingAppBundle(const std::string& executable) {
    std::string dir = FileManager::deletingLastPathComponent(executable);
    while (!dir.empty() && dir != "/") {
        if (PlainText::lower(FileManager::pathExtension(dir)) == "app") return dir;
        dir = FileManager::deletingLastPathComponent(dir);
    }
    return "";
}

std::string readFirstLine(const std::string& path) {
    const auto text = FileManager::readFile(path);
    if (!text) return "";
    std::string line = text->substr(0, text->find('\n'));
    return line;
}

std::string readLink(const std::string& path) {
    std::array<char, 4096> buffer{};
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

bool ownedByCurrentUser(const std::string& procEntry) {
    const auto attributes = FileManager::attributes(procEntry, true);
    if (!attributes) return false;
    struct stat s {};
    return ::stat(procEntry.c_str(), &s) == 0 && s.st_uid == ::getuid();
}

} // namespace

bool Workspace::isFilePackage(const std::string& path) {
    static const std::array<const char*, 12> kPackageExtensions{
        "app",  "bundle", "framework",     "plugin", "kext", "pkg",
        "mpkg", "rtfd",   "photoslibrary", "appex",  "xpc",  "prefpane"};
    const std::string ext = PlainText::lower(FileManager::pathExtension(path));
    if (ext.empty() || !FileManager::isDirectory(path)) return false;
    return std::find(kPackageExtensions.begin(), kPackageExtensions.end(), ext) !=
           kPackageExtensions.end();
}

std::string Workspace::knownBundleIdentifierForProcess(const std::string& processName) {
    const std::string name = PlainText::lower(processName);
    for (const auto& p : kKnownPrograms)
        for (const char* n : p.processNames)
            if (n && name == n) return p.bundleIdentifier;
    return "";
}

std::vector<RunningApplication> Workspace::runningApplications() {
    std::vector<RunningApplication> apps;
    const std::string root = currentProcRoot();
    for (const std::string& entry : FileManager::contentsOfDirectory(root)) {
        if (entry.empty() || !std::all_of(entry.begin(), entry.end(), ::isdigit)) continue;
        const std::string dir = root + "/" + entry;
        if (!ownedByCurrentUser(dir)) continue;
        RunningApplication app;
        app.pid = std::atoi(entry.c_str());
        app.executablePath = readLink(dir + "/exe");
        const std::string comm = readFirstLine(dir + "/comm");
        if (app.executablePath.empty() && comm.empty()) continue; // kernel threads
        app.bundlePath = enclosingAppBundle(app.executablePath);
        if (!app.bundlePath.empty()) {
            const Value info = InstalledApplications::bundleInfo(app.bundlePath);
            app.bundleIdentifier = info["CFBundleIdentifier"].toString();
            app.name = info["CFBundleName"].toString();
            if (app.name.empty())
                app.name = FileManager::deletingPathExtension(
                    FileManager::lastPathComponent(app.bundlePath));
        }
        const std::string processName =
            app.executablePath.empty() ? comm : FileManager::lastPathComponent(app.executablePath);
        if (app.bundleIdentifier.empty())
            app.bundleIdentifier = knownBundleIdentifierForProcess(processName);
        if (app.name.empty()) {
            const KnownProgram* known = knownByIdentifier(app.bundleIdentifier);
            app.name = known ? known->displayName : processName;
        }
        apps.push_back(std::move(app));
    }
    return apps;
}

std::optional<std::string> Workspace::applicationPathForBundleIdentifier(const std::string& id) {
    if (id.empty()) return std::nullopt;
    return applicationPathForBundleIdentifier(id, InstalledApplications::load());
}

std::optional<std::string>
Workspace::applicationPathForBundleIdentifier(const std::string& id,
                                              const InstalledApplications& applications) {
    if (id.empty()) return std::nullopt;
    if (auto bundle = applications.pathForBundleIdentifier(id)) return bundle;
    if (const KnownProgram* known = knownByIdentifier(id)) {
        const char* pathEnv = std::getenv("PATH");
        std::istringstream dirs(pathEnv ? pathEnv : "/usr/bin:/bin");
        std::string dir;
        while (std::getline(dirs, dir, ':')) {
            for (const char* n : known->processNames) {
                if (!n) continue;
                const std::string candidate = dir + "/" + n;
                if (::access(candidate.c_str(), X_OK) == 0) return candidate;
            }
        }
    }
    return std::nullopt;
}

void Workspace::setProcRootForTesting(const std::string& path) {
    std::lock_guard lock(procMutex);
    procRoot = path.empty() ? "/proc" : path;
}

} // namespace qcore
