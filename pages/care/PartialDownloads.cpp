#include "pages/care/PartialDownloads.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"

#include "ui_PartialDownloads.h"

namespace qpages {

namespace {

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kPartialDownloads;
    id.lastScanWord = "Partial";
    // The scan and the clean wait at each reload until the table has been redrawn.
    id.updateHandOver = PageBase::HandOver::NoWait;
    id.reloadHandOver = PageBase::HandOver::Wait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillPartialDownloads(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removePartialDownloads(); };
    return id;
}

} // namespace

PartialDownloads::PartialDownloads(qengine::DataFiller& dataFiller, QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {}

PartialDownloads::~PartialDownloads() = default;

void PartialDownloads::loadInterface() {
    ui_ = std::make_unique<Ui::PartialDownloadsInterface>();
    ui_->setupUi(this);
}

} // namespace qpages
