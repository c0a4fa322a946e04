#include "pages/care/CacheController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "platform/ui/Fonts.h"

#include "ui_CacheCleaner.h"

namespace qpages {

namespace {

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kSystemCleaner;
    id.lastScanWord = "Cache";
    id.updateHandOver = PageBase::HandOver::NoWait;
    id.reloadHandOver = PageBase::HandOver::NoWait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillCacheCleaner(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removeCacheCleaner(); };
    id.retitleScanAtClick = true;
    id.buttonFont = qui::fontNamed(QStringLiteral("Arial"), 16);
    return id;
}

} // namespace

CacheController::CacheController(qengine::DataFiller& dataFiller, QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {}

CacheController::~CacheController() = default;

void CacheController::loadInterface() {
    ui_ = std::make_unique<Ui::CacheCleanerInterface>();
    ui_->setupUi(this);
}

} // namespace qpages
