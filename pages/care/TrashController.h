#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>

namespace Ui {
class TrashCleanerInterface;
}

namespace qpages {

// The Trash Cleaner page: crash reports, as a flat table.
class TrashController : public ModuleViewController {
    Q_OBJECT
public:
    explicit TrashController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~TrashController() override;

private:
    void loadInterface() override;

    std::unique_ptr<Ui::TrashCleanerInterface> ui_;
};

} // namespace qpages
