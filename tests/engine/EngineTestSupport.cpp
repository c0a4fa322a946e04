#include "EngineTestSupport.h"

#include "engine/Pacer.h"
#include "platform/core/Bundle.h"
#include "platform/core/Home.h"

#include <chrono>
#include <fcntl.h>
#include <future>
#include <thread>
#include <unistd.h>

using qcore::Dictionary;
using qcore::Value;

BoundedRun runBounded(const std::vector<std::string>& pipes, const std::function<void()>& work) {
    testing::internal::CaptureStderr();
    std::promise<void> done;
    std::future<void> ended = done.get_future();
    std::thread worker([&] {
        work();
        done.set_value();
    });
    BoundedRun run;
    run.endedInTime = ended.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    while (ended.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        for (const auto& pipe : pipes) {
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) ::close(fd);
        }
    worker.join();
    run.log = testing::internal::GetCapturedStderr();
    return run;
}

NotificationRecorder::NotificationRecorder(const void* sender) : sender_(sender) {
    qcore::NotificationCenter::defaultCenter().addObserver(this, "",
                                                           [this](const qcore::Notification& n) {
                                                               if (n.object != sender_) return;
                                                               const std::lock_guard lock(mutex_);
                                                               received_.push_back(n);
                                                           });
}

NotificationRecorder::~NotificationRecorder() {
    qcore::NotificationCenter::defaultCenter().removeObserversOf(this);
}

std::vector<qcore::Notification> NotificationRecorder::all() const {
    const std::lock_guard lock(mutex_);
    return received_;
}

std::vector<qcore::Notification> NotificationRecorder::named(const std::string& name) const {
    std::vector<qcore::Notification> out;
    for (const auto& n : all())
        if (n.name == name) out.push_back(n);
    return out;
}

std::vector<std::string> NotificationRecorder::sequence(const std::string& module) const {
    std::vector<std::string> out;
    for (const auto& n : all()) {
        if (n.name == "ActivityStartStopNotification" && n.info("activityName") == module)
            out.push_back(n.info("operation"));
        else if (n.name == "ReloadNotification" && n.info("notificationGroup") == module)
            out.push_back("reload");
        else if (n.name == "DataFillerUpdateNotification" && n.info("notificationGroup") == module)
            out.push_back("update");
    }
    return out;
}

void EngineTest::writeFixtureBundle(const std::string& folder) {
    const Dictionary common{
        {"ID_BYTES", "bytes"},
        {"ID_KB", "KB"},
        {"ID_MB", "MB"},
        {"ID_GB", "GB"},
        {"ID_TB", "TB"},
        {"ID_DISKUSAGE", "Disk usage"},
        {"ID_MNAME_OLD_DOWNLOADS", "Old Downloads Page"},
        {"ID_OLD_DOWNLOADS", "Old Downloads Row"},
        {"ID_MNAME_TRASH_CLEANER", "Crash Reports"},
        {"ID_MNAME_LOGS_CLEANER", "Logs"},
        {"ID_MNAME_SYSTEM_CLEANER", "Caches"},
        {"ID_MNAME_LARGE_FILES", "Big Files"},
        {"ID_PATIENT_TIME", "be patient"},
        {"ID_PROCESS_TIME", "this takes time"},
        {"ID_INTERNET_HISTORY", "History"},
    };
    const Dictionary trash{
        {"ID_TRASH_CLEANER_MSGISSCANNING", "Scanning %@ (%@)"},
        {"ID_TRASH_CLEANER_MSGSTARTSCAN", "Start %@ now, %@"},
        {"ID_TRASH_CLEANER_MSGSTARTCLEAN", "Cleaning %@ with %@"},
        {"ID_TRASH_CLEANER_MSGISCLEANING", "No placeholder here"},
    };
    const Dictionary logs{
        {"ID_LOGS_CLEANER_MSGISSCANNING", "Scanning %@, 100%d done %s"},
    };
    const Dictionary language{
        {"[GRP_CMN]", common}, {"[GRP_TRASH_CLEANER]", trash}, {"[GRP_LOGS_CLEANER]", logs}};
    ASSERT_TRUE(Value(language).writeXmlPlistAtomically(folder + "/Quendrix_EN.plist"));
    const Dictionary layout{{"EN", Dictionary{{"static", Dictionary{{"rowHeight", 22}}},
                                              {"components", Dictionary{}},
                                              {"IMGSettings", Dictionary{}}}}};
    ASSERT_TRUE(Value(layout).writeXmlPlistAtomically(folder + "/SettingsList.plist"));
}

void EngineTest::SetUp() {
    qengine::Pacer::setScale(0);
    qcore::Home::setOverrideForTesting(home_.path());
    writeFixtureBundle(bundleDir_.path());
    engine_ = std::make_unique<qengine::DataFiller>(qcore::Bundle(bundleDir_.path()));
    recorder_ = std::make_unique<NotificationRecorder>(engine_.get());
}

void EngineTest::TearDown() {
    recorder_.reset();
    engine_.reset();
    qcore::Home::setOverrideForTesting("");
    qengine::Pacer::setScale(1.0);
}
