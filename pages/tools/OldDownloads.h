#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>

namespace Ui {
class OldDownloadsInterface;
}

namespace qpages {

// The Old Downloads page: downloads not opened for a set time, as a flat table. Rows are listed
// unticked, so after a scan Clean is offered whenever something was found.
class OldDownloads : public ModuleViewController {
    Q_OBJECT
public:
    explicit OldDownloads(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~OldDownloads() override;

protected:
    void activityHandled(bool isStart, bool isScan) override;

private:
    void loadInterface() override;

    std::unique_ptr<Ui::OldDownloadsInterface> ui_;
};

} // namespace qpages
