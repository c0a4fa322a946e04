#include "engine/AppBundle.h"

#include "platform/core/Bundle.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileManager.h"
#include "platform/core/PlainText.h"
#include "platform/core/PlistNesting.h"
#include "platform/core/Value.h"

#include <cerrno>
#include <fcntl.h>
#include <initializer_list>
#include <sys/stat.h>
#include <unistd.h>

namespace qengine {

using qcore::FileDescriptor;
using qcore::FileManager;
using qcore::PlainText;

namespace {

// An Info.plist is a few kilobytes; anything far larger is not one.
constexpr off_t kMaxInfoPlistBytes = 1 << 20;
constexpr off_t kMaxIconBytes = 16 << 20;
// Far deeper than any real Info.plist, far shallower than what overflows the parser.
constexpr int kMaxInfoPlistDepth = 32;
constexpr const char* kOwnFamilyPrefix = "com.morvane";
constexpr const char* kSystemPrefix = "com.apple";

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWithApp(const std::string& path) {
    const std::string lower = PlainText::lower(path);
    return lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".app") == 0;
}

FileDescriptor openFolderAt(int dirFd, const char* name) {
    return FileDescriptor(::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// Reads <bundle>/<folders...>/<name> without following a link on the way, refusing anything
// but a regular file of at most `maxBytes` (a FIFO would block, a device never end).
std::optional<std::string> readBundleFile(const std::string& bundle,
                                          std::initializer_list<const char*> folders,
                                          const std::string& name, off_t maxBytes) {
    FileDescriptor folder = openFolderAt(AT_FDCWD, bundle.c_str());
    for (const char* inner : folders) {
        if (!folder.valid()) return std::nullopt;
        folder = openFolderAt(folder.get(), inner);
    }
    if (!folder.valid()) return std::nullopt;
    const FileDescriptor file(
        ::openat(folder.get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) return std::nullopt;
    struct stat st {};
    if (::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

std::optional<qcore::Value> readInfoPlist(const std::string& bundle) {
    const auto bytes = readBundleFile(bundle, {"Contents"}, "Info.plist", kMaxInfoPlistBytes);
    if (!bytes || !qcore::PlistNesting::isWithin(*bytes, kMaxInfoPlistDepth)) return std::nullopt;
    auto value = qcore::Value::fromPlistData(*bytes);
    if (!value || !value->isDictionary()) return std::nullopt;
    return value;
}

// Only a string counts; a key holding anything else is taken as absent.
std::string stringOf(const qcore::Value& info, const char* key) {
    const std::string* text = info[key].string();
    return text ? *text : std::string();
}

bool isRegularFile(const std::string& path) {
    const auto attributes = FileManager::attributes(path);
    return attributes && attributes->isRegular();
}

// The named icon in Contents/Resources, as is or with ".icns". The name must be a plain file
// name: it comes from the bundle and must not lead out of it.
std::string iconFileOf(const std::string& bundle, const std::string& iconName) {
    if (iconName.empty() || iconName == "." || iconName == ".." ||
        iconName.find('/') != std::string::npos || iconName.find('\0') != std::string::npos)
        return "";
    const std::string resources = bundle + "/Contents/Resources";
    if (FileManager::canonicalPath(resources) != resources) return "";
    const std::string named = resources + "/" + iconName;
    if (isRegularFile(named)) return named;
    if (isRegularFile(named + ".icns")) return named + ".icns";
    return "";
}

std::string nameOf(const qcore::Value& info, const std::string& bundle) {
    const std::string bundleName = stringOf(info, "CFBundleName");
    if (!bundleName.empty()) return PlainText::lower(bundleName);
    return PlainText::lower(
        FileManager::deletingPathExtension(FileManager::lastPathComponent(bundle)));
}

std::string ownFamilyOfMainBundle() {
    const std::string own = qcore::Bundle::main().bundleIdentifier();
    const auto firstDot = own.find('.');
    if (firstDot == std::string::npos) return own;
    const auto secondDot = own.find('.', firstDot + 1);
    return secondDot == std::string::npos ? own : own.substr(0, secondDot);
}

} // namespace

bool AppBundle::looksLikeApplication(const std::string& path) {
    return endsWithApp(path) && FileManager::isDirectory(path, true);
}

std::optional<AppBundle> AppBundle::open(const std::string& path, const std::string& home,
                                         std::string* whyNot) {
    const auto refuse = [whyNot](const char* reason) -> std::optional<AppBundle> {
        if (whyNot) *whyNot = reason;
        return std::nullopt;
    };
    if (path.empty() || path.find('\0') != std::string::npos) return refuse("no path");
    const std::string real = FileManager::canonicalPath(path);
    if (real.empty() || real.front() != '/' || real == "/") return refuse("not an absolute path");
    if (!FileManager::isDirectory(real)) return refuse("not a folder");
    if (!endsWithApp(real)) return refuse("not named \".app\"");
    if (!home.empty() && FileManager::isInside(FileManager::canonicalPath(home), real))
        return refuse("it holds the home folder");
    const auto info = readInfoPlist(real);
    if (!info) return refuse("no readable Contents/Info.plist");

    AppBundle bundle;
    bundle.path_ = real;
    bundle.name_ = nameOf(*info, real);
    bundle.identifier_ = stringOf(*info, "CFBundleIdentifier");
    bundle.version_ = stringOf(*info, "CFBundleVersion");
    bundle.iconFilePath_ = iconFileOf(real, stringOf(*info, "CFBundleIconFile"));
    return bundle;
}

std::optional<std::string> AppBundle::iconData() const {
    if (iconFilePath_.empty()) return std::nullopt;
    return readBundleFile(path_, {"Contents", "Resources"},
                          FileManager::lastPathComponent(iconFilePath_), kMaxIconBytes);
}

std::string AppBundle::fileName() const {
    return FileManager::lastPathComponent(path_);
}

bool AppBundle::isDeletable() const {
    return FileManager::isDeletable(path_);
}

bool AppBundle::isWritable() const {
    return FileManager::isWritable(path_);
}

bool AppBundle::isOwnFamily(const std::string& identifier) {
    if (startsWith(identifier, kOwnFamilyPrefix)) return true;
    const std::string family = ownFamilyOfMainBundle();
    return !family.empty() && startsWith(identifier, family);
}

bool AppBundle::isSystemApplication(const std::string& identifier) {
    return startsWith(identifier, kSystemPrefix);
}

} // namespace qengine
