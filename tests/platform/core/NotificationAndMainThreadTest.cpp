#include "platform/core/MainThread.h"
#include "platform/core/NotificationCenter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace qcore;

TEST(NotificationCenter, DeliversByNameInOrderOnThePostingThread) {
    NotificationCenter center;
    std::vector<std::string> seen;
    int owner = 0;
    center.addObserver(&owner, "A", [&](const Notification& n) {
        seen.push_back("A:" + n.info("k"));
        EXPECT_EQ(n.object, &owner);
    });
    center.addObserver(&owner, "", [&](const Notification& n) { seen.push_back("*:" + n.name); });
    center.post("A", &owner, {{"k", "1"}});
    center.post("B", &owner);
    EXPECT_EQ(seen, (std::vector<std::string>{"A:1", "*:A", "*:B"}));

    center.removeObserversOf(&owner);
    center.post("A", &owner);
    EXPECT_EQ(seen.size(), 3u);
}

TEST(NotificationCenter, ObserversMayChangeDuringDelivery) {
    NotificationCenter center;
    int calls = 0;
    NotificationCenter::ObserverId second = 0;
    center.addObserver(nullptr, "N", [&](const Notification&) {
        ++calls;
        center.removeObserver(second); // removed before its turn: not called
        center.addObserver(nullptr, "N", [&](const Notification&) { calls += 100; });
    });
    second = center.addObserver(nullptr, "N", [&](const Notification&) { calls += 10; });
    center.post("N", nullptr);
    EXPECT_EQ(calls, 1);
}

TEST(ManualMainThread, HandsWorkOverWithAndWithoutWaiting) {
    ManualMainThread main;
    EXPECT_TRUE(main.isMainThread());
    int inline_ = 0;
    main.postAndWait([&] { ++inline_; }); // on the main thread: runs at once
    EXPECT_EQ(inline_, 1);

    std::atomic<int> ranOnMain{0};
    std::atomic<bool> workerDone{false};
    std::thread worker([&] {
        EXPECT_FALSE(main.isMainThread());
        main.post([&] { ranOnMain += main.isMainThread() ? 1 : 0; });
        main.postAndWait([&] { ranOnMain += main.isMainThread() ? 10 : 0; });
        // The wait returned only after the work ran.
        EXPECT_EQ(ranOnMain.load(), 11);
        workerDone = true;
    });
    EXPECT_TRUE(main.runUntil([&] { return workerDone.load(); }));
    worker.join();
}

TEST(ManualMainThread, ShutdownReleasesAWaitingWorker) {
    ManualMainThread main;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        main.postAndWait([] {});
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(returned.load());
    main.shutdown();
    worker.join();
    EXPECT_TRUE(returned.load());
    main.postAndWait([] {}); // never blocks after shutdown
}

// An observer that throws (out of memory reading a file, say) must not end the process or
// starve the observers after it.
TEST(NotificationCenter, AThrowingObserverIsLoggedAndTheOthersStillRun) {
    NotificationCenter center;
    int reached = 0;
    center.addObserver(nullptr, "n", [](const Notification&) { throw std::bad_alloc(); });
    center.addObserver(nullptr, "n", [&](const Notification&) { ++reached; });
    EXPECT_NO_THROW(center.post("n", nullptr, {}));
    EXPECT_EQ(reached, 1);
}
