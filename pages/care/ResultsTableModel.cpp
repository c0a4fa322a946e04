#include "pages/care/ResultsTableModel.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"

#include <QFileIconProvider>
#include <QFileInfo>

namespace qpages {

namespace {

// Rows name themselves by "name" where the module gives one, else by their path's last part.
QString titleOf(const qengine::ModuleRow& r) {
    if (const auto it = r.find(qengine::row::kName); it != r.end())
        return QString::fromStdString(it->second.toString());
    return QFileInfo(QString::fromStdString(qengine::row::fullPath(r))).fileName();
}

} // namespace

ResultsTableModel::ResultsTableModel(qengine::DataFiller& dataFiller, std::string module,
                                     QObject* parent)
    : QAbstractTableModel(parent), ResultsColumns(static_cast<QAbstractItemModel&>(*this)),
      dataFiller_(dataFiller), module_(std::move(module)) {
    reload();
}

void ResultsTableModel::reload() {
    beginResetModel();
    rows_ = dataFiller_.mainDataSource(module_).rowsSnapshot();
    endResetModel();
}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResultsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const auto& r = rows_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case StateColumn:
        if (role == Qt::CheckStateRole)
            return qengine::row::isChecked(r) ? Qt::Checked : Qt::Unchecked;
        break;
    case IconColumn:
        if (role == Qt::DecorationRole) {
            static const QFileIconProvider provider;
            return provider.icon(QFileInfo(QString::fromStdString(qengine::row::fullPath(r))));
        }
        break;
    case TitleColumn:
        if (role == Qt::DisplayRole) return titleOf(r);
        if (role == Qt::ToolTipRole) return QString::fromStdString(qengine::row::fullPath(r));
        break;
    case SizeColumn:
        return sizeCell(dataFiller_.sizeLangTokens(),
                        qengine::FileOperations::textOf(qengine::row::size(r)), role);
    default:
        break;
    }
    return {};
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return headerText(section, orientation, role);
}

Qt::ItemFlags ResultsTableModel::flags(const QModelIndex& index) const {
    return cellFlags(index);
}

bool ResultsTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != StateColumn || !index.isValid())
        return false;
    if (dataFiller_.isModuleBusy(module_)) return false;
    const auto row = static_cast<std::size_t>(index.row());
    const std::int64_t state = value.value<Qt::CheckState>() == Qt::Unchecked ? 0 : 1;
    const bool written = dataFiller_.mainDataSource(module_).withLock([&](auto&, auto& rows) {
        if (row >= rows.size()) return false;
        qengine::row::setState(rows[row], state);
        return true;
    });
    if (written) reload();
    return written;
}

} // namespace qpages
