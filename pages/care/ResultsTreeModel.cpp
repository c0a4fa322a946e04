#include "pages/care/ResultsTreeModel.h"

#include "engine/DataFiller.h"
#include "platform/ui/ImageCache.h"

#include <QFileIconProvider>
#include <QFileInfo>

namespace qpages {

namespace {

Qt::CheckState checkState(std::int64_t state) {
    if (state == 1) return Qt::Checked;
    if (state == 0) return Qt::Unchecked;
    return Qt::PartiallyChecked;
}

// A group is ticked, unticked or mixed by its items; a group without items keeps its own state.
void settleGroupState(qengine::OutlineViewNode& group) {
    const auto& items = group.children();
    if (items.empty()) return;
    std::size_t ticked = 0;
    for (const auto& item : items)
        if (item->state() == 1) ++ticked;
    group.setState(ticked == items.size() ? 1 : (ticked == 0 ? 0 : -1));
}

QIcon iconOf(const qengine::NodeIcon& icon) {
    static const QFileIconProvider provider;
    switch (icon.kind) {
    case qengine::NodeIcon::Kind::FileIcon:
    case qengine::NodeIcon::Kind::ApplicationIcon:
        return provider.icon(QFileInfo(QString::fromStdString(icon.source)));
    case qengine::NodeIcon::Kind::GenericFolder:
        return provider.icon(QFileIconProvider::Folder);
    case qengine::NodeIcon::Kind::NamedImage:
        return QIcon(qui::namedImage(QString::fromStdString(icon.source)));
    default:
        return {};
    }
}

} // namespace

ResultsTreeModel::ResultsTreeModel(qengine::DataFiller& dataFiller, std::string module,
                                   QObject* parent)
    : QAbstractItemModel(parent), ResultsColumns(static_cast<QAbstractItemModel&>(*this)),
      dataFiller_(dataFiller), module_(std::move(module)) {
    reload();
}

void ResultsTreeModel::reload() {
    beginResetModel();
    groups_ = source_ ? source_() : dataFiller_.mainDataSource(module_).nodesSnapshot();
    endResetModel();
}

QModelIndex ResultsTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount) return {};
    if (!parent.isValid())
        return row < static_cast<int>(groups_.size()) ? createIndex(row, column, quintptr{0})
                                                      : QModelIndex();
    if (parent.internalId() != 0) return {};
    const auto& items = groups_[static_cast<std::size_t>(parent.row())]->children();
    if (row >= static_cast<int>(items.size())) return {};
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex ResultsTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0) return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr{0});
}

int ResultsTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(groups_.size());
    if (parent.internalId() != 0 || parent.column() != 0) return 0;
    return static_cast<int>(groups_[static_cast<std::size_t>(parent.row())]->children().size());
}

int ResultsTreeModel::columnCount(const QModelIndex&) const {
    return ColumnCount;
}

const qengine::OutlineViewNode* ResultsTreeModel::nodeAt(const QModelIndex& index) const {
    if (!index.isValid()) return nullptr;
    if (index.internalId() == 0) return groups_[static_cast<std::size_t>(index.row())].get();
    const auto& group = groups_[static_cast<std::size_t>(index.internalId() - 1)];
    return group->children()[static_cast<std::size_t>(index.row())].get();
}

QVariant ResultsTreeModel::data(const QModelIndex& index, int role) const {
    const auto* node = nodeAt(index);
    if (!node) return {};
    switch (index.column()) {
    case StateColumn:
        if (role == Qt::CheckStateRole) return checkState(node->state());
        break;
    case IconColumn:
        if (role == Qt::DecorationRole) return iconOf(node->icon());
        break;
    case TitleColumn:
        if (role == Qt::DisplayRole) return QString::fromStdString(node->title());
        if (role == Qt::ToolTipRole) return QString::fromStdString(node->fullPath());
        break;
    case SizeColumn:
        return sizeCell(dataFiller_.sizeLangTokens(), node->size(), role);
    default:
        break;
    }
    return {};
}

QVariant ResultsTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return headerText(section, orientation, role);
}

Qt::ItemFlags ResultsTreeModel::flags(const QModelIndex& index) const {
    return cellFlags(index);
}

bool ResultsTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != StateColumn || !nodeAt(index)) return false;
    const bool ticked = value.value<Qt::CheckState>() != Qt::Unchecked;
    if (tickWriter_) {
        if (dataFiller_.isModuleBusy(module_)) return false;
        const bool isGroup = index.internalId() == 0;
        const auto group = static_cast<std::size_t>(isGroup ? index.row() : index.internalId() - 1);
        const auto item = isGroup
                              ? std::nullopt
                              : std::optional<std::size_t>(static_cast<std::size_t>(index.row()));
        return tickWriter_(group, item, *nodeAt(index), ticked);
    }
    if (!writeState(index, ticked ? 1 : 0)) return false;
    reload();
    return true;
}

bool ResultsTreeModel::writeState(const QModelIndex& index, std::int64_t state) {
    // The worker appends and removes while it runs; ticks wait until it has finished.
    if (dataFiller_.isModuleBusy(module_)) return false;
    const bool isGroup = index.internalId() == 0;
    const auto groupRow = static_cast<std::size_t>(isGroup ? index.row() : index.internalId() - 1);
    const auto itemRow = static_cast<std::size_t>(index.row());
    return dataFiller_.mainDataSource(module_).withLock([&](auto& nodes, auto&) {
        if (groupRow >= nodes.size()) return false;
        auto& group = *nodes[groupRow];
        if (isGroup) {
            group.setState(state);
            for (auto& item : group.children())
                item->setState(state);
            return true;
        }
        if (itemRow >= group.children().size()) return false;
        group.children()[itemRow]->setState(state);
        settleGroupState(group);
        return true;
    });
}

} // namespace qpages
