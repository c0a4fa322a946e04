#include "pages/care/ResultsTreeModel.h"

#include "engine/DataFiller.h"
#include "platform/core/Log.h"
#include "toolkit/SpokenNames.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace qpages {

namespace {

Qt::CheckState checkState(std::int64_t state) {
    if (state == 1) return Qt::Checked;
    if (state == 0) return Qt::Unchecked;
    return Qt::PartiallyChecked;
}

// The internal id of an index tells a group row (2g) from an item row of group g (2g + 1),
// spread by an odd multiplier. Qt hashes an index by (row << 4) + column + internal id, and the
// views keep their open groups and current row in hash tables of indexes: plain small ids pile
// the rows of a long list into a few runs of buckets, and every lookup becomes a walk.
constexpr quintptr kSpread = static_cast<quintptr>(0x9E3779B97F4A7C15ULL);

constexpr quintptr inverseOf(quintptr odd) {
    quintptr inverse = odd; // right in the lowest three bits; each step doubles that
    for (int step = 0; step < 6; ++step)
        inverse *= 2 - odd * inverse;
    return inverse;
}
constexpr quintptr kGather = inverseOf(kSpread);
static_assert(kSpread * kGather == 1);

constexpr quintptr groupRowId(std::size_t group) {
    return static_cast<quintptr>(2 * group) * kSpread;
}
constexpr quintptr itemRowId(std::size_t group) {
    return static_cast<quintptr>(2 * group + 1) * kSpread;
}

struct Place {
    bool isGroup;
    // The group's row, or for an item its group's.
    std::size_t group;
};

Place placeOf(const QModelIndex& index) {
    const quintptr id = index.internalId() * kGather;
    return {(id & 1) == 0, static_cast<std::size_t>(id >> 1)};
}

} // namespace

ResultsTreeModel::ResultsTreeModel(qengine::DataFiller& dataFiller, std::string module,
                                   QObject* parent)
    : QAbstractItemModel(parent), dataFiller_(dataFiller), module_(std::move(module)),
      columns_(standardColumns(dataFiller)) {
    reload();
}

std::vector<ResultsTreeModel::Column>
ResultsTreeModel::standardColumns(const qengine::DataFiller& dataFiller) {
    const qengine::DataFiller* engine = &dataFiller;
    std::vector<Column> list;
    list.push_back({columns::kCheck, {}, {}, {}});
    list.push_back({columns::kIcon,
                    {},
                    [](const Node& node, int role) -> QVariant {
                        if (role == Qt::DecorationRole) return columns::iconOf(node.icon());
                        return {};
                    },
                    {}});
    list.push_back(
        {columns::kTitle,
         {},
         [](const Node& node, int role) -> QVariant {
             if (role == Qt::DisplayRole) return QString::fromStdString(node.title());
             if (role == Qt::ToolTipRole) return QString::fromStdString(node.fullPath());
             return {};
         },
         [](const Node& a, const Node& b) { return columns::compareTexts(a.title(), b.title()); }});
    list.push_back({columns::kSize,
                    {},
                    [engine](const Node& node, int role) {
                        return columns::sizeCell(*engine, node.size(), role);
                    },
                    [](const Node& a, const Node& b) {
                        return columns::threeWay(a.sizeInBytes(), b.sizeInBytes());
                    }});
    return list;
}

void ResultsTreeModel::setColumns(std::vector<Column> list) {
    beginResetModel();
    columns_ = std::move(list);
    endResetModel();
}

void ResultsTreeModel::setHeader(int column, const QString& text) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    columns_[static_cast<std::size_t>(column)].header = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

// --- Snapshot --------------------------------------------------------------------------------

ResultsTreeModel::Nodes ResultsTreeModel::snapshot() const {
    return dataFiller_.mainDataSource(module_).nodesSnapshot();
}

void ResultsTreeModel::reload() {
    Nodes next = snapshot();
    if (sameShape(next)) return takeChangedData(std::move(next));
    if (const auto reorder = reorderOf(next)) return takeReorder(std::move(next), *reorder);
    beginResetModel();
    groups_ = std::move(next);
    endResetModel();
}

