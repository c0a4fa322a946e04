#pragma once

#include "engine/ModuleList.h"
#include "pages/care/ResultsColumns.h"

#include <QAbstractTableModel>

#include <string>

namespace qengine {
class DataFiller;
}

namespace qpages {

// The flat results of one module, read from a snapshot of the engine's rows; ticks are written
// back to the engine's rows (while the module is idle). Columns: those of ResultsColumns.
class ResultsTableModel : public QAbstractTableModel, public ResultsColumns {
    Q_OBJECT
public:
    ResultsTableModel(qengine::DataFiller& dataFiller, std::string module,
                      QObject* parent = nullptr);

    void reload();
    const qengine::ModuleList::Rows& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    qengine::DataFiller& dataFiller_;
    std::string module_;
    qengine::ModuleList::Rows rows_;
};

} // namespace qpages
