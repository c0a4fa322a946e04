#pragma once

#include "engine/ModuleList.h"
#include "pages/care/ResultsColumns.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace qengine {
class DataFiller;
}

namespace qpages {

// The flat results of one module over a snapshot of the engine's rows taken under its lock.
// Ticks and sorts are written to the engine's rows under that lock, only while the module is
// idle and only to the row the view showed (its path is checked again before it is written).
class ResultsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Row = qengine::ModuleRow;
    using Column = ResultsColumn<Row>;
    using Rows = qengine::ModuleList::Rows;

    ResultsTableModel(qengine::DataFiller& dataFiller, std::string module,
                      QObject* parent = nullptr);

    // "state", "icon", "title" (the last path component, sorted by the row's "name" or, when a
    // row has none, by that component) and "size" (sorted by bytes).
    static std::vector<Column> standardColumns(const qengine::DataFiller& dataFiller);
    void setColumns(std::vector<Column> columns);
    const std::vector<Column>& columns() const { return columns_; }
    int columnIndex(const QString& identifier) const { return columnIndexOf(columns_, identifier); }
    void setHeader(int column, const QString& text);

    void reload();
    const Rows& rows() const { return rows_; }
    const std::string& module() const { return module_; }
    // The row of the snapshot; nullptr out of range.
    const Row* rowAt(int row) const;

    bool tick(int row, std::int64_t state);
    bool tickAll(std::int64_t state);
    bool sortBy(int column, bool descending);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void ticksChanged();

protected:
    // Applies a tick of `rows[row]` under the list's lock; false refuses it.
    virtual bool applyTick(Rows& rows, std::size_t row, std::int64_t state);

private:
    bool isStateColumn(int column) const;
    // Copies only the rows appended since the last reload; false when the list changed
    // otherwise (then everything is read again).
    bool appendNewRows();
    // Logs, once per path, a row whose size is no byte count.
    void logOddSizes(std::size_t from = 0);

    qengine::DataFiller& dataFiller_;
    std::string module_;
    std::vector<Column> columns_;
    Rows rows_;
    std::set<std::string> loggedOddSizes_;
};

} // namespace qpages
