#include "MainThread.h"

#include <atomic>
#include <chrono>
#include <memory>

namespace qcore {

namespace {
std::atomic<MainThread*> installed{nullptr};

ManualMainThread& fallback() {
    static ManualMainThread instance;
    return instance;
}
} // namespace

MainThread& MainThread::current() {
    MainThread* m = installed.load();
    return m ? *m : fallback();
}

void MainThread::install(MainThread* instance) {
    installed.store(instance);
}

ManualMainThread::ManualMainThread() : mainId_(std::this_thread::get_id()) {}

ManualMainThread::~ManualMainThread() {
    shutdown();
    if (installed.load() == this) installed.store(nullptr);
}

void ManualMainThread::post(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        if (shutDown_) return;
        queue_.push_back(std::move(work));
    }
    cv_.notify_all();
}

void ManualMainThread::postAndWait(std::function<void()> work) {
    if (isMainThread()) {
        work();
        return;
    }
    auto done = std::make_shared<bool>(false);
    {
        std::lock_guard lock(mutex_);
        if (shutDown_) return;
        queue_.push_back([this, done, work = std::move(work)] {
            work();
            std::lock_guard inner(mutex_);
            *done = true;
        });
    }
    cv_.notify_all();
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [&] { return *done || shutDown_; });
}

bool ManualMainThread::isMainThread() const {
    return std::this_thread::get_id() == mainId_;
}

void ManualMainThread::shutdown() {
    {
        std::lock_guard lock(mutex_);
        shutDown_ = true;
        queue_.clear();
    }
    cv_.notify_all();
}

int ManualMainThread::drain() {
    int ran = 0;
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) break;
            work = std::move(queue_.front());
            queue_.pop_front();
        }
        work();
        cv_.notify_all();
        ++ran;
    }
    return ran;
}

bool ManualMainThread::runUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        drain();
        if (done()) return true;
        std::unique_lock lock(mutex_);
        if (std::chrono::steady_clock::now() >= deadline) return false;
        cv_.wait_for(lock, std::chrono::milliseconds(2), [this] { return !queue_.empty(); });
    }
}

} // namespace qcore
