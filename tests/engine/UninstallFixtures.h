#pragma once

#include "platform/core/Value.h"

#include <map>
#include <string>
#include <vector>

// Application bundles and file trees for the Uninstaller's tests.
namespace uninstall_fixtures {

// Writes <folder>/<fileName> as an application bundle with `info` as its Contents/Info.plist, an
// executable in Contents/MacOS and a file in Contents/Resources; returns the bundle's path.
std::string makeApp(const std::string& folder, const std::string& fileName,
                    const qcore::Dictionary& info);

// The usual keys for an application named `name` with `identifier`.
qcore::Dictionary infoFor(const std::string& name, const std::string& identifier,
                          const std::string& version = "2.1");

// Every entry below `root`, links not followed: folders as "dir", files as their bytes, links
// as "link -> target". Two snapshots differ exactly where something changed.
std::map<std::string, std::string> treeSnapshot(const std::string& root);

// What changed from `before` to `after`, one line per entry ("gone", "new", "changed"); ""
// when nothing did.
std::string changes(const std::map<std::string, std::string>& before,
                    const std::map<std::string, std::string>& after);

// Leftovers of the application `name` with `identifier` in each of the seven places of the
// home's Library; returns their paths in place order.
std::vector<std::string> writeLeftovers(const std::string& home, const std::string& name,
                                        const std::string& identifier);

// A fake process table folder listing one process run from `bundle`'s executable.
void writeRunningProcess(const std::string& procRoot, int pid, const std::string& bundle);

// Makes paths unchangeable for the user running the tests until it goes: without write
// permission for a user, immutable for root (whom permissions do not bind).
class Protection {
public:
    Protection() = default;
    ~Protection();
    Protection(const Protection&) = delete;
    Protection& operator=(const Protection&) = delete;

    // False when the file system cannot make it so.
    bool protect(const std::string& path);
    void lift(const std::string& path);

private:
    std::vector<std::string> protected_;
};

} // namespace uninstall_fixtures
