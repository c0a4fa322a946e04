#pragma once

#include "platform/core/Value.h"

#include <QIcon>
#include <QString>
#include <QVariant>

#include <functional>
#include <string>
#include <vector>

namespace qengine {
class DataFiller;
struct NodeIcon;
} // namespace qengine

namespace qpages {

// One column of a results view, told apart by its identifier ("state"/"check", "icon", "title",
// "size", or a page's own). A page describes its columns with these; the models and the page
// never test a column by its position except for the header texts the language table gives.
template <typename Row> struct ResultsColumn {
    QString identifier;
    QString header;
    // The cell for a Qt role; an empty function (or an invalid answer) shows nothing.
    std::function<QVariant(const Row&, int role)> cell;
    // Three-way comparison for the column sort (negative, 0, positive); empty: the column does
    // not sort.
    std::function<int(const Row&, const Row&)> compare;

    bool isSortable() const { return static_cast<bool>(compare); }
};

namespace columns {

inline const QString kState = QStringLiteral("state");
inline const QString kCheck = QStringLiteral("check");
inline const QString kIcon = QStringLiteral("icon");
inline const QString kTitle = QStringLiteral("title");
inline const QString kSize = QStringLiteral("size");
inline const QString kModifiedDate = QStringLiteral("mDate");

// Three-way comparisons, equal keys comparing equal so both directions keep ties in order.
template <typename T> int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}
// Literal, case-sensitive comparison of the texts' code points (upper case before lower).
int compareTexts(const std::string& a, const std::string& b);

// The size cell: the byte count in its unit, right-aligned.
QVariant sizeCell(const qengine::DataFiller& engine, const std::string& bytes, int role);

// The 16 x 16 icon a row shows: a file's or folder's own, the generic folder or a named image.
QIcon iconOf(const qengine::NodeIcon& icon);
QIcon fileIcon(const std::string& path);

// The last path component ("a/b/c.log" -> "c.log"; a trailing slash is ignored).
std::string lastPathComponent(const std::string& path);

// What a screen reader says for a column's header: its title, or for the tick and icon columns,
// which show none, the language table's word for them.
QString spokenHeader(const qengine::DataFiller& engine, const QString& identifier,
                     const QString& header);

} // namespace columns

// Finds a column by identifier; -1 when there is none.
template <typename Row>
int columnIndexOf(const std::vector<ResultsColumn<Row>>& list, const QString& identifier) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].identifier == identifier) return static_cast<int>(i);
    return -1;
}

// A header of a results view for a Qt role: the column's title shown, and what a screen reader
// says for it.
template <typename Row>
QVariant headerOf(const qengine::DataFiller& engine, const std::vector<ResultsColumn<Row>>& list,
                  int section, Qt::Orientation orientation, int role) {
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(list.size()))
        return {};
    const ResultsColumn<Row>& column = list[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return column.header;
    if (role == Qt::AccessibleTextRole)
        return columns::spokenHeader(engine, column.identifier, column.header);
    return {};
}

} // namespace qpages
