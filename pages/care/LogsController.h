#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>

namespace Ui {
class LogsInterface;
}

namespace qpages {

// The Logs Cleaner page: the user's log files, as a tree.
class LogsController : public ModuleViewController {
    Q_OBJECT
public:
    explicit LogsController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~LogsController() override;

protected:
    // After a scan and after a clean every group with items shows them.
    void resultsSettled() override;
    // Any row reveals its own path, a group row too.
    std::optional<std::string> revealPathForNode(const qengine::OutlineViewNode& node,
                                                 bool isGroup) const override;
    void activityHandled(bool isStart, bool isScan) override;

private:
    void loadInterface() override;

    std::unique_ptr<Ui::LogsInterface> ui_;
};

} // namespace qpages
