#include "pages/tools/MiscCleaningTableModel.h"

#include "platform/ui/GuiWorkspace.h"
#include "toolkit/SpokenNames.h"

namespace qpages {

MiscCleaningTableModel::MiscCleaningTableModel(SizeText sizeText, TickRequest tick, QObject* parent)
    : QAbstractTableModel(parent), sizeText_(std::move(sizeText)), tick_(std::move(tick)) {}

void MiscCleaningTableModel::reload(std::vector<MiscCleaningRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void MiscCleaningTableModel::setHeaderTitles(const QString& name, const QString& size) {
    nameTitle_ = name;
    sizeTitle_ = size;
    emit headerDataChanged(Qt::Horizontal, NameColumn, SizeColumn);
}

void MiscCleaningTableModel::setSpokenHeaders(const QString& tick, const QString& icon) {
    tickWord_ = tick;
    iconWord_ = icon;
    emit headerDataChanged(Qt::Horizontal, CheckColumn, IconColumn);
}

QString MiscCleaningTableModel::identifier(int column) {
    switch (column) {
    case CheckColumn:
        return QStringLiteral("checkState");
    case IconColumn:
        return QStringLiteral("icon");
    case NameColumn:
        return QStringLiteral("name");
    case SizeColumn:
        return QStringLiteral("size");
    default:
        return {};
    }
}

int MiscCleaningTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MiscCleaningTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MiscCleaningTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto& row = rows_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case CheckColumn:
        if (role == Qt::CheckStateRole) return row.isChecked() ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::AccessibleTextRole) return qtk::SpokenNames::tickCell(index, NameColumn);
        break;
    case IconColumn:
        if (role == Qt::DecorationRole) return iconFor(row.iconPath);
        break;
    case NameColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return QString::fromStdString(row.name);
        break;
    case SizeColumn:
        if (role == Qt::DisplayRole) return sizeText_ ? sizeText_(row.bytes()) : QString();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        break;
    default:
        break;
    }
    return {};
}

bool MiscCleaningTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != CheckColumn || role != Qt::CheckStateRole)
        return false;
    const int state = value.toInt() == Qt::Checked ? 1 : 0;
    if (tick_) tick_(index.row(), state);
    return true;
}

Qt::ItemFlags MiscCleaningTableModel::flags(const QModelIndex& index) const {
    auto flags = QAbstractTableModel::flags(index);
    if (index.column() == CheckColumn) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant MiscCleaningTableModel::headerData(int section, Qt::Orientation orientation,
                                            int role) const {
    if (orientation != Qt::Horizontal) return {};
    QString title;
    if (section == NameColumn) title = nameTitle_;
    if (section == SizeColumn) title = sizeTitle_;
    if (role == Qt::DisplayRole) return title;
    if (role != Qt::AccessibleTextRole) return {};
    return qtk::SpokenNames::header(title, section == CheckColumn  ? tickWord_
                                           : section == IconColumn ? iconWord_
                                                                   : QString());
}

QIcon MiscCleaningTableModel::iconFor(const std::string& path) const {
    const QString key = QString::fromStdString(path);
    auto it = icons_.find(key);
    if (it == icons_.end()) it = icons_.insert(key, qui::GuiWorkspace::iconForFile(key));
    return *it;
}

} // namespace qpages
