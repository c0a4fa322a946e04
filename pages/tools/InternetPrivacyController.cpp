#include "pages/tools/InternetPrivacyController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"

#include "ui_InternetPrivacy.h"

namespace qpages {

namespace {

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kInternetPrivacy;
    id.lastScanWord = {};
    id.updateHandOver = PageBase::HandOver::NoWait;
    id.reloadHandOver = PageBase::HandOver::NoWait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillInternetPrivacy(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removeInternetPrivacy(); };
    return id;
}

} // namespace

InternetPrivacyController::InternetPrivacyController(qengine::DataFiller& dataFiller,
                                                     QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {}

InternetPrivacyController::~InternetPrivacyController() = default;

void InternetPrivacyController::loadInterface() {
    ui_ = std::make_unique<Ui::InternetPrivacyInterface>();
    ui_->setupUi(this);
}

} // namespace qpages
