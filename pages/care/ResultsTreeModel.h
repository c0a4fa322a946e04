#pragma once

#include "engine/ModuleList.h"
#include "pages/care/ResultsColumns.h"

#include <QAbstractItemModel>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace qengine {
class DataFiller;
}

namespace qpages {

// The tree results of one module: its group rows with their items, read from a snapshot of the
// engine's list. Ticks are written back to the engine's list (while the module is idle) and the
// snapshot is taken again. Columns: those of ResultsColumns.
class ResultsTreeModel : public QAbstractItemModel, public ResultsColumns {
    Q_OBJECT
public:
    ResultsTreeModel(qengine::DataFiller& dataFiller, std::string module,
                     QObject* parent = nullptr);

    // Where the groups shown come from: copies made under the list's lock. The default is the
    // module's whole list.
    using Source = std::function<qengine::ModuleList::Nodes()>;
    void setSource(Source source) { source_ = std::move(source); }
    // Writes a tick clicked on the row (`item` empty for a group row) and answers whether it was
    // taken; it takes the model's new snapshot itself. `shown` is the row as the view showed it.
    // The default ticks a group with all its items and settles a group by its items.
    using TickWriter = std::function<bool(std::size_t group, std::optional<std::size_t> item,
                                          const qengine::OutlineViewNode& shown, bool tick)>;
    void setTickWriter(TickWriter writer) { tickWriter_ = std::move(writer); }

    // Takes a new snapshot of the engine's list.
    void reload();
    const qengine::ModuleList::Nodes& groups() const { return groups_; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    // Internal id of an item row: its group's index + 1; group rows have 0.
    const qengine::OutlineViewNode* nodeAt(const QModelIndex& index) const;
    bool writeState(const QModelIndex& index, std::int64_t state);

    qengine::DataFiller& dataFiller_;
    std::string module_;
    qengine::ModuleList::Nodes groups_;
    Source source_;
    TickWriter tickWriter_;
};

} // namespace qpages
