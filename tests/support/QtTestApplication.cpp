// The one QApplication of a GUI test program, made before the first test runs (gtest_main owns
// main()) and gone after the last. Tests run on its thread, which is the GUI thread. The
// platform plugin is chosen by TestEnvironment.cpp, which every test program links.
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtTestApplication : public ::testing::Environment {
public:
    void SetUp() override {
        if (QApplication::instance()) return;
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "quendrix_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

// gtest takes ownership of the environment.
[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);

} // namespace
