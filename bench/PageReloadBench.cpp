// The main thread's share of a scan and a clean of a large duplicates list, through the real
// Duplicates Finder page (its QTreeView and model, shown offscreen): 2,000 groups holding 5,000
// copies. Each figure is one event the window handles; the window answers only between them.
#include "engine/DataFiller.h"
#include "engine/DupOVNode.h"
#include "engine/ModuleKeys.h"
#include "engine/Pacer.h"
#include "pages/care/PageNotifications.h"
#include "pages/tools/DuplicateFilesController.h"
#include "platform/core/Bundle.h"
#include "platform/core/Home.h"
#include "platform/core/Log.h"
#include "platform/core/MainThread.h"

#include <QApplication>
#include <QTreeView>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

namespace notes = qpages::notes;
using qengine::modules::kDuplicatesFinder;

constexpr int kGroups = 2000;
constexpr int kCopies = 5000;

qcore::Notification activity(const std::string& operation, bool scan) {
    return {notes::kActivityStartStop,
            nullptr,
            {{notes::kActivityName, kDuplicatesFinder},
             {notes::kOperation, operation},
             {notes::kActivityType, scan ? notes::kScan : std::string("clean")}}};
}

qcore::Notification progress(int count) {
    return {notes::kDataFillerUpdate,
            nullptr,
            {{notes::kNotificationGroup, kDuplicatesFinder},
             {notes::kCount, std::to_string(count)},
             {notes::kSize, std::to_string(count * 4096)}}};
}

const qcore::Notification kReloadNote{
    notes::kReload, nullptr, {{notes::kNotificationGroup, kDuplicatesFinder}}};

// The page in a window, over an engine whose home is a temporary folder.
class PageUnderTest {
public:
    PageUnderTest() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quendrix-page-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        home_ = pattern;
        qcore::redirectStandardErrorTo(home_ + "/bench.log");
        qengine::Pacer::setScale(0);
        qcore::Home::setOverrideForTesting(home_);
        qcore::MainThread::install(&mainThread_);
        engine_ = std::make_unique<qengine::DataFiller>(qcore::Bundle(QUENDRIX_BENCH_RESOURCES));
        window_.resize(820, 560);
        auto* layout = new QVBoxLayout(&window_);
        page_ = new qpages::DuplicateFilesController(*engine_, &window_);
        layout->addWidget(page_->view());
        page_->showChangeFolderControls(false);
        window_.show();
        settle();
    }
    ~PageUnderTest() {
        delete page_;
        engine_.reset();
        qcore::MainThread::install(nullptr);
        qcore::Home::setOverrideForTesting("");
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
    }
    PageUnderTest(const PageUnderTest&) = delete;
    PageUnderTest& operator=(const PageUnderTest&) = delete;

    qpages::DuplicateFilesController& page() { return *page_; }
    qengine::ModuleList& list() { return engine_->mainDataSource(kDuplicatesFinder); }
    qengine::ModuleFlags& flags() { return engine_->flags(kDuplicatesFinder); }
    QTreeView& view() { return *page_->findChild<QTreeView*>(QStringLiteral("outlineView")); }

    // The list a scan of the benchmark's size leaves: in every group the first copy is kept,
    // the others ticked; half the groups hold two copies, half three.
    void fill() {
        list().clear();
        int copies = 0;
        for (int g = 0; g < kGroups; ++g)
            copies += addGroup(g, g < kCopies - 2 * kGroups ? 3 : 2);
        if (copies != kCopies) throw std::logic_error("wrong fixture size");
    }
    int addGroup(int g, int copies) {
        const std::string name = "file" + std::to_string(g) + ".txt";
        auto group = std::make_shared<qengine::DupOVNode>();
        group->setTitle(name);
        group->setIsDirectory(true);
        group->setState(-1);
        group->setIndexToRetain(0);
        group->setSize(std::to_string(copies * 4096));
        group->setIcon(qengine::NodeIcon::fileIcon(name));
        const auto index = list().appendNode(group);
        for (int c = 0; c < copies; ++c) {
            auto copy = std::make_shared<qengine::OutlineViewNode>();
            copy->setFullPath(home_ + "/folder" + std::to_string(c) + "/" + name);
            copy->setTitle(copy->fullPath());
            copy->setSize("4096");
            copy->setState(c == 0 ? 0 : 1);
            copy->setParentIndex(static_cast<std::int64_t>(index));
            copy->setIcon(group->icon());
            list().appendChild(index, copy);
        }
        return copies;
    }
    // The clean's removals: every ticked copy marked gone, as the engine leaves them.
    void markTickedRemoved() {
        list().withLock([](auto& groups, auto&) {
            for (const auto& group : groups)
                for (const auto& copy : group->children())
                    if (copy->state() == 1) copy->setIsDeleted(true);
        });
    }
    // Whatever the window would do next: hand-overs, layout, painting.
    void settle() {
        mainThread_.drain();
        QCoreApplication::processEvents();
    }

