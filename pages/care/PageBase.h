#pragma once

#include "platform/core/MainThread.h"
#include "platform/core/NotificationCenter.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QProgressBar;

namespace qengine {
class DataFiller;
class ModuleFlags;
} // namespace qengine
namespace qui {
class WorkerThreads;
}

namespace qpages {

class PageDelegate;

// What every page shares: the engine it keeps without owning, its interface loaded the first
// time the view is asked for, its worker threads and its notification observers.
//
// Observers are registered at creation, so a page follows its modules before it is ever shown;
// handlers must therefore work with or without a loaded interface. Each observer hands the
// notification to the main thread; the page's "mainthread_" twin does the work there.
class PageBase : public QWidget {
    Q_OBJECT
public:
    enum class HandOver { Wait, NoWait };

    explicit PageBase(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~PageBase() override;
    PageBase(const PageBase&) = delete;
    PageBase& operator=(const PageBase&) = delete;

    // The page's root view; loads the interface on the first call.
    QWidget* view();
    bool isViewLoaded() const { return viewLoaded_; }

    qengine::DataFiller& dataFiller() const { return dataFiller_; }

    // Who hears of the page's activity and counts; not owned, and it outlives the page.
    void setPageDelegate(PageDelegate* delegate) { pageDelegate_ = delegate; }

protected:
    // Builds the interface into this widget (the uic form's setupUi).
    virtual void loadInterface() = 0;
    // Runs once, right after loadInterface(): the page's face from the engine's state.
    virtual void viewDidLoad() {}

    // Registers `handler` for `name` on the default centre, owned by this page. `handler` runs
    // on the posting thread; it should only filter and hand over.
    void observe(const std::string& name, qcore::NotificationCenter::Handler handler);

    // Runs `method` on the main thread with `n`, waiting or not; nothing runs when the page is
    // gone by then.
    template <typename Page>
    static void handOver(QPointer<Page> page, void (Page::*method)(const qcore::Notification&),
                         const qcore::Notification& n, HandOver mode) {
        auto work = [page, method, n] {
            if (page) (page.data()->*method)(n);
        };
        auto& mainThread = qcore::MainThread::current();
        if (mode == HandOver::Wait)
            mainThread.postAndWait(std::move(work));
        else
            mainThread.post(std::move(work));
    }

    // Claims `module` and runs `work` on a new worker thread; false (claim given back) when the
    // module is busy or no thread could be started.
    bool startWorker(const std::string& module, std::function<void()> work);
    // Runs `work` on a new worker thread without claiming a module (for pages that claim once
    // for several threads); false when no thread could be started.
    bool startThread(std::function<void()> work);
    std::size_t runningWorkers() const;

    // Removes the observers, asks the page's modules to stop and joins the workers. Pages call
    // it first in their destructors, before the members their workers use are gone. A worker
    // waiting on the main thread must have been released (the hand-over shut down) by then.
    void finishPage(const std::vector<std::string>& modules);

    // Texts of the language table.
    QString token(const std::string& group, const std::string& key) const;
    QString commonToken(const std::string& key) const;
    QString moduleDisplayName(const std::string& module) const;
    // `key` of `group` filled with `arguments`. Where the count its noun follows (the argument
    // at `countAt`) is 1, the key's "_ONE" form is used when the table has one.
    QString countText(const std::string& group, const std::string& key,
                      const std::vector<std::string>& arguments, std::size_t countAt) const;
    // The page's description in its state: scanning, cleaning, or idle with or without items.
    QString activityText(const std::string& module, bool scanning, bool cleaning,
                         bool hasItems) const;
    // Shows `bar` as a busy indicator while `running`, and hides it after.
    static void showBusy(QProgressBar* bar, bool running);
    // "1.5 MB" with the engine's unit words.
    QString sizeText(std::uint64_t bytes) const;
    // The bytes `module` lists now: the items of all its groups and all its rows.
    std::uint64_t listedBytes(const std::string& module) const;

    // The confirmation every clean asks first: an alert with OK and Cancel; true for OK.
    bool askToCleanInAlert() const;
    // The same with the common texts of `messageKey` and `informativeKey`.
    bool askInAlert(const std::string& messageKey, const std::string& informativeKey) const;

    // Applies the per-language layout table to the loaded view.
    void applyViewFormatting();

    // nullptr when nobody listens.
    PageDelegate* pageDelegate() const { return pageDelegate_; }

private:
    qengine::DataFiller& dataFiller_;
    std::unique_ptr<qui::WorkerThreads> workers_;
    PageDelegate* pageDelegate_ = nullptr;
    bool viewLoaded_ = false;
    bool finished_ = false;
};

} // namespace qpages
