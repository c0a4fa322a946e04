#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>

namespace Ui {
class LargeFilesInterface;
}

namespace qpages {

// The Large Files page: big files of the home folder in five categories, as a tree.
class LargeFilesController : public ModuleViewController {
    Q_OBJECT
public:
    explicit LargeFilesController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~LargeFilesController() override;

private:
    void loadInterface() override;

    std::unique_ptr<Ui::LargeFilesInterface> ui_;
};

} // namespace qpages
