#include "pages/tools/LargeFilesController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "pages/care/ResultsTreeModel.h"
#include "pages/care/SortDirections.h"
#include "platform/core/Log.h"
#include "toolkit/IMGButton.h"

#include <QHeaderView>

#include "ui_LargeFiles.h"

namespace qpages {

namespace {

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kLargeFiles;
    id.lastScanWord = {};
    id.updateHandOver = PageBase::HandOver::NoWait;
    id.reloadHandOver = PageBase::HandOver::NoWait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillLargeFiles(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removeLargeFiles(); };
    id.foundCountsAfterScan = true;
    id.retitleScanAtClick = true;
    return id;
}

} // namespace

LargeFilesController::LargeFilesController(qengine::DataFiller& dataFiller, QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {
    // The five category rows are made once, with the page; each scan refills them.
    if (dataFiller.mainDataSource(qengine::modules::kLargeFiles).empty())
        dataFiller.addNodesToLargeFiles(qengine::modules::kLargeFiles);
}

LargeFilesController::~LargeFilesController() = default;

void LargeFilesController::loadInterface() {
    ui_ = std::make_unique<Ui::LargeFilesInterface>();
    ui_->setupUi(this);
}

void LargeFilesController::scanButtonClicked() {
    const bool starting = ui_->scanButton->state() == idleState();
    if (starting && !dataFiller().isModuleBusy(activityName())) resetCategories();
    loadDataInDB();
}

// A rescan refills the categories as a scan does, so it clears their ticks as well.
void LargeFilesController::rescanButtonClicked() {
    if (!dataFiller().isModuleBusy(activityName())) resetCategories();
    rescanNow();
}

void LargeFilesController::resetCategories() {
    dataFiller().mainDataSource(activityName()).withLock([](auto& categories, auto&) {
        for (const auto& category : categories)
            if (category) category->setState(0);
    });
    ui_->outlineView->collapseAll();
    reloadResults();
}

void LargeFilesController::activityHandled(bool isStart, bool isScan) {
    if (!ui_) return;
    if (isStart) {
        ui_->outlineView->collapseAll();
        ui_->outlineView->header()->setSortIndicatorShown(false);
        return;
    }
    if (isScan) qcore::logLine("Scan Stopped ");
    // Largest first after a scan; after a clean the size order turns round.
    if (isScan && !SortDirections::nextIsDescending(activityName(), columns::kSize))
        SortDirections::takeNext(activityName(), columns::kSize);
    sortBySize();
    if (isScan) ui_->outlineView->collapseAll();
}

void LargeFilesController::sortBySize() {
    if (auto* model = treeModel()) didClickTableColumn(model->columnIndex(columns::kSize));
}

} // namespace qpages
