#include "shell/preferences/LanguageTableModel.h"

#include "toolkit/SpokenNames.h"

namespace qshell {

LanguageTableModel::LanguageTableModel(PreferenceModel& preferences, QObject* parent)
    : QAbstractTableModel(parent), preferences_(preferences) {}

int LanguageTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(preferences_.languages().rows().size());
}

int LanguageTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LanguageTableModel::data(const QModelIndex& index, int role) const {
    const auto& rows = preferences_.languages().rows();
    if (!index.isValid() || index.row() >= static_cast<int>(rows.size())) return {};
    const LanguageRow& row = rows[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case CheckState:
        if (role == Qt::CheckStateRole) return row.checkState == 1 ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::AccessibleTextRole) return qtk::SpokenNames::tickCell(index, LangName);
        break;
    case LangName:
        if (role == Qt::DisplayRole) return QString::fromStdString(row.langName);
        break;
    case LangID:
        if (role == Qt::DisplayRole) return QString::fromStdString(row.langID);
        break;
    default:
        break;
    }
    return {};
}

QVariant LanguageTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    QString title;
    if (section == LangName) title = tr("Language");
    if (section == LangID) title = tr("Code");
    if (role == Qt::DisplayRole) return title;
    if (role != Qt::AccessibleTextRole) return {};
    // The tick column shows no title.
    const QString tick = QString::fromStdString(preferences_.textFor({{}, "GRP_CMN", "ID_SELECT"}));
    return qtk::SpokenNames::header(title, section == CheckState ? tick : QString());
}

Qt::ItemFlags LanguageTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == CheckState) f |= Qt::ItemIsUserCheckable;
    return f;
}

bool LanguageTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != CheckState || role != Qt::CheckStateRole)
        return false;
    const int state = value.toInt() == Qt::Checked ? 1 : 0;
    if (!preferences_.setLanguageCheckState(static_cast<std::size_t>(index.row()), state))
        return false;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

void LanguageTableModel::reload() {
    beginResetModel();
    endResetModel();
}

} // namespace qshell
