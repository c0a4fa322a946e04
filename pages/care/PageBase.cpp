#include "pages/care/PageBase.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "platform/ui/Alert.h"
#include "platform/ui/WorkerThreads.h"
#include "toolkit/ViewFormatter.h"

#include <chrono>
#include <thread>

namespace qpages {

PageBase::PageBase(qengine::DataFiller& dataFiller, QWidget* parent)
    : QWidget(parent), dataFiller_(dataFiller), workers_(std::make_unique<qui::WorkerThreads>()) {}

PageBase::~PageBase() {
    finishPage({});
}

QWidget* PageBase::view() {
    if (!viewLoaded_) {
        viewLoaded_ = true;
        loadInterface();
        viewDidLoad();
    }
    return this;
}

void PageBase::observe(const std::string& name, qcore::NotificationCenter::Handler handler) {
    qcore::NotificationCenter::defaultCenter().addObserver(this, name, std::move(handler));
}

bool PageBase::startWorker(const std::string& module, std::function<void()> work) {
    if (!dataFiller_.claimModule(module)) return false;
    if (!workers_ || !workers_->start(std::move(work))) {
        dataFiller_.cancelModuleClaim(module);
        return false;
    }
    return true;
}

bool PageBase::startThread(std::function<void()> work) {
    return workers_ && workers_->start(std::move(work));
}

std::size_t PageBase::runningWorkers() const {
    return workers_ ? workers_->running() : 0;
}

void PageBase::finishPage(const std::vector<std::string>& modules) {
    if (finished_) return;
    finished_ = true;
    qcore::NotificationCenter::defaultCenter().removeObserversOf(this);
    for (const auto& module : modules) {
        auto& flags = dataFiller_.flags(module);
        flags.stopFilling.store(true);
        flags.stopRemoving.store(true);
    }
    // Nobody reloads for a paused scan any more; keep releasing it until every worker ends.
    while (runningWorkers() > 0) {
        for (const auto& module : modules)
            dataFiller_.flags(module).pause.store(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    workers_.reset();
}

QString PageBase::token(const std::string& group, const std::string& key) const {
    return QString::fromStdString(dataFiller_.getTokenForGroup(group, key));
}

QString PageBase::commonToken(const std::string& key) const {
    return token("GRP_CMN", key);
}

QString PageBase::moduleDisplayName(const std::string& module) const {
    return QString::fromStdString(dataFiller_.getModuleName(module, true));
}

QString PageBase::sizeText(std::uint64_t bytes) const {
    return QString::fromStdString(qengine::FileOperations::convertBytesToApplicableUnit(
        dataFiller_.sizeLangTokens(), qengine::FileOperations::textOf(bytes)));
}

std::uint64_t PageBase::listedBytes(const std::string& module) const {
    return dataFiller_.mainDataSource(module).withLock([](auto& nodes, auto& rows) {
        std::uint64_t total = 0;
        for (const auto& group : nodes)
            for (const auto& item : group->children())
                total += item->sizeInBytes();
        for (const auto& r : rows)
            total += qengine::row::size(r);
        return total;
    });
}

bool PageBase::askToCleanInAlert() const {
    qui::Alert alert;
    alert.setMessageText(commonToken("ID_PROMPT_TO_CLEAN_ALL_ITEMS"))
        .setInformativeText(commonToken("ID_PROMPT_DESC_TO_CLEAN_ALL_ITEMS"))
        .addButton(commonToken("ID_OK"))
        .addButton(commonToken("ID_CANCEL"));
    return alert.runModal(window()) == qui::Alert::FirstButton;
}

void PageBase::applyViewFormatting() {
    qtk::ViewFormatter(dataFiller_).updateFormattedObjectsForView(this);
}

} // namespace qpages
