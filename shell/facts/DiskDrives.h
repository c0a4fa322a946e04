#pragma once

// The drives the popover lists, from the mounted volumes of <proc>/self/mounts.
//   "/" stays the system volume; the removable-media folders "/media/", "/run/media/" and
//   "/mnt/" stand where "/Volumes" stood.
//   Sizes come from statvfs: total = blocks x fragment size, free = blocks available to the
//   user x fragment size.
//   Writable: no "ro" mount option and no read-only statvfs flag. Removable: the block
//   device's (or its parent disk's) "removable" flag in <sys>/class/block. Unmountable: every
//   volume but "/".
//   Disk images: loop devices are left out as images were; network file systems (cifs,
//   smb3, smbfs, nfs, sshfs ...) are left out as the SMB shares were.
//   Display name: the file-system label (<dev>/disk/by-label), else the mount folder's name,
//   "Computer" for "/".

#include "shell/facts/SystemFiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qshell {

struct MountEntry {
    std::string device;
    std::string path;
    std::string fsType;
    std::string options;
};

// What is known of one mounted volume before the filter.
struct VolumeFacts {
    std::string path;
    std::string name;
    std::string device;
    std::string fsType;
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;
    bool removable = false;
    bool writable = false;
    bool unmountable = false;
};

// One listed drive (the popover's drive dictionary).
struct Drive {
    std::string path;
    std::string name;
    std::uint64_t totalSize = 0;
    std::uint64_t freeSize = 0;
    bool removable = false;
    bool writable = false;
    bool unmountable = false;
    std::optional<std::string> description; // volumes under the media folders only
};

// The drive panel's texts.
struct DriveTexts {
    std::string name;      // also the tool tip
    std::string available; // "Available: %@"
    std::string total;     // "Total: %@"
    double usedPercent = 0;
};

class DiskDrives {
public:
    // The listed drives, in mount order; each accepted volume is logged.
    static std::vector<Drive> getDiskDrives(const SystemFiles& files = {});

    // --- Pure parts ---------------------------------------------------------------------------
    // Octal escapes (\040) undone; a path mounted twice keeps its last entry.
    static std::vector<MountEntry> parseMounts(const std::string& text);
    static bool isMediaPath(const std::string& path);
    static bool isNetworkFileSystem(const std::string& fsType);
    static bool isDiskImage(const VolumeFacts& volume);
    static bool accepts(const VolumeFacts& volume);
    static Drive driveFrom(const VolumeFacts& volume);
    // The accepted volumes as drives, in order.
    static std::vector<Drive> filterDrives(const std::vector<VolumeFacts>& volumes);
    // The drive at "/", else the first; nothing when there are none.
    static std::optional<std::size_t> selectedIndex(const std::vector<Drive>& drives);
    // The first drive with that name.
    static std::optional<std::size_t> indexOfName(const std::vector<Drive>& drives,
                                                  const std::string& name);
    static DriveTexts texts(const Drive& drive);
    // "\x20" style escapes of /dev/disk/by-label names undone.
    static std::string unescapeLabel(const std::string& label);

    // --- Readers --------------------------------------------------------------------------------
    static std::optional<VolumeFacts> probe(const MountEntry& mount, const SystemFiles& files);
};

} // namespace qshell
