#include "pages/tools/LargeFilesController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"

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

} // namespace qpages
