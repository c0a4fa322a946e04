// Every test program runs headless against the resources of the source tree, whether ctest or
// a developer starts it.
#include <cstdlib>

namespace {

struct TestEnvironment {
    TestEnvironment() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ::setenv("QUENDRIX_RESOURCES", QUENDRIX_TEST_RESOURCES, 0);
    }
};

const TestEnvironment environment;

} // namespace
