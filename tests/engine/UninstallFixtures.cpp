#include "tests/engine/UninstallFixtures.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace uninstall_fixtures {

namespace {

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

qcore::Dictionary infoFor(const std::string& name, const std::string& identifier,
                          const std::string& version) {
    return {{"CFBundleName", name},
            {"CFBundleIdentifier", identifier},
            {"CFBundleVersion", version},
            {"CFBundleExecutable", "tool"}};
}

std::string makeApp(const std::string& folder, const std::string& fileName,
                    const qcore::Dictionary& info) {
    const fs::path bundle = fs::path(folder) / fileName;
    writeFile(bundle / "Contents/Info.plist", qcore::Value(info).toXmlPlist());
    writeFile(bundle / "Contents/MacOS/tool", "#!/bin/sh\n");
    writeFile(bundle / "Contents/Resources/readme.txt", "bundle resource");
    return bundle.string();
}

std::map<std::string, std::string> treeSnapshot(const std::string& root) {
    std::map<std::string, std::string> entries;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string relative = it->path().lexically_relative(root).string();
        if (it->is_symlink()) {
            entries[relative] = "link -> " + fs::read_symlink(it->path()).string();
        } else if (it->is_directory()) {
            entries[relative] = "dir";
        } else {
            std::ifstream in(it->path(), std::ios::binary);
            entries[relative] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return entries;
}

std::string changes(const std::map<std::string, std::string>& before,
                    const std::map<std::string, std::string>& after) {
    std::string out;
    for (const auto& [path, content] : before) {
        const auto now = after.find(path);
        if (now == after.end())
            out += "gone: " + path + "\n";
        else if (now->second != content)
            out += "changed: " + path + "\n";
    }
    for (const auto& entry : after)
        if (!before.count(entry.first)) out += "new: " + entry.first + "\n";
    return out;
}

std::vector<std::string> writeLeftovers(const std::string& home, const std::string& name,
                                        const std::string& identifier) {
    const fs::path library = fs::path(home) / "Library";
    const std::vector<fs::path> places{
        library / "Containers" / identifier,
        library / "Caches" / identifier,
        library / "Caches" / name,
        library / "Preferences" / (identifier + ".plist"),
        library / "Logs" / (name + ".log"),
        library / "Application Support" / name,
        library / name,
    };
    std::vector<std::string> paths;
    for (const auto& place : places) {
        const std::string ext = place.extension().string();
        if (ext == ".plist" || ext == ".log")
            writeFile(place, "leftover " + place.filename().string());
        else
            writeFile(place / "data.bin", "leftover data of " + place.filename().string());
        paths.push_back(place.string());
    }
    return paths;
}

void writeRunningProcess(const std::string& procRoot, int pid, const std::string& bundle) {
    const fs::path process = fs::path(procRoot) / std::to_string(pid);
    fs::create_directories(process);
    std::error_code ec;
    fs::remove(process / "exe", ec);
    fs::create_symlink(fs::path(bundle) / "Contents/MacOS/tool", process / "exe");
    writeFile(process / "comm", "tool\n");
}

namespace {

bool setImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

} // namespace

Protection::~Protection() {
    while (!protected_.empty())
        lift(protected_.back());
}

bool Protection::protect(const std::string& path) {
    bool done = false;
    if (::geteuid() == 0) {
        done = setImmutable(path, true);
    } else {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove, ec);
        done = !ec;
    }
    if (done) protected_.push_back(path);
    return done;
}

void Protection::lift(const std::string& path) {
    if (::geteuid() == 0) {
        setImmutable(path, false);
    } else {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    }
    std::erase(protected_, path);
}

} // namespace uninstall_fixtures
