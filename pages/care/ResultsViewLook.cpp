#include "pages/care/ResultsViewLook.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

namespace qpages {

void ResultsViewLook::apply(QAbstractItemView* view, QHeaderView* header, int titleColumn) {
    view->setIconSize(QSize(16, 16));
    view->setAlternatingRowColors(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
        tree->setUniformRowHeights(true);
        tree->setIndentation(16);
        // The branch arrows and indentation belong to the title, so the tick and icon columns
        // stay as narrow as the table's.
        tree->setTreePosition(titleColumn);
        tree->setStyleSheet(QStringLiteral("QTreeView::item { height: %1px; }").arg(kRowHeight));
    }
    if (auto* table = qobject_cast<QTableView*>(view)) {
        table->setShowGrid(false);
        table->setWordWrap(false);
        table->verticalHeader()->setVisible(false);
        table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    }
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(kTickColumnWidth);
    const int count = header->count();
    for (int column = 0; column < count; ++column) {
        if (column == titleColumn) {
            header->setSectionResizeMode(column, QHeaderView::Stretch);
            continue;
        }
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        const int width = column == 0   ? kTickColumnWidth
                          : column == 1 ? kIconColumnWidth
                          : column == 3 ? kSizeColumnWidth
                                        : kDateColumnWidth;
        header->resizeSection(column, width);
    }
}

} // namespace qpages
