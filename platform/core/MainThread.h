#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace qcore {

// Hand-over of work to the main thread. `post` returns at once; `postAndWait` returns when the
// work has run. Called on the main thread, `postAndWait` runs the work inline. After
// `shutdown` nothing waits any more (work still queued may never run).
class MainThread {
public:
    virtual ~MainThread() = default;
    virtual void post(std::function<void()> work) = 0;
    virtual void postAndWait(std::function<void()> work) = 0;
    virtual bool isMainThread() const = 0;
    virtual void shutdown() = 0;

    // The process-wide instance; the application installs the GUI one, tests a manual one.
    static MainThread& current();
    static void install(MainThread* instance);
};

// A queue drained by hand: for tests and headless tools. The thread that creates it is the
// main thread.
class ManualMainThread : public MainThread {
public:
    ManualMainThread();
    ~ManualMainThread() override;

    void post(std::function<void()> work) override;
    void postAndWait(std::function<void()> work) override;
    bool isMainThread() const override;
    void shutdown() override;

    // Runs everything queued so far (and what that work queues); returns how many ran.
    int drain();
    // Runs queued work as it arrives until `done` answers true or `timeoutMs` passes.
    bool runUntil(const std::function<bool()>& done, int timeoutMs = 10000);

private:
    std::thread::id mainId_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<std::function<void()>> queue_;
    bool shutDown_ = false;
};

} // namespace qcore