private:
    std::string home_;
    qcore::ManualMainThread mainThread_;
    std::unique_ptr<qengine::DataFiller> engine_;
    QWidget window_;
    qpages::DuplicateFilesController* page_ = nullptr;
};

// Made on first use and gone before the application is.
std::unique_ptr<PageUnderTest> page;

PageUnderTest& fixture() {
    if (!page) page = std::make_unique<PageUnderTest>();
    return *page;
}

// Steps of a scan that has found the benchmark's list: a copy more, its progress update and
// its reload, as the page handles them, then the window's layout and painting. With `read` 1
// every step reads the list (as when the scan waits on the page); with 0 the steps come as fast
// as the page takes them, and it reads the list at most ten times a second.
void BM_ScanStep(benchmark::State& state) {
    auto& f = fixture();
    const bool read = state.range(0) == 1;
    f.fill();
    f.page().mainthread_handleActivityStartStop(activity(notes::kStart, true));
    f.settle();
    int extra = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The list grows by one group of two copies and shrinks back, so every step reloads
        // a list of the benchmark's size.
        if (extra == 0) {
            f.addGroup(kGroups, 2);
            extra = 1;
        } else {
            f.list().withLock([](auto& groups, auto&) { groups.pop_back(); });
            extra = 0;
        }
        if (read) f.flags().pause.store(true);
        state.ResumeTiming();
        f.page().mainthread_handleUpdates(progress(kCopies - kGroups + extra));
        f.page().mainthread_handleReload(kReloadNote);
        f.settle();
    }
    f.page().mainthread_handleActivityStartStop(activity(notes::kStop, true));
    f.settle();
    state.counters["groups"] = kGroups;
    state.counters["copies"] = kCopies;
}
BENCHMARK(BM_ScanStep)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// The end of a scan: the page settles its list and shows it.
void BM_ScanStop(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.fill();
        f.page().mainthread_handleActivityStartStop(activity(notes::kStart, true));
        f.settle();
        state.ResumeTiming();
        f.page().mainthread_handleActivityStartStop(activity(notes::kStop, true));
        f.settle();
    }
    state.counters["groups"] = kGroups;
    state.counters["copies"] = kCopies;
}
BENCHMARK(BM_ScanStop)->Unit(benchmark::kMillisecond)->UseRealTime();

// The start of a clean (the groups close, the list is read again), then one removal's progress
// update as the page handles it.
void BM_CleanStart(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.fill();
        f.settle();
        state.ResumeTiming();
        f.page().mainthread_handleActivityStartStop(activity(notes::kStart, false));
        f.settle();
    }
    f.page().mainthread_handleActivityStartStop(activity(notes::kStop, false));
    f.settle();
    state.counters["groups"] = kGroups;
    state.counters["copies"] = kCopies;
}
BENCHMARK(BM_CleanStart)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CleanStep(benchmark::State& state) {
    auto& f = fixture();
    f.fill();
    f.page().mainthread_handleActivityStartStop(activity(notes::kStart, false));
    f.settle();
    int removed = 0;
    for (auto _ : state) {
        f.page().mainthread_handleUpdates(progress(++removed % kCopies));
        f.settle();
    }
    f.page().mainthread_handleActivityStartStop(activity(notes::kStop, false));
    f.settle();
    state.counters["groups"] = kGroups;
    state.counters["copies"] = kCopies;
}
BENCHMARK(BM_CleanStep)->Unit(benchmark::kMillisecond)->UseRealTime();

// The end of a clean: with every ticked copy removed (argument 1), or none (0: the clean was
// stopped before its first removal, so every group stays).
void BM_CleanStop(benchmark::State& state) {
    auto& f = fixture();
    const bool removed = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        f.fill();
        f.page().mainthread_handleActivityStartStop(activity(notes::kStart, false));
        f.settle();
        if (removed) f.markTickedRemoved();
        state.ResumeTiming();
        f.page().mainthread_handleActivityStartStop(activity(notes::kStop, false));
        f.settle();
    }
    state.counters["groups"] = kGroups;
    state.counters["copies"] = kCopies;
}
BENCHMARK(BM_CleanStop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A tick of every copy with every group open: the whole list's data changes, its shape stays.
void BM_TickAllExpanded(benchmark::State& state) {
    auto& f = fixture();
    f.fill();
    f.page().mainthread_handleActivityStartStop(activity(notes::kStart, true));
    f.page().mainthread_handleActivityStartStop(activity(notes::kStop, true));
    f.view().expandAll();
    f.settle();
    bool tick = false;
    for (auto _ : state) {
        f.page().checkUncheckAll(tick);
        f.settle();
        tick = !tick;
    }
    state.counters["groups"] = kGroups;
    state.counters["copies"] = kCopies;
}
BENCHMARK(BM_TickAllExpanded)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    page.reset();
    return 0;
}
