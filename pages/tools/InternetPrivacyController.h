#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>

namespace Ui {
class InternetPrivacyInterface;
}

namespace qpages {

// The Internet Privacy page: the browsers' traces, grouped by browser.
class InternetPrivacyController : public ModuleViewController {
    Q_OBJECT
public:
    explicit InternetPrivacyController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~InternetPrivacyController() override;

private:
    void loadInterface() override;

    std::unique_ptr<Ui::InternetPrivacyInterface> ui_;
};

} // namespace qpages
