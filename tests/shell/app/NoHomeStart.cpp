// Linked into a copy of the program for its start-up test without a usable home: before main()
// runs, the home resolves to a relative path and the working folder is a fresh temporary one,
// where such a home would land. The run must write nothing there, nor anywhere else.
#include "platform/core/Home.h"
#include "tests/platform/core/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

struct NoHomeStart {
    NoHomeStart() {
        qcore::Home::setOverrideForTesting("relative-home");
        ::setenv("TMPDIR", sockets.path().c_str(), 1);
        std::filesystem::current_path(work.path());
    }
    ~NoHomeStart() {
        if (std::filesystem::is_empty(work.path())) return;
        std::fputs("the program wrote beside its working folder without a home\n", stderr);
        std::error_code ignored;
        std::filesystem::remove_all(work.path(), ignored);
        std::_Exit(1);
    }
    TempDir work;
    TempDir sockets;
};

const NoHomeStart start;

} // namespace
