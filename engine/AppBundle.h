#pragma once

#include <optional>
#include <string>

namespace qengine {

// An application bundle offered for uninstalling, read once: where it really lies (links
// resolved) and what its Info.plist says. Plain data; safe to copy to a worker.
class AppBundle {
public:
    // The bundle at `path` after resolving links: a real folder whose name ends in ".app" (any
    // letter case) and that holds "Contents/Info.plist". Nothing, with the reason in `whyNot`,
    // for anything else, and for a folder that holds `home` (removing it would take the home
    // with it).
    static std::optional<AppBundle> open(const std::string& path, const std::string& home,
                                         std::string* whyNot = nullptr);

    // What a drag may offer: a folder whose name ends in ".app", any letter case.
    static bool looksLikeApplication(const std::string& path);

    // Canonical path: what the page shows, checks and removes.
    const std::string& path() const { return path_; }
    // "Foo Bar.app"
    std::string fileName() const;
    // CFBundleName lower-cased; without one, the file name lower-cased without its extension.
    const std::string& name() const { return name_; }
    const std::string& identifier() const { return identifier_; }
    const std::string& version() const { return version_; }
    // The icon file the Info.plist names, in the bundle's resources, as is or with ".icns";
    // "" when none names a regular file there.
    const std::string& iconFilePath() const { return iconFilePath_; }
    // That file's bytes, read without following links; nothing when it is no longer a regular
    // file of reasonable size.
    std::optional<std::string> iconData() const;

    // Whether the user may remove the bundle himself: its folder lets him remove entries and
    // the bundle itself is writable. A bundle that fails either is protected.
    bool isDeletable() const;
    bool isWritable() const;
    bool isProtected() const { return !isDeletable() || !isWritable(); }

    // Identifier prefixes of bundles the page refuses: the program's own family (silently) and
    // the system's applications (with a message).
    static bool isOwnFamily(const std::string& identifier);
    static bool isSystemApplication(const std::string& identifier);

private:
    AppBundle() = default;

    std::string path_;
    std::string name_;
    std::string identifier_;
    std::string version_;
    std::string iconFilePath_;
};

} // namespace qengine
