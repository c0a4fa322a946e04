#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>

namespace Ui {
class LargeFilesInterface;
}

namespace qpages {

// The Large Files page: big files of the home folder in five categories (Music, Pictures,
// Video, Documents, Others), as a tree listed largest first. Files are listed unticked.
class LargeFilesController : public ModuleViewController {
    Q_OBJECT
public:
    explicit LargeFilesController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~LargeFilesController() override;

protected:
    void scanButtonClicked() override;
    void rescanButtonClicked() override;
    void activityHandled(bool isStart, bool isScan) override;

private:
    void loadInterface() override;
    // Every category unticked and closed, as a new scan starts.
    void resetCategories();
    // The header's click on the Size column, in the direction it has next.
    void sortBySize();

    std::unique_ptr<Ui::LargeFilesInterface> ui_;
};

} // namespace qpages
