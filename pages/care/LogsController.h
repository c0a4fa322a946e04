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
    // The engine's scan waits at each pause point until this reload has read its list.
    void reloadFinished() override;

private:
    void loadInterface() override;

    std::unique_ptr<Ui::LogsInterface> ui_;
};

} // namespace qpages