bool ResultsTreeModel::sameNode(const Node* shown, const Node* current) {
    if (!shown || !current) return false;
    return shown->isDirectory() == current->isDirectory() &&
           shown->fullPath() == current->fullPath() && shown->title() == current->title();
}

bool ResultsTreeModel::showsTheSame(const Node& shown, const Node& current) {
    return shown.state() == current.state() && shown.size() == current.size() &&
           shown.icon() == current.icon() && shown.title() == current.title() &&
           shown.fullPath() == current.fullPath();
}

bool ResultsTreeModel::sameShape(const Nodes& next) const {
    if (next.size() != groups_.size()) return false;
    for (std::size_t g = 0; g < next.size(); ++g) {
        if (!sameNode(groups_[g].get(), next[g].get())) return false;
        const auto& shown = groups_[g]->children();
        const auto& current = next[g]->children();
        if (shown.size() != current.size()) return false;
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (!sameNode(shown[i].get(), current[i].get())) return false;
    }
    return true;
}

namespace {

using NodeKey = std::tuple<bool, std::string, std::string>;

NodeKey keyOf(const qengine::OutlineViewNode& node) {
    return {node.isDirectory(), node.fullPath(), node.title()};
}

// For each node of `shown`, its row among `next` (each row matched once); empty when the two
// lists do not hold the same nodes.
std::optional<std::vector<int>> rowsIn(const ResultsTreeModel::Nodes& shown,
                                       const ResultsTreeModel::Nodes& next) {
    if (shown.size() != next.size()) return std::nullopt;
    std::map<NodeKey, std::vector<int>> free;
    for (std::size_t i = next.size(); i-- > 0;) {
        if (!next[i]) return std::nullopt;
        free[keyOf(*next[i])].push_back(static_cast<int>(i));
    }
    std::vector<int> rows;
    rows.reserve(shown.size());
    for (const auto& node : shown) {
        if (!node) return std::nullopt;
        auto found = free.find(keyOf(*node));
        if (found == free.end() || found->second.empty()) return std::nullopt;
        rows.push_back(found->second.back());
        found->second.pop_back();
    }
    return rows;
}

} // namespace

std::optional<ResultsTreeModel::Reorder> ResultsTreeModel::reorderOf(const Nodes& next) const {
    auto groupRows = rowsIn(groups_, next);
    if (!groupRows) return std::nullopt;
    Reorder reorder{std::move(*groupRows), {}};
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const auto& moved = next[static_cast<std::size_t>(reorder.groupRow[g])];
        auto itemRows = rowsIn(groups_[g]->children(), moved->children());
        if (!itemRows) return std::nullopt;
        reorder.itemRow.push_back(std::move(*itemRows));
    }
    return reorder;
}

void ResultsTreeModel::takeReorder(Nodes next, const Reorder& reorder) {
    emit layoutAboutToBeChanged();
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from) {
        const auto row = static_cast<std::size_t>(index.row());
        const Place place = placeOf(index);
        if (place.isGroup) {
            const int newRow = reorder.groupRow.at(row);
            to.push_back(
                createIndex(newRow, index.column(), groupRowId(static_cast<std::size_t>(newRow))));
            continue;
        }
        const auto newGroup = static_cast<std::size_t>(reorder.groupRow.at(place.group));
        to.push_back(createIndex(reorder.itemRow.at(place.group).at(row), index.column(),
                                 itemRowId(newGroup)));
    }
    groups_ = std::move(next);
    changePersistentIndexList(from, to);
    emit layoutChanged();
}

namespace {

// A tree view pays for a dataChanged of item rows with a walk of all its rows for each item of
// a closed group, so item changes are announced row by row only while they are few; more
// become one layout change, which the view answers with one pass over the rows it shows.
constexpr std::size_t kAnnouncedItemRanges = 8;
constexpr int kAnnouncedItemRows = 64;

struct RowRange {
    int first = -1;
    int last = -1;
    void add(int row) {
        if (first < 0) first = row;
        last = row;
    }
    bool empty() const { return first < 0; }
    int size() const { return empty() ? 0 : last - first + 1; }
};

} // namespace

