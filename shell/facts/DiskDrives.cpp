#include "shell/facts/DiskDrives.h"

#include "shell/facts/SizeText.h"

#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <sstream>
#include <sys/statvfs.h>

namespace qshell {

namespace {

constexpr std::array<const char*, 3> kMediaPrefixes{"/media/", "/run/media/", "/mnt/"};

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// "\040" and the like, as the kernel escapes blanks in mount fields; anything else that
// follows a backslash (a malformed escape) stays as it is.
std::string unescapeOctal(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] <= '3' && isOctalDigit(s[i + 1]) &&
            isOctalDigit(s[i + 2]) && isOctalDigit(s[i + 3])) {
            out +=
                static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool hasOption(const std::string& options, const std::string& option) {
    std::istringstream in(options);
    std::string item;
    while (std::getline(in, item, ','))
        if (item == option) return true;
    return false;
}

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool readFlag(const std::string& path) {
    const auto text = SystemFiles::read(path);
    return text && !text->empty() && text->front() == '1';
}

std::string labelFor(const std::string& device, const SystemFiles& files) {
    if (device.empty() || device.front() != '/') return "";
    const std::string target = qcore::FileManager::canonicalPath(device);
    const std::string labels = files.dev("disk/by-label");
    for (const std::string& label : qcore::FileManager::contentsOfDirectory(labels))
        if (qcore::FileManager::canonicalPath(labels + "/" + label) == target)
            return DiskDrives::unescapeLabel(label);
    return "";
}

bool isRemovableDevice(const std::string& device, const SystemFiles& files) {
    if (device.empty() || device.front() != '/') return false;
    const std::string name =
        qcore::FileManager::lastPathComponent(qcore::FileManager::canonicalPath(device));
    const std::string block = files.sys("class/block/" + name);
    return readFlag(block + "/removable") || readFlag(block + "/../removable");
}

} // namespace

std::vector<MountEntry> DiskDrives::parseMounts(const std::string& text) {
    std::vector<MountEntry> all;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        MountEntry m;
        if (!(fields >> m.device >> m.path >> m.fsType >> m.options)) continue;
        m.device = unescapeOctal(m.device);
        m.path = unescapeOctal(m.path);
        all.push_back(std::move(m));
    }
    // The last entry of each path stands, where it stands; kept in one pass from the end so a
    // long table costs no more than its length.
    std::vector<MountEntry> mounts;
    std::set<std::string> seen;
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (seen.insert(it->path).second) mounts.push_back(std::move(*it));
    std::reverse(mounts.begin(), mounts.end());
    return mounts;
}

bool DiskDrives::isMediaPath(const std::string& path) {
    return std::any_of(kMediaPrefixes.begin(), kMediaPrefixes.end(),
                       [&path](const char* prefix) { return path.rfind(prefix, 0) == 0; });
}

bool DiskDrives::isNetworkFileSystem(const std::string& fsType) {
    static const std::array<const char*, 10> kNetwork{
        "smbfs", "cifs", "smb3", "nfs", "nfs4", "sshfs", "fuse.sshfs", "davfs", "afs", "ncpfs"};
    return std::any_of(kNetwork.begin(), kNetwork.end(),
                       [&fsType](const char* t) { return fsType == t; });
}

bool DiskDrives::isDiskImage(const VolumeFacts& volume) {
    return endsWith(volume.name, "dmg") || volume.device.rfind("/dev/loop", 0) == 0;
}

bool DiskDrives::accepts(const VolumeFacts& v) {
    if (v.name == "Time Capsule" || v.name == "Time Machine Backups") return false;
    if (v.totalBytes == 0) return false;
    if (isDiskImage(v)) return false;
    if (v.path != "/" && !isMediaPath(v.path)) return false;
    if (!v.writable && v.path != "/") return false;
    return !isNetworkFileSystem(v.fsType);
}

Drive DiskDrives::driveFrom(const VolumeFacts& v) {
    Drive d{v.path, v.name, v.totalBytes, v.freeBytes, v.removable, v.writable, v.unmountable, {}};
    if (isMediaPath(v.path))
        d.description = upper(v.fsType) + (v.writable ? " Volumes" : " read only Volumes");
    return d;
}

std::vector<Drive> DiskDrives::filterDrives(const std::vector<VolumeFacts>& volumes) {
    std::vector<Drive> drives;
    for (const VolumeFacts& v : volumes) {
        if (!accepts(v)) continue;
        qcore::log("Drive name is ", v.name);
        qcore::log("Drive Size is ", v.totalBytes);
        qcore::log("Drive Fee Size is ", v.freeBytes);
        drives.push_back(driveFrom(v));
    }
    return drives;
}

std::optional<std::size_t> DiskDrives::selectedIndex(const std::vector<Drive>& drives) {
    if (drives.empty()) return std::nullopt;
    for (std::size_t i = 0; i < drives.size(); ++i)
        if (drives[i].path == "/") return i;
    return 0;
}

std::optional<std::size_t> DiskDrives::indexOfName(const std::vector<Drive>& drives,
                                                   const std::string& name) {
    for (std::size_t i = 0; i < drives.size(); ++i)
        if (drives[i].name == name) return i;
    return std::nullopt;
}

DriveTexts DiskDrives::texts(const Drive& d) {
    DriveTexts t;
    t.name = d.name;
    t.available = "Available: " + SizeText::forDrive(d.freeSize);
    t.total = "Total: " + SizeText::forDrive(d.totalSize);
    if (d.totalSize > 0) {
        const std::uint64_t used = d.totalSize - std::min(d.freeSize, d.totalSize);
        t.usedPercent = static_cast<double>(used) / static_cast<double>(d.totalSize) * 100.0;
    }
    return t;
}

std::string DiskDrives::unescapeLabel(const std::string& label) {
    std::string out;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '\\' && i + 3 < label.size() && label[i + 1] == 'x' &&
            std::isxdigit(static_cast<unsigned char>(label[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(label[i + 3]))) {
            out += static_cast<char>(std::stoi(label.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += label[i];
        }
    }
    return out;
}

std::optional<VolumeFacts> DiskDrives::probe(const MountEntry& mount, const SystemFiles& files) {
    struct statvfs fs {};
    if (::statvfs(mount.path.c_str(), &fs) != 0) return std::nullopt;
    VolumeFacts v;
    v.path = mount.path;
    v.device = mount.device;
    v.fsType = mount.fsType;
    v.totalBytes = static_cast<std::uint64_t>(fs.f_blocks) * fs.f_frsize;
    v.freeBytes = static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
    v.writable = !hasOption(mount.options, "ro") && (fs.f_flag & ST_RDONLY) == 0;
    v.removable = isRemovableDevice(mount.device, files);
    v.unmountable = mount.path != "/";
    v.name = labelFor(mount.device, files);
    if (v.name.empty())
        v.name = mount.path == "/" ? "Computer" : qcore::FileManager::lastPathComponent(mount.path);
    return v;
}

std::vector<Drive> DiskDrives::getDiskDrives(const SystemFiles& files) {
    const auto text = SystemFiles::read(files.proc("self/mounts"));
    if (!text) {
        qcore::log("Mounted volumes unreadable at ", files.proc("self/mounts"));
        return {};
    }
    std::vector<VolumeFacts> volumes;
    for (const MountEntry& mount : parseMounts(*text)) {
        // Only "/" and the media folders can pass; probing others would touch every
        // pseudo file system for nothing.
        if (mount.path != "/" && !isMediaPath(mount.path)) continue;
        if (auto facts = probe(mount, files)) volumes.push_back(std::move(*facts));
    }
    return filterDrives(volumes);
}

} // namespace qshell
