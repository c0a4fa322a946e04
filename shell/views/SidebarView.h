#pragma once

#include "shell/views/SidebarSelection.h"
#include "shell/views/SidebarTree.h"

#include <QObject>

#include <functional>
#include <memory>

class QStandardItemModel;

namespace qengine {
class DataFiller;
}
namespace qtk {
class ImageAndTextCell;
class NSOutlineView_NEW;
} // namespace qtk

namespace qshell {

// The main window's sidebar: the fixed module list in the outline view, drawn by the sidebar
// cell, rows addressed by number. Clicks and arrow keys never land on headings or spacers;
// rows chosen by number in code are taken as they are.
class SidebarView : public QObject {
    Q_OBJECT
public:
    using OutcomeHandler = std::function<void(const SidebarSelection::Outcome&)>;
    static constexpr int kRowRole = Qt::UserRole + 1;

    // Fills `outline` from the engine's texts and layout; selection changes go to `onOutcome`.
    SidebarView(qtk::NSOutlineView_NEW& outline, const qengine::DataFiller& engine,
                OutcomeHandler onOutcome);
    ~SidebarView() override;

    const SidebarTree& tree() const { return *tree_; }
    SidebarSelection& selection() { return *selection_; }
    qtk::ImageAndTextCell& cell() const { return *cell_; }
    QStandardItemModel& model() const { return *model_; }

    void selectRow(int row);
    // The selected row's number, -1 for none.
    int selectedRow() const;
    // The rows of the view's selection, by number.
    std::vector<int> selectedRows() const;
    // The number of the row at a point of the outline's viewport; -1 for none.
    int rowAt(const QPoint& viewportPoint) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildModel(const qengine::DataFiller& engine);
    void setUpCell(const qengine::DataFiller& engine);
    void selectionDidChange();
    bool moveSelection(int step);
    QModelIndex indexOfRow(int row) const;

    qtk::NSOutlineView_NEW& outline_;
    OutcomeHandler onOutcome_;
    std::unique_ptr<SidebarTree> tree_;
    std::unique_ptr<SidebarSelection> selection_;
    QStandardItemModel* model_ = nullptr;
    qtk::ImageAndTextCell* cell_ = nullptr;
    bool building_ = false;
};

} // namespace qshell
