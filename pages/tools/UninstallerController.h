#pragma once

#include "pages/care/PageBase.h"

#include <memory>

namespace Ui {
class UninstallerInterface;
}

namespace qpages {

// The Uninstaller page: an application dropped on it and its leftovers.
class UninstallerController : public PageBase {
    Q_OBJECT
public:
    explicit UninstallerController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~UninstallerController() override;

    void handleResizeNotification(const qcore::Notification& n);
    void mainthread_handleResizeNotification(const qcore::Notification& n);

protected:
    void loadInterface() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<Ui::UninstallerInterface> ui_;
};

} // namespace qpages
