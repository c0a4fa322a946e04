#include "tests/pages/support/PageTestSupport.h"

#include "engine/Pacer.h"
#include "platform/core/Bundle.h"
#include "platform/core/Home.h"

#include <algorithm>
#include <chrono>

PostedNotifications::PostedNotifications(std::vector<std::string> names) {
    for (const auto& name : names)
        qcore::NotificationCenter::defaultCenter().addObserver(
            this, name, [this](const qcore::Notification& n) {
                const std::lock_guard lock(mutex_);
                received_.push_back(n);
            });
}

PostedNotifications::~PostedNotifications() {
    qcore::NotificationCenter::defaultCenter().removeObserversOf(this);
}

std::vector<qcore::Notification> PostedNotifications::named(const std::string& name) const {
    const std::lock_guard lock(mutex_);
    std::vector<qcore::Notification> out;
    std::copy_if(received_.begin(), received_.end(), std::back_inserter(out),
                 [&](const auto& n) { return n.name == name; });
    return out;
}

int PostedNotifications::count(const std::string& name) const {
    return static_cast<int>(named(name).size());
}

int PostedNotifications::activities(const std::string& module, const std::string& operation) const {
    const auto all = named("ActivityStartStopNotification");
    return static_cast<int>(std::count_if(all.begin(), all.end(), [&](const auto& n) {
        return n.info("activityName") == module && n.info("operation") == operation;
    }));
}

void PageTest::SetUp() {
    qengine::Pacer::setScale(0);
    qcore::Home::setOverrideForTesting(home_.path());
    mainThread_ = std::make_unique<qcore::ManualMainThread>();
    activities_ = std::make_unique<PostedNotifications>(
        std::vector<std::string>{"ActivityStartStopNotification"});
    qcore::MainThread::install(mainThread_.get());
    engine_ = std::make_unique<qengine::DataFiller>(qcore::Bundle(QUENDRIX_TEST_RESOURCES));
}

void PageTest::TearDown() {
    // Pages are gone by now; whatever still runs finishes before the engine does.
    runUntilIdle(qengine::DataFiller::moduleKeys());
    engine_.reset();
    activities_.reset();
    qcore::MainThread::install(nullptr);
    mainThread_.reset();
    qcore::Home::setOverrideForTesting("");
    qengine::Pacer::setScale(1.0);
}

bool PageTest::runUntil(const std::function<bool()>& done, int timeoutMs) {
    return mainThread_->runUntil(done, timeoutMs);
}

bool PageTest::runUntilIdle(const std::vector<std::string>& modules, int timeoutMs) {
    const bool idle = runUntil(
        [&] {
            return std::all_of(modules.begin(), modules.end(), [&](const auto& m) {
                // A page with several workers per operation posts one "stop" for each.
                return !engine_->isModuleBusy(m) &&
                       activities_->activities(m, "stop") >= activities_->activities(m, "start");
            });
        },
        timeoutMs);
    // A "stop" is posted just after the claim goes; give the pages' hand-overs of it a moment
    // to arrive and run.
    const auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
    runUntil([&] { return std::chrono::steady_clock::now() > settle; }, 1000);
    mainThread_->drain();
    return idle;
}

void PageTest::writeJunk(int n) const {
    for (int i = 0; i < n; ++i) {
        const auto index = std::to_string(i);
        home_.write("Library/Caches/com.example.app" + index + "/cache.bin", "cached" + index);
        home_.write("Library/Logs/Tool" + index + "/run.log", "log line " + index);
        home_.write("Library/Logs/DiagnosticReports/Tool" + index + ".crash", "crash " + index);
    }
}
