#pragma once

#include "engine/DataFiller.h"
#include "platform/core/NotificationCenter.h"
#include "tests/platform/core/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Records every notification the engine under test posts, from any thread.
class NotificationRecorder {
public:
    explicit NotificationRecorder(const void* sender);
    ~NotificationRecorder();

    std::vector<qcore::Notification> all() const;
    std::vector<qcore::Notification> named(const std::string& name) const;
    // "start"/"stop"/"reload"/"update" of one module, in posting order.
    std::vector<std::string> sequence(const std::string& module) const;

private:
    const void* sender_;
    mutable std::mutex mutex_;
    std::vector<qcore::Notification> received_;
};

// What work that could block for ever on a pipe did: whether it ended in time, and its log.
struct BoundedRun {
    bool endedInTime = false;
    std::string log;
};

// Runs `work` on a thread, capturing the log, and allows it five seconds. Past them the write
// ends of `pipes` are opened until the work ends, so an open blocked on one returns and the test
// fails instead of hanging.
BoundedRun runBounded(const std::vector<std::string>& pipes, const std::function<void()>& work);

// A home folder in a temporary folder, no pacing, and an engine whose tables come from a small
// fixture bundle.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the fixture language table (and layout file) into the bundle folder.
    static void writeFixtureBundle(const std::string& folder);

    TempDir home_;
    TempDir bundleDir_;
    std::unique_ptr<qengine::DataFiller> engine_;
    std::unique_ptr<NotificationRecorder> recorder_;
};
