#include "pages/tools/DuplicatesTreeModel.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "pages/tools/DuplicateResults.h"

namespace qpages {

DuplicatesTreeModel::DuplicatesTreeModel(qengine::DataFiller& dataFiller, DuplicateResults& results,
                                         QObject* parent)
    : ResultsTreeModel(dataFiller, qengine::modules::kDuplicatesFinder, parent), results_(results) {
    reload();
}

ResultsTreeModel::Nodes DuplicatesTreeModel::snapshot() const {
    return results_.shownSnapshot();
}

bool DuplicatesTreeModel::tick(const QModelIndex& index, std::int64_t state) {
    const Node* shown = nodeAt(index);
    if (!shown || dataFiller().isModuleBusy(module())) return false;
    const auto click =
        isGroupRow(index)
            ? results_.clickGroup(static_cast<std::size_t>(index.row()), shown->title())
            : results_.clickCopy(static_cast<std::size_t>(index.parent().row()),
                                 static_cast<std::size_t>(index.row()), shown->fullPath(),
                                 state != 0);
    // A refused tick changes nothing, not even the view.
    if (click == DuplicateResults::Click::Refused) return false;
    reload();
    if (click == DuplicateResults::Click::Ignored) return false;
    emit ticksChanged();
    return true;
}

bool DuplicatesTreeModel::tickAll(std::int64_t state) {
    if (dataFiller().isModuleBusy(module())) return false;
    results_.checkUncheckAll(state != 0);
    reload();
    emit ticksChanged();
    return true;
}

bool DuplicatesTreeModel::sortBy(int column, bool descending) {
    if (column < 0 || column >= static_cast<int>(columns().size())) return false;
    if (dataFiller().isModuleBusy(module())) return false;
    const QString& identifier = columns()[static_cast<std::size_t>(column)].identifier;
    if (identifier != columns::kSize && identifier != columns::kTitle) return false;
    results_.totals();
    results_.sort(identifier == columns::kSize ? DuplicateResults::SortKey::Size
                                               : DuplicateResults::SortKey::Title,
                  descending);
    results_.updateParentIndexForDups();
    results_.applyMediaRule();
    reload();
    return true;
}

} // namespace qpages
