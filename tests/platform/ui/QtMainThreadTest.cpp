#include "platform/ui/QtMainThread.h"
#include "platform/ui/WorkerThreads.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Runs the event loop until `done` holds; false on time-out.
template <typename Pred> bool spinUntil(Pred done, int timeoutMs = 5000) {
    return QTest::qWaitFor(done, timeoutMs);
}

TEST(QtMainThreadTest, PostedWorkRunsOnTheMainThreadInOrder) {
    qui::QtMainThread mainThread;
    std::vector<int> order;
    std::atomic<bool> allOnMain = true;
    std::thread worker([&] {
        EXPECT_FALSE(mainThread.isMainThread());
        for (int i = 0; i < 50; ++i) {
            mainThread.post([&, i] {
                allOnMain = allOnMain && QThread::currentThread() == qApp->thread();
                order.push_back(i);
            });
        }
    });
    worker.join();
    EXPECT_TRUE(order.empty()); // nothing runs until the loop does
    ASSERT_TRUE(spinUntil([&] { return order.size() == 50; }));
    EXPECT_TRUE(allOnMain);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(order[i], i);
    EXPECT_TRUE(mainThread.isMainThread());
}

TEST(QtMainThreadTest, PostAndWaitReturnsAfterTheWorkRan) {
    qui::QtMainThread mainThread;
    int value = 0; // written on the main thread, read by the worker after the hand-over
    std::atomic<bool> workerSawValue = false;
    std::atomic<bool> finished = false;
    std::thread worker([&] {
        for (int i = 1; i <= 20; ++i) {
            mainThread.postAndWait([&, i] { value = i; });
            if (value != i) return;
        }
        workerSawValue = true;
        finished = true;
    });
    const bool ok = spinUntil([&] { return finished.load(); });
    worker.join();
    EXPECT_TRUE(ok);
    EXPECT_TRUE(workerSawValue);
}

TEST(QtMainThreadTest, PostAndWaitOnTheMainThreadRunsInline) {
    qui::QtMainThread mainThread;
    bool ran = false;
    mainThread.postAndWait([&] {
        ran = true;
        // Nested hand-over from inside main-thread work must not deadlock either.
        mainThread.postAndWait([] {});
    });
    EXPECT_TRUE(ran);
    mainThread.shutdown();
    ran = false;
    mainThread.postAndWait([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST(QtMainThreadTest, ShutdownReleasesAWaitingWorkerAndDropsItsWork) {
    qui::QtMainThread mainThread;
    std::atomic<bool> returned = false;
    std::atomic<bool> ran = false;
    std::thread worker([&] {
        mainThread.postAndWait([&] { ran = true; });
        returned = true;
    });
    // The loop is not running, so the worker is stuck until shutdown.
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(returned);
    mainThread.shutdown();
    worker.join();
    EXPECT_TRUE(returned);
    // The abandoned work may refer to the worker's stack: it must never run now.
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
    EXPECT_TRUE(mainThread.isShutDown());
}

TEST(QtMainThreadTest, PostAndWaitAfterShutdownReturnsAtOnce) {
    qui::QtMainThread mainThread;
    mainThread.shutdown();
    std::atomic<bool> ran = false;
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([&] { mainThread.postAndWait([&] { ran = true; }); });
    worker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

TEST(QtMainThreadTest, WorkAlreadyRunningFinishesBeforeTheWorkerReturns) {
    qui::QtMainThread mainThread;
    std::atomic<bool> started = false;
    std::atomic<bool> finished = false;
    std::atomic<bool> returnedBeforeFinish = false;
    std::thread worker([&] {
        mainThread.postAndWait([&] {
            started = true;
            // shutdown() from another thread while the work runs
            std::thread([&] { mainThread.shutdown(); }).join();
            std::this_thread::sleep_for(50ms);
            finished = true;
        });
        returnedBeforeFinish = !finished;
    });
    ASSERT_TRUE(spinUntil([&] { return started.load(); }));
    worker.join();
    EXPECT_TRUE(finished);
    EXPECT_FALSE(returnedBeforeFinish);
}

TEST(QtMainThreadTest, DestroyingItDropsQueuedWork) {
    std::atomic<bool> ran = false;
    {
        qui::QtMainThread mainThread;
        std::thread([&] { mainThread.post([&] { ran = true; }); }).join();
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

} // namespace

// An exception escaping a worker thread or a call handed to the main thread ended the process
// (std::terminate); it is now logged and the program goes on.
TEST(QtMainThreadTest, ExceptionsInWorkersAndPostedCallsAreContained) {
    qui::QtMainThread mainThread;
    std::atomic<int> finished{0};
    {
        qui::WorkerThreads workers;
        ASSERT_TRUE(workers.start([] { throw std::bad_alloc(); }));
        ASSERT_TRUE(workers.start([&] { ++finished; }));
    }
    EXPECT_EQ(finished.load(), 1);

    mainThread.post([] { throw std::runtime_error("handler failed"); });
    mainThread.post([&] { ++finished; });
    ASSERT_TRUE(spinUntil([&] { return finished.load() == 2; }));
}