void ResultsTreeModel::takeChangedData(Nodes next) {
    RowRange groupRows;
    std::vector<std::pair<int, RowRange>> itemRows;
    int announcedItemRows = 0;
    bool asLayout = false;
    for (std::size_t g = 0; g < next.size() && !asLayout; ++g) {
        if (!showsTheSame(*groups_[g], *next[g])) groupRows.add(static_cast<int>(g));
        const auto& shown = groups_[g]->children();
        const auto& current = next[g]->children();
        RowRange items;
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (!showsTheSame(*shown[i], *current[i])) items.add(static_cast<int>(i));
        if (items.empty()) continue;
        announcedItemRows += items.size();
        itemRows.emplace_back(static_cast<int>(g), items);
        asLayout = itemRows.size() > kAnnouncedItemRanges || announcedItemRows > kAnnouncedItemRows;
    }
    if (asLayout) {
        // No row moves: the views' open groups, selection and current row stay where they are.
        emit layoutAboutToBeChanged();
        groups_ = std::move(next);
        emit layoutChanged();
        return;
    }
    groups_ = std::move(next);
    const int lastColumn = columnCount() - 1;
    if (lastColumn < 0) return;
    if (!groupRows.empty())
        emit dataChanged(index(groupRows.first, 0), index(groupRows.last, lastColumn));
    for (const auto& [group, items] : itemRows) {
        const QModelIndex parent = index(group, 0);
        emit dataChanged(index(items.first, 0, parent), index(items.last, lastColumn, parent));
    }
}

const ResultsTreeModel::Node* ResultsTreeModel::nodeAt(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) return nullptr;
    const auto row = static_cast<std::size_t>(index.row());
    const Place place = placeOf(index);
    if (place.isGroup) return row < groups_.size() ? groups_[row].get() : nullptr;
    if (place.group >= groups_.size()) return nullptr;
    const auto& items = groups_[place.group]->children();
    return row < items.size() ? items[row].get() : nullptr;
}

bool ResultsTreeModel::isGroupRow(const QModelIndex& index) const {
    return nodeAt(index) && placeOf(index).isGroup;
}

// --- Ticks and sorting ----------------------------------------------------------------------

bool ResultsTreeModel::tick(const QModelIndex& index, std::int64_t state) {
    const Node* shown = nodeAt(index);
    if (!shown) return false;
    if (dataFiller_.isModuleBusy(module_)) return false;
    const Place place = placeOf(index);
    const bool isGroup = place.isGroup;
    const std::size_t group = place.group;
    std::optional<std::size_t> item;
    if (!isGroup) item = static_cast<std::size_t>(index.row());
    const Node* shownGroup = groups_[group].get();
    const bool written = dataFiller_.mainDataSource(module_).withLock([&](Nodes& nodes, auto&) {
        // The list may have changed since the view read it: write only to the same rows.
        if (group >= nodes.size() || !sameNode(shownGroup, nodes[group].get())) return false;
        if (item) {
            const auto& items = nodes[group]->children();
            if (*item >= items.size() || !sameNode(shown, items[*item].get())) return false;
        }
        return applyTick(nodes, group, item, state);
    });
    if (!written) {
        qcore::log(module_, ": tick refused for a row that is no longer listed as shown");
        reload();
        return false;
    }
    reload();
    emit ticksChanged();
    return true;
}

bool ResultsTreeModel::tickAll(std::int64_t state) {
    if (dataFiller_.isModuleBusy(module_)) return false;
    dataFiller_.mainDataSource(module_).withLock([state](Nodes& nodes, auto&) {
        for (const auto& group : nodes) {
            if (!group) continue;
            for (const auto& item : group->children())
                if (item) item->setState(state);
            group->setState(groupStateOf(*group));
        }
    });
    reload();
    emit ticksChanged();
    return true;
}

