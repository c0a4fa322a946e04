#include "pages/care/PageBase.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/TextFormat.h"
#include "platform/ui/Alert.h"
#include "platform/ui/WorkerThreads.h"
#include "toolkit/ViewFormatter.h"

#include <QProgressBar>

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

QString PageBase::activityText(const std::string& module, bool scanning, bool cleaning,
                               bool hasItems) const {
    std::string text;
    if (scanning)
        text = dataFiller_.getTokenForActivity(module, false, true);
    else if (cleaning)
        text = dataFiller_.getTokenForActivity(module, false, false);
    else
        text = dataFiller_.getTokenForActivity(module, true, !hasItems);
    return QString::fromStdString(text);
}

void PageBase::showBusy(QProgressBar* bar, bool running) {
    if (!bar) return;
    // A range of 0..0 makes the bar a busy indicator.
    bar->setRange(0, running ? 0 : 1);
    bar->setVisible(running);
}

QString PageBase::countText(const std::string& group, const std::string& key,
                            const std::vector<std::string>& arguments, std::size_t countAt) const {
    std::string format = dataFiller_.getTokenForGroup(group, key);
    if (countAt < arguments.size() && arguments[countAt] == "1") {
        std::string one = dataFiller_.getTokenForGroup(group, key + "_ONE");
        if (one != "NA") format = std::move(one);
    }
    return QString::fromStdString(qengine::text::fillPlaceholders(format, arguments));
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
    return askInAlert("ID_PROMPT_TO_CLEAN_ALL_ITEMS", "ID_PROMPT_DESC_TO_CLEAN_ALL_ITEMS");
}

bool PageBase::askInAlert(const std::string& messageKey, const std::string& informativeKey) const {
    qui::Alert alert;
    alert.setMessageText(commonToken(messageKey))
        .setInformativeText(commonToken(informativeKey))
        .addButton(commonToken("ID_OK"))
        .addButton(commonToken("ID_CANCEL"));
    return alert.runModal(window()) == qui::Alert::FirstButton;
}

void PageBase::applyViewFormatting() {
    qtk::ViewFormatter(dataFiller_).updateFormattedObjectsForView(this);
}

} // namespace qpages
