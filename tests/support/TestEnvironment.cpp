// Every test program runs headless against the resources of the source tree, whether ctest or
// a developer starts it, and keeps the toolkit's own settings (the file dialog's history, for
// one) in a folder of its own instead of the real home's configuration.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct TestEnvironment {
    TestEnvironment() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ::setenv("QUENDRIX_RESOURCES", QUENDRIX_TEST_RESOURCES, 0);
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quendrix-config-XXXXXX").string();
        if (::mkdtemp(pattern.data())) {
            configHome = pattern;
            ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        }
    }
    ~TestEnvironment() {
        std::error_code ignored;
        if (!configHome.empty()) std::filesystem::remove_all(configHome, ignored);
    }
    std::string configHome;
};

const TestEnvironment environment;

} // namespace
