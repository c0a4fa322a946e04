#pragma once

#include "pages/care/ModuleViewController.h"
#include "pages/tools/DuplicateResults.h"

#include <QPoint>

#include <memory>

class QAbstractButton;
class QMenu;

namespace Ui {
class DuplicateFileInterface;
}

namespace qpages {

// The Duplicates Finder page: identical copies below the chosen folder, grouped by content.
// A folder face chooses the folder and starts the search; a results face shows the groups,
// filtered by type, and keeps one copy of every group unticked whatever the user clicks.
// Its buttons run the other way round from the other module pages: state 0 is idle.
class DuplicateFilesController : public ModuleViewController {
    Q_OBJECT
public:
    explicit DuplicateFilesController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~DuplicateFilesController() override;

    // The find button (the Scan/Stop button is scanButton()); asking loads the interface.
    qtk::IMGButton* btnFindDups();

    // Starts a fresh scan: drops the results, shows the results face, then loadDataInDB. While
    // the module scans or cleans it only shows the results face.
    void findDups(QAbstractButton* sender);
    // The Scan/Stop action: starts a scan when the scan button reads 1 after the sender's flip,
    // else asks the running scan to stop. The sender is flipped on entry and back on return.
    void loadDataInDB(QAbstractButton* sender);
    // Asks a running scan to stop; with none running nothing happens (nothing starts).
    void stopRunningScan();

    // The folder face (true) or the results face.
    void showChangeFolderControls(bool show);
    bool isFolderFaceShown() const { return folderFaceShown_; }
    // The chosen folder is, or lies below, an excluded folder.
    bool dirNameInExclusionList(const QString& path) const;
    // Takes a folder chosen in the folder dialog: stores it, or refuses it with an alert.
    void folderChosen(const QString& path);

    // Type filter: 0 every group, 1 to 5 audio, video, images, documents, archives.
    void selectCategory(int segment);
    // Group-wide ticks over the shown groups; each group's kept copy stays unticked.
    void checkUncheckAll(bool tick);
    void selectAllButFirst();
    void selectAllButLast();
    void unselectAll();

    const DuplicateResults& results() const { return results_; }

    void mainthread_handleProcessingFileNameNotification(const qcore::Notification& n);
    void mainthread_handleResetDefaultsNotification(const qcore::Notification& n);
    void mainthread_handleResizeNotification(const qcore::Notification& n);

protected:
    void viewDidLoad() override;
    // The folder line is elided again whenever its width changes.
    bool eventFilter(QObject* watched, QEvent* event) override;
    ResultsTreeModel* makeTreeModel() override;
    void activityHandled(bool isStart, bool isScan) override;
    void updateHandled(const qcore::Notification& n) override;
    void scanButtonClicked() override;
    void calculateTotalItemsAndParentSize() override;
    void calculateSelectedItemsAndSize() override;

private:
    void loadInterface() override;
    void registerOwnObservers();
    void applyTexts();
    void wireControls();
    void changeFolder();
    void showSelectedFolder();
    void mirrorActivityToDelegate() const;
    void afterTickChange();

    void scanStarted();
    void scanStopped();
    void cleanStarted();
    void cleanStopped();
    // The filter, check-all, folder and Rescan controls, off while the engine works.
    void setIdleControlsEnabled(bool enabled);
    void setFileNameStripShown(bool shown);
    void showFoundCounts();
    void updateCheckBox();

    // Sorts the shown groups again as the header's indicator shows.
    void reapplyShownSort();
    void showContextMenu(const QPoint& position);
    void enableMenuItems(QMenu& menu, const QModelIndex& clicked) const;
    void revealInFinder(const QModelIndex& clicked) const;

    std::unique_ptr<Ui::DuplicateFileInterface> ui_;
    DuplicateResults results_;
    QString selectedFolderText_;
    bool folderFaceShown_ = true;
    bool firstScanStarted_ = false;
    // The last progress the engine reported: the copies found and their bytes, or the copies
    // removed and the bytes freed.
    std::string foundCount_ = "0";
    std::uint64_t foundBytes_ = 0;
    std::string cleanedCount_ = "0";
    std::uint64_t cleanedBytes_ = 0;
};

} // namespace qpages
