#pragma once

#include "platform/core/MainThread.h"

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QThread;

namespace qui {

// The main-thread hand-over over the Qt event loop. Make it on the GUI thread once the
// application object exists; it shuts itself down when the application is about to quit.
// Queued work runs in nested loops too (modal sheets, dialogs), so waiting workers are served
// while a sheet is up.
class QtMainThread final : public qcore::MainThread {
public:
    QtMainThread();
    ~QtMainThread() override;
    QtMainThread(const QtMainThread&) = delete;
    QtMainThread& operator=(const QtMainThread&) = delete;

    void post(std::function<void()> work) override;
    // Inline on the main thread; elsewhere waits until the work has run or shutdown() is
    // called. Work that has not started by shutdown is dropped, never run after its caller
    // returned (it may refer to the caller's stack).
    void postAndWait(std::function<void()> work) override;
    bool isMainThread() const override;
    void shutdown() override;

    bool isShutDown() const;

private:
    struct Waiter;
    bool enqueue(std::function<void()> work);

    QThread* mainThread_;
    // Receives the queued calls; owned here because it has no Qt parent.
    std::unique_ptr<QObject> context_;
    QMetaObject::Connection quitConnection_;

    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool shutDown_ = false;
};

} // namespace qui