bool ResultsTreeModel::applyTick(Nodes& groups, std::size_t group, std::optional<std::size_t> item,
                                 std::int64_t state) {
    Node& g = *groups[group];
    if (!item) {
        const std::int64_t groupState = g.children().empty() ? 0 : state;
        g.setState(groupState);
        for (const auto& child : g.children())
            if (child) child->setState(groupState);
        return true;
    }
    g.children()[*item]->setState(state);
    g.setState(groupStateOf(g));
    return true;
}

std::int64_t ResultsTreeModel::groupStateOf(const Node& group) {
    const auto& items = group.children();
    if (items.empty()) return 0;
    const auto ticked = std::count_if(items.begin(), items.end(),
                                      [](const auto& item) { return item && item->state() == 1; });
    if (static_cast<std::size_t>(ticked) == items.size()) return 1;
    return ticked > 0 ? -1 : 0;
}

bool ResultsTreeModel::sortBy(int column, bool descending) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return false;
    const auto compare = columns_[static_cast<std::size_t>(column)].compare;
    if (!compare || dataFiller_.isModuleBusy(module_)) return false;
    const auto before = [&](const Node::Ptr& a, const Node::Ptr& b) {
        if (!a || !b) return false;
        return descending ? compare(*b, *a) < 0 : compare(*a, *b) < 0;
    };
    dataFiller_.mainDataSource(module_).withLock([&](Nodes& nodes, auto&) {
        for (const auto& group : nodes)
            if (group) std::stable_sort(group->children().begin(), group->children().end(), before);
        std::stable_sort(nodes.begin(), nodes.end(), before);
    });
    dataFiller_.updateParentIndex(module_);
    reload();
    return true;
}

// --- Qt model --------------------------------------------------------------------------------

QModelIndex ResultsTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= columnCount()) return {};
    if (!parent.isValid())
        return row < static_cast<int>(groups_.size())
                   ? createIndex(row, column, groupRowId(static_cast<std::size_t>(row)))
                   : QModelIndex();
    if (!placeOf(parent).isGroup) return {};
    const auto group = static_cast<std::size_t>(parent.row());
    if (group >= groups_.size() || row >= static_cast<int>(groups_[group]->children().size()))
        return {};
    return createIndex(row, column, itemRowId(group));
}

QModelIndex ResultsTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    const Place place = placeOf(child);
    if (place.isGroup) return {};
    return createIndex(static_cast<int>(place.group), 0, groupRowId(place.group));
}

int ResultsTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(groups_.size());
    if (!placeOf(parent).isGroup || parent.column() != 0) return 0;
    const Node* group = nodeAt(parent);
    return group ? static_cast<int>(group->children().size()) : 0;
}

int ResultsTreeModel::columnCount(const QModelIndex&) const {
    return static_cast<int>(columns_.size());
}

QVariant ResultsTreeModel::data(const QModelIndex& index, int role) const {
    const Node* node = nodeAt(index);
    if (!node || index.column() >= columnCount()) return {};
    if (isCheckColumn(index.column())) {
        if (role == Qt::CheckStateRole) return static_cast<int>(checkState(node->state()));
        if (role == Qt::AccessibleTextRole)
            return qtk::SpokenNames::tickCell(index, columnIndex(columns::kTitle));
        return {};
    }
    const auto& cell = columns_[static_cast<std::size_t>(index.column())].cell;
    return cell ? cell(*node, role) : QVariant();
}

QVariant ResultsTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return headerOf(dataFiller_, columns_, section, orientation, role);
}

Qt::ItemFlags ResultsTreeModel::flags(const QModelIndex& index) const {
    if (!nodeAt(index)) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isCheckColumn(index.column())) result |= Qt::ItemIsUserCheckable;
    return result;
}

bool ResultsTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !isCheckColumn(index.column())) return false;
    // A mixed value (a check box cycling through it) counts as ticked.
    const bool ticked = value.toInt() != Qt::Unchecked;
    return tick(index, ticked ? 1 : 0);
}

bool ResultsTreeModel::isCheckColumn(int column) const {
    return column >= 0 && column < columnCount() &&
           columns_[static_cast<std::size_t>(column)].identifier == columns::kCheck;
}

} // namespace qpages
