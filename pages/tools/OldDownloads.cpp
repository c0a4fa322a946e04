#include "pages/tools/OldDownloads.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"

#include "toolkit/IMGButton.h"

#include "ui_OldDownloads.h"

namespace qpages {

namespace {

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kOldDownloads;
    // Its own keys: the Trash Cleaner's line is the Trash Cleaner's.
    id.lastScanWord = "OldDownloads";
    // The scan and the clean wait at each reload until the table has been redrawn.
    id.updateHandOver = PageBase::HandOver::NoWait;
    id.reloadHandOver = PageBase::HandOver::Wait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillDownloadsData(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removeOldDownloads(); };
    // Rows are listed unticked: after a scan the page tells what it found.
    id.foundCountsAfterScan = true;
    return id;
}

} // namespace

OldDownloads::OldDownloads(qengine::DataFiller& dataFiller, QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {}

OldDownloads::~OldDownloads() = default;

void OldDownloads::loadInterface() {
    ui_ = std::make_unique<Ui::OldDownloadsInterface>();
    ui_->setupUi(this);
}

void OldDownloads::activityHandled(bool isStart, bool isScan) {
    if (isStart || !isScan || !ui_) return;
    const bool found = itemsToRemove();
    ui_->scanButton->setHidden(found);
    ui_->removeButton->setHidden(!found);
}

} // namespace qpages
