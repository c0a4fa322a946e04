#pragma once

#include "engine/ModuleList.h"
#include "pages/care/ResultsColumns.h"

#include <QAbstractItemModel>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qengine {
class DataFiller;
}

namespace qpages {

// The tree results of one module (group rows with their items) over a snapshot of the engine's
// list taken under its lock. Ticks and sorts are written to the engine's list under that lock,
// only while the module is idle and only to the rows the view showed (each is checked again
// before it is written); then the snapshot is taken again. A reload that keeps the tree's
// shape only announces changed data, so the view keeps its expanded groups and selection; it
// costs a view a constant number of signals whatever the size of the list.
class ResultsTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    using Node = qengine::OutlineViewNode;
    using Column = ResultsColumn<Node>;
    using Nodes = qengine::ModuleList::Nodes;

    ResultsTreeModel(qengine::DataFiller& dataFiller, std::string module,
                     QObject* parent = nullptr);

    // "check", "icon", "title" (sorted by title) and "size" (sorted by bytes).
    static std::vector<Column> standardColumns(const qengine::DataFiller& dataFiller);
    void setColumns(std::vector<Column> columns);
    const std::vector<Column>& columns() const { return columns_; }
    int columnIndex(const QString& identifier) const { return columnIndexOf(columns_, identifier); }
    void setHeader(int column, const QString& text);

    void reload();
    const Nodes& groups() const { return groups_; }
    const std::string& module() const { return module_; }
    // The node of a row of the snapshot; nullptr out of range.
    const Node* nodeAt(const QModelIndex& index) const;
    bool isGroupRow(const QModelIndex& index) const;

    // A tick of a group or item row (state 0 or 1); false when refused.
    virtual bool tick(const QModelIndex& index, std::int64_t state);
    // Every group and item to `state`; groups without items end unticked.
    virtual bool tickAll(std::int64_t state);
    // Sorts the items of every group and then the groups by the column; false when the column
    // does not sort or the module works.
    virtual bool sortBy(int column, bool descending);

    // A group's state from its items: all ticked 1, some -1 (mixed), none or no items 0.
    static std::int64_t groupStateOf(const Node& group);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // A tick changed the engine's list (the page recounts).
    void ticksChanged();

protected:
    // The groups a reload shows: copies made under the list's lock. The default is the module's
    // whole list.
    virtual Nodes snapshot() const;
    // Applies a tick under the list's lock: the group at `group` when `item` is empty, else
    // one of its items. False refuses the tick. The default: a group and all its items take the
    // state (a group without items stays unticked); an item takes it and its group settles.
    virtual bool applyTick(Nodes& groups, std::size_t group, std::optional<std::size_t> item,
                           std::int64_t state);
    qengine::DataFiller& dataFiller() const { return dataFiller_; }

private:
    // The engine's node still is the one the snapshot showed at that place.
    static bool sameNode(const Node* shown, const Node* current);
    // The cells of the row show the same (the columns read a node's title, path, state, size
    // and icon).
    static bool showsTheSame(const Node& shown, const Node& current);
    bool sameShape(const Nodes& next) const;
    // The new rows of the shown groups and of each group's items when `next` holds exactly the
    // shown rows in another order; empty otherwise.
    struct Reorder {
        std::vector<int> groupRow;
        std::vector<std::vector<int>> itemRow;
    };
    std::optional<Reorder> reorderOf(const Nodes& next) const;
    // Takes `next` as a reordering, moving the view's persistent rows (its open groups, its
    // current row) with their nodes.
    void takeReorder(Nodes next, const Reorder& reorder);
    // Takes `next`, of the shown shape, announcing the rows whose cells changed.
    void takeChangedData(Nodes next);
    bool isCheckColumn(int column) const;

    qengine::DataFiller& dataFiller_;
    std::string module_;
    std::vector<Column> columns_;
    Nodes groups_;
};

} // namespace qpages
