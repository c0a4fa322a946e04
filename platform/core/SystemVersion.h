#pragma once

#include <string>

namespace qcore {

// Answers every operating-system version test of the application the way the original system
// of that version would. The default profile is macOS 13.0; tests install older ones.
class SystemVersion {
public:
    SystemVersion() = default;
    SystemVersion(int major, int minor, int patch) : major_(major), minor_(minor), patch_(patch) {}

    int major() const { return major_; }
    int minor() const { return minor_; }
    int patch() const { return patch_; }

    // 0x10MN form of the version (M, N saturate at 9; 11 and later answer 0x1099).
    int sysv() const;
    // Version number of the windowing kit (1343 for 10.10, 2299 for 13.0, ...).
    double appKitVersionNumber() const;
    // Whether the visual-effect view class exists (10.10 and later).
    bool hasVisualEffectView() const;
    bool hasProcessInformationVersion() const { return !(major_ == 10 && minor_ < 10); }

    static const SystemVersion& current();
    static void setCurrent(const SystemVersion& profile);

    // This machine's own system name, e.g. "Debian GNU/Linux 12 (bookworm)".
    static std::string operatingSystemName();

private:
    int major_ = 13;
    int minor_ = 0;
    int patch_ = 0;
};

} // namespace qcore
