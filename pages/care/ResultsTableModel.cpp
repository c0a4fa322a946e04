#include "pages/care/ResultsTableModel.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "platform/core/Log.h"
#include "toolkit/SpokenNames.h"

#include <algorithm>
#include <cctype>

namespace qpages {

namespace {

namespace row = qengine::row;

std::string nameOf(const qengine::ModuleRow& r) {
    const auto it = r.find(row::kName);
    if (it != r.end() && it->second.isString()) return it->second.toString();
    return columns::lastPathComponent(row::fullPath(r));
}

bool isByteCount(const qcore::Value& v) {
    if (!v.isString()) return true;
    const std::string text = v.toString();
    const auto first = text.find_first_not_of(' ');
    return first != std::string::npos &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(first), text.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

} // namespace

ResultsTableModel::ResultsTableModel(qengine::DataFiller& dataFiller, std::string module,
                                     QObject* parent)
    : QAbstractTableModel(parent), dataFiller_(dataFiller), module_(std::move(module)),
      columns_(standardColumns(dataFiller)) {
    reload();
}

std::vector<ResultsTableModel::Column>
ResultsTableModel::standardColumns(const qengine::DataFiller& dataFiller) {
    const qengine::DataFiller* engine = &dataFiller;
    std::vector<Column> list;
    list.push_back({columns::kState, {}, {}, {}});
    list.push_back({columns::kIcon,
                    {},
                    [](const Row& r, int role) -> QVariant {
                        if (role == Qt::DecorationRole) return columns::fileIcon(row::fullPath(r));
                        return {};
                    },
                    {}});
    list.push_back(
        {columns::kTitle,
         {},
         [](const Row& r, int role) -> QVariant {
             if (role == Qt::DisplayRole)
                 return QString::fromStdString(columns::lastPathComponent(row::fullPath(r)));
             if (role == Qt::ToolTipRole) return QString::fromStdString(row::fullPath(r));
             return {};
         },
         [](const Row& a, const Row& b) { return columns::compareTexts(nameOf(a), nameOf(b)); }});
    list.push_back(
        {columns::kSize,
         {},
         [engine](const Row& r, int role) {
             return columns::sizeCell(*engine, qengine::FileOperations::textOf(row::size(r)), role);
         },
         [](const Row& a, const Row& b) { return columns::threeWay(row::size(a), row::size(b)); }});
    return list;
}

void ResultsTableModel::setColumns(std::vector<Column> list) {
    beginResetModel();
    columns_ = std::move(list);
    endResetModel();
}

void ResultsTableModel::setHeader(int column, const QString& text) {
    if (column < 0 || column >= columnCount()) return;
    columns_[static_cast<std::size_t>(column)].header = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void ResultsTableModel::reload() {
    if (appendNewRows()) return;
    Rows next = dataFiller_.mainDataSource(module_).rowsSnapshot();
    const bool sameRows =
        next.size() == rows_.size() &&
        std::equal(next.begin(), next.end(), rows_.begin(),
                   [](const Row& a, const Row& b) { return row::fullPath(a) == row::fullPath(b); });
    if (sameRows) {
        rows_ = std::move(next);
        if (!rows_.empty() && columnCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    } else {
        beginResetModel();
        rows_ = std::move(next);
        endResetModel();
    }
    logOddSizes();
}

// While a scan appends, the rows shown stay as they are and only the new ones are copied.
bool ResultsTableModel::appendNewRows() {
    if (rows_.empty()) return false;
    Rows added;
    const bool appended =
        dataFiller_.mainDataSource(module_).withLock([&](auto&, const Rows& rows) {
            const std::size_t shown = rows_.size();
            if (rows.size() <= shown) return false;
            if (row::fullPath(rows.front()) != row::fullPath(rows_.front()) ||
                row::fullPath(rows[shown - 1]) != row::fullPath(rows_.back()))
                return false;
            added.assign(rows.begin() + static_cast<std::ptrdiff_t>(shown), rows.end());
            return true;
        });
    if (!appended) return false;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
    for (auto& r : added)
        rows_.push_back(std::move(r));
    endInsertRows();
    logOddSizes(static_cast<std::size_t>(first));
    return true;
}

void ResultsTableModel::logOddSizes(std::size_t from) {
    for (std::size_t i = from; i < rows_.size(); ++i) {
        const auto& r = rows_[i];
        const auto it = r.find(row::kSize);
        if (it == r.end() || isByteCount(it->second)) continue;
        const std::string path = row::fullPath(r);
        if (loggedOddSizes_.insert(path).second)
            qcore::log(module_, ": size \"", it->second.toString(), "\" of ", path,
                       " is no byte count; counted as 0");
    }
}

const ResultsTableModel::Row* ResultsTableModel::rowAt(int r) const {
    if (r < 0 || r >= rowCount()) return nullptr;
    return &rows_[static_cast<std::size_t>(r)];
}

bool ResultsTableModel::tick(int r, std::int64_t state) {
    const Row* shown = rowAt(r);
    if (!shown || dataFiller_.isModuleBusy(module_)) return false;
    const std::string path = row::fullPath(*shown);
    const auto index = static_cast<std::size_t>(r);
    const bool written = dataFiller_.mainDataSource(module_).withLock([&](auto&, Rows& rows) {
        // The list may have changed since the view read it: write only to the same row.
        if (index >= rows.size() || row::fullPath(rows[index]) != path) return false;
        return applyTick(rows, index, state);
    });
    if (!written) qcore::log(module_, ": tick refused for a row that is no longer listed as shown");
    reload();
    if (written) emit ticksChanged();
    return written;
}

bool ResultsTableModel::applyTick(Rows& rows, std::size_t r, std::int64_t state) {
    row::setState(rows[r], state);
    return true;
}

bool ResultsTableModel::tickAll(std::int64_t state) {
    if (dataFiller_.isModuleBusy(module_)) return false;
    dataFiller_.mainDataSource(module_).withLock([state](auto&, Rows& rows) {
        for (auto& r : rows)
            row::setState(r, state);
    });
    reload();
    emit ticksChanged();
    return true;
}

bool ResultsTableModel::sortBy(int column, bool descending) {
    if (column < 0 || column >= columnCount()) return false;
    const auto compare = columns_[static_cast<std::size_t>(column)].compare;
    if (!compare || dataFiller_.isModuleBusy(module_)) return false;
    dataFiller_.mainDataSource(module_).withLock([&](auto&, Rows& rows) {
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
            return descending ? compare(b, a) < 0 : compare(a, b) < 0;
        });
    });
    reload();
    return true;
}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ResultsTableModel::data(const QModelIndex& index, int role) const {
    const Row* r = index.isValid() ? rowAt(index.row()) : nullptr;
    if (!r || index.column() >= columnCount()) return {};
    if (isStateColumn(index.column())) {
        if (role == Qt::CheckStateRole)
            return static_cast<int>(row::isChecked(*r) ? Qt::Checked : Qt::Unchecked);
        if (role == Qt::AccessibleTextRole)
            return qtk::SpokenNames::tickCell(index, columnIndex(columns::kTitle));
        return {};
    }
    const auto& cell = columns_[static_cast<std::size_t>(index.column())].cell;
    return cell ? cell(*r, role) : QVariant();
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return headerOf(dataFiller_, columns_, section, orientation, role);
}

Qt::ItemFlags ResultsTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !rowAt(index.row())) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isStateColumn(index.column())) result |= Qt::ItemIsUserCheckable;
    return result;
}

bool ResultsTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || !isStateColumn(index.column()))
        return false;
    return tick(index.row(), value.toInt() == Qt::Unchecked ? 0 : 1);
}

bool ResultsTableModel::isStateColumn(int column) const {
    return column >= 0 && column < columnCount() &&
           columns_[static_cast<std::size_t>(column)].identifier == columns::kState;
}

} // namespace qpages
