#include "platform/ui/QtMainThread.h"

#include "platform/core/Guarded.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace qui {

// Shared by a waiting worker and the queued call; guarded by QtMainThread::mutex_.
struct QtMainThread::Waiter {
    bool running = false;
    bool done = false;
    bool abandoned = false;
};

QtMainThread::QtMainThread()
    : mainThread_(QThread::currentThread()), context_(std::make_unique<QObject>()) {
    if (auto* app = QCoreApplication::instance()) {
        quitConnection_ = QObject::connect(app, &QCoreApplication::aboutToQuit, context_.get(),
                                           [this] { shutdown(); });
    }
}

QtMainThread::~QtMainThread() {
    shutdown();
    QObject::disconnect(quitConnection_);
    std::lock_guard lock(mutex_);
    context_.reset(); // drops calls still queued
}

bool QtMainThread::enqueue(std::function<void()> work) {
    std::lock_guard lock(mutex_);
    if (!context_) return false;
    // Holding the lock keeps the context alive while the event is posted.
    return QMetaObject::invokeMethod(
        context_.get(),
        [work = std::move(work)] { qcore::runGuarded("Call on the main thread", work); },
        Qt::QueuedConnection);
}

void QtMainThread::post(std::function<void()> work) {
    if (work) enqueue(std::move(work));
}

void QtMainThread::postAndWait(std::function<void()> work) {
    if (!work) return;
    if (isMainThread()) {
        work();
        return;
    }
    auto waiter = std::make_shared<Waiter>();
    {
        std::lock_guard lock(mutex_);
        if (shutDown_) return;
    }
    const bool queued = enqueue([this, waiter, work = std::move(work)] {
        {
            std::lock_guard lock(mutex_);
            if (waiter->abandoned) return;
            waiter->running = true;
        }
        // Wakes the worker even when the work throws.
        struct Finish {
            QtMainThread* self;
            Waiter* w;
            ~Finish() {
                std::lock_guard lock(self->mutex_);
                w->done = true;
                self->cv_.notify_all();
            }
        } finish{this, waiter.get()};
        work();
    });
    if (!queued) return;

    std::unique_lock lock(mutex_);
    // Once the work has started it finishes before we return, shutdown or not.
    cv_.wait(lock, [&] { return waiter->done || (shutDown_ && !waiter->running); });
    if (!waiter->done) waiter->abandoned = true;
}

bool QtMainThread::isMainThread() const {
    return QThread::currentThread() == mainThread_;
}

void QtMainThread::shutdown() {
    std::lock_guard lock(mutex_);
    shutDown_ = true;
    cv_.notify_all();
}

bool QtMainThread::isShutDown() const {
    std::lock_guard lock(mutex_);
    return shutDown_;
}

} // namespace qui
