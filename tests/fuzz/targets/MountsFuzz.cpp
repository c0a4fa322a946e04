#include "FuzzInput.h"

#include "shell/facts/DiskDrives.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using qshell::DiskDrives;
    const std::string text(fuzzText(data, size));
    std::vector<qshell::VolumeFacts> volumes;
    for (const auto& mount : DiskDrives::parseMounts(text)) {
        qshell::VolumeFacts facts;
        facts.path = mount.path;
        facts.device = mount.device;
        facts.fsType = mount.fsType;
        facts.name = DiskDrives::unescapeLabel(mount.device);
        facts.totalBytes = mount.options.size();
        facts.writable = DiskDrives::isMediaPath(mount.path);
        volumes.push_back(facts);
    }
    const auto drives = DiskDrives::filterDrives(volumes);
    if (const auto index = DiskDrives::selectedIndex(drives); index && *index >= drives.size())
        fuzzFailure("selected drive out of range");
    for (const auto& drive : drives)
        DiskDrives::texts(drive);
    return 0;
}
