#pragma once

#include "engine/DataFiller.h"
#include "platform/core/MainThread.h"
#include "platform/core/NotificationCenter.h"
#include "platform/core/SystemVersion.h"
#include "tests/platform/core/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Answers every version test as `profile` until it goes.
class ScopedSystemVersion {
public:
    explicit ScopedSystemVersion(const qcore::SystemVersion& profile)
        : saved_(qcore::SystemVersion::current()) {
        qcore::SystemVersion::setCurrent(profile);
    }
    ~ScopedSystemVersion() { qcore::SystemVersion::setCurrent(saved_); }
    ScopedSystemVersion(const ScopedSystemVersion&) = delete;
    ScopedSystemVersion& operator=(const ScopedSystemVersion&) = delete;

private:
    qcore::SystemVersion saved_;
};

// Records notifications by name from any thread, as they are posted.
class PostedNotifications {
public:
    explicit PostedNotifications(std::vector<std::string> names);
    ~PostedNotifications();
    PostedNotifications(const PostedNotifications&) = delete;
    PostedNotifications& operator=(const PostedNotifications&) = delete;

    std::vector<qcore::Notification> named(const std::string& name) const;
    int count(const std::string& name) const;
    // "start"/"stop" notifications of one module.
    int activities(const std::string& module, const std::string& operation) const;

private:
    mutable std::mutex mutex_;
    std::vector<qcore::Notification> received_;
};

// A fixture home folder, no pacing, a hand-drained main thread and an engine on the shipped
// language and layout tables. Pages are made by the tests; the fixture lets every worker finish
// before the engine goes.
class PageTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs main-thread work until `done`; false on time-out.
    bool runUntil(const std::function<bool()>& done, int timeoutMs = 20000);
    bool runUntilIdle(const std::vector<std::string>& modules, int timeoutMs = 20000);

    std::string write(const std::string& relative, const std::string& bytes = "x") const {
        return home_.write(relative, bytes);
    }
    // `n` cache folders, `n` log files and `n` crash reports under the fixture home.
    void writeJunk(int n) const;

    TempDir home_;
    std::unique_ptr<qcore::ManualMainThread> mainThread_;
    // Made before any page, so it sees every start and stop as it is posted.
    std::unique_ptr<PostedNotifications> activities_;
    std::unique_ptr<qengine::DataFiller> engine_;
};
