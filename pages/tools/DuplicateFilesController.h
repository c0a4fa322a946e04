#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>

class QAbstractButton;

namespace Ui {
class DuplicateFileInterface;
}

namespace qpages {

// The Duplicates Finder page: identical copies below the chosen folder, grouped by content.
// Its buttons run the other way round from the other module pages: state 0 is idle.
class DuplicateFilesController : public ModuleViewController {
    Q_OBJECT
public:
    explicit DuplicateFilesController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~DuplicateFilesController() override;

    // The find button (the Scan/Stop button is scanButton()); asking loads the interface.
    qtk::IMGButton* btnFindDups();

    // Starts a fresh scan: empties the results, hides the folder controls, then loadDataInDB.
    void findDups(QAbstractButton* sender);
    // The Scan/Stop action: starts a scan when the scan button reads 1, else asks the running
    // scan to stop. The sender's state is flipped on entry and back before returning.
    void loadDataInDB(QAbstractButton* sender);

    void handleResetDefaultsNotification(const qcore::Notification& n);
    void mainthread_handleResetDefaultsNotification(const qcore::Notification& n);
    void handleResizeNotification(const qcore::Notification& n);
    void mainthread_handleResizeNotification(const qcore::Notification& n);

protected:
    void viewDidLoad() override;
    void activityHandled(bool isStart, bool isScan) override;
    void updateHandled() override;
    void scanButtonClicked() override;

private:
    void loadInterface() override;
    // The popover shows whether the page scans or cleans.
    void mirrorActivityToDelegate() const;
    void showSelectedFolder();
    void setFolderControlsHidden(bool hidden);

    std::unique_ptr<Ui::DuplicateFileInterface> ui_;
    QString selectedFolderText_;
};

} // namespace qpages
