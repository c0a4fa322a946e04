#pragma once

#include "pages/care/PageBase.h"
#include "pages/tools/MiscCleaningList.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QProgressBar;

namespace Ui {
class ManualCleanInterface;
}
namespace qtk {
class GradientBox;
class IMGButton;
} // namespace qtk

namespace qpages {

class FullDiskAccessGuide;
class MiscCleaningTableModel;

// The Misc Cleaning page: device backups, files Mail saved from attachments and the Trash's
// contents on three tabs. It runs no engine scan: three loader threads fill its own lists, three
// remover threads clean them after a confirmation and a typed number, and it posts the engine's
// notifications for "Misc Cleaning" itself.
//
// Each list is changed only by its own thread, under its own lock, while the table and the
// header boxes refuse edits; the view reads snapshots.
class ManualCleanController : public PageBase {
    Q_OBJECT
public:
    enum ListIndex { Backups = 0, MailDownloads = 1, Trash = 2 };
    static constexpr int kListCount = 3;

    explicit ManualCleanController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~ManualCleanController() override;

    // Button and menu actions (main thread).
    void loadDataInDB();
    void rescanNow();
    void removeSelected();
    void selectTab(int index);
    void checkUncheckAllItemsFromHeader(int list, bool on);
    void revealInFinder();
    // A click on a column header: sorts all three lists.
    void didClickTableColumn(int column);
    // The check box of a row of the shown list was set to `state`.
    void setRowCheckState(int row, int state);

    // Start the three loaders or removers; false when an operation already runs.
    bool scanNow();
    bool removeNow();

    // Observers' main-thread twins.
    void mainthread_handleUpdates(const qcore::Notification& n);
    void mainthread_handleActivityStartStop(const qcore::Notification& n);
    void mainthread_handleReload(const qcore::Notification& n);

    const MiscCleaningList& list(int index) const {
        return lists_[static_cast<std::size_t>(index)];
    }
    MiscCleaningList& list(int index) { return lists_[static_cast<std::size_t>(index)]; }
    int indexBtnSelection() const { return indexBtnSelection_; }
    int randomConfirmNo() const { return randomConfirmNo_; }
    int totalItems() const { return totalItems_; }
    int selectedItems() const { return selectedItems_; }
    std::uint64_t selectedSize() const { return selectedSize_; }
    bool isBusy() const { return busy_; }
    FullDiskAccessGuide& guide();

    static const char* subGroup(int list);

protected:
    void loadInterface() override;
    void viewDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void registerObservers();
    void sendUpdateNotification(const std::string& subGroup, const std::string& size);
    void sendActivityStartStopNotification(const std::string& operation,
                                           const std::string& activityType);
    void sendReloadNotification();
    bool accessGate();
    // Claims the module and resets the running sums; false when an operation runs.
    bool beginOperation(bool scan);
    bool startThreads(bool scan);
    void runLoader(int list);
    void runRemover(int list);
    void finishThread(int list, const std::string& activityType);

    // Faces.
    void updatePI(int list, bool start);
    void startScan();
    void handleStopScan();
    void startRemove();
    void stopRemove();
    void decideScanOrRemoveButton(bool busy, bool isScan);
    void updateDescription(bool scanning, bool cleaning);
    void updateLanguageTokens();
    void changeFontAndSize();
    void updateButtonTitle(int list);
    void retitleTabs();
    void selectDeselectButton(int list, bool selected);
    void showHideCheckAll(int list);
    void checkUncheckAll(int list);
    void settleHeaderBoxes();
    void updateBtnIndexes();
    void checkBtnIndexAndSelectButton();
    void tableViewSelectionDidChange();
    void showPreviewItems(bool shown);
    void reloadTable();
    void showStopImage(bool shown);
    void setCountsLine(const std::string& key, const std::vector<std::string>& arguments);

    // After ticks changed: the table, the counts and the selected size.
    void ticksChanged();

    // Counts.
    void calculateSelectedItems();
    void calculateSelectedItemsWithoutUpdatingLabel();
    void calculateTotalItems();
    int listedRows() const;
    void calculateSelectedSize();
    QString listTitle(int list) const;

    // The confirmation.
    bool openConfirmationSheet();
    void updateTextsInSheet();

    std::unique_ptr<Ui::ManualCleanInterface> ui_;
    // Set before any loader starts; false where the backups tab is hidden.
    bool listsBackups_ = true;
    MiscCleaningTableModel* model_ = nullptr;
    FullDiskAccessGuide* guide_ = nullptr;
    std::array<MiscCleaningList, kListCount> lists_;
    std::array<QAbstractButton*, kListCount> tabButtons_{};
    std::array<qtk::GradientBox*, kListCount> tabPanels_{};
    std::array<QProgressBar*, kListCount> spinners_{};
    std::array<QLabel*, kListCount> sizeLabels_{};
    std::array<QCheckBox*, kListCount> headerBoxes_{};

    const std::string grpKey_;
    std::string strIT_;
    std::string strMD_;
    std::string strOD_;
    int selectedItems_ = 0;
    int selectedItemsMD_ = 0;
    int selectedItemsOD_ = 0;
    int totalItems_ = 0;
    int indexBtnSelection_ = 0;
    bool isFilling_ = false;
    bool busy_ = false;
    int itemsToRemove_ = 0;
    int stopCount_ = 0;
    std::uint64_t selectedSize_ = 0;
    int randomConfirmNo_ = 0;
    std::atomic<int> activeThreads_{0};
    std::array<bool, 2> sortDescending_{}; // name, size
    int highlightedColumn_ = -1;
};

} // namespace qpages
