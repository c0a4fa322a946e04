// Linked into a copy of the program for its start-up test. Before main() runs, the home is a
// fresh temporary folder, and so is the folder of the single-instance socket: the run neither
// reads nor writes the real home, and a copy of the program already running (whose hand-over
// would end this one at once, successfully) is not seen.
#include "platform/core/Home.h"
#include "tests/platform/core/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

struct FixtureHomeStart {
    FixtureHomeStart() {
        qcore::Home::setOverrideForTesting(home.path());
        ::setenv("TMPDIR", home.mkdir("tmp").c_str(), 1);
    }
    ~FixtureHomeStart() {
        // The log and the settings went to the fixture home's container, not elsewhere.
        if (std::filesystem::exists(home.file("Library/Containers"))) return;
        std::fputs("the program wrote nothing under the fixture home\n", stderr);
        std::error_code ignored;
        std::filesystem::remove_all(home.path(), ignored);
        std::_Exit(1);
    }
    TempDir home;
};

const FixtureHomeStart start;

} // namespace
