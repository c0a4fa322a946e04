#pragma once

#include "pages/care/ResultsTreeModel.h"

namespace qpages {

class DuplicateResults;

// The duplicate groups the type filter shows, with their copies. Ticks follow the rules of
// DuplicateResults (a group's kept copy is never ticked, a tick that would leave no copy is
// refused) and sorts reorder the shown groups, whether or not a filter is applied.
class DuplicatesTreeModel : public ResultsTreeModel {
    Q_OBJECT
public:
    DuplicatesTreeModel(qengine::DataFiller& dataFiller, DuplicateResults& results,
                        QObject* parent = nullptr);

    bool tick(const QModelIndex& index, std::int64_t state) override;
    bool tickAll(std::int64_t state) override;
    bool sortBy(int column, bool descending) override;

protected:
    Nodes snapshot() const override;

private:
    DuplicateResults& results_;
};

} // namespace qpages
