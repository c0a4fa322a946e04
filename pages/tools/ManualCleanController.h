#pragma once

#include "pages/care/PageBase.h"

#include <memory>

namespace Ui {
class ManualCleanInterface;
}

namespace qpages {

// The Misc Cleaning page: device backups, Mail downloads and the Trash. It runs its own
// loaders rather than an engine scan.
class ManualCleanController : public PageBase {
    Q_OBJECT
public:
    explicit ManualCleanController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~ManualCleanController() override;

protected:
    void loadInterface() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<Ui::ManualCleanInterface> ui_;
};

} // namespace qpages
