#pragma once

#include "platform/core/Value.h"

#include <QAbstractItemModel>

#include <string>

namespace qpages {

// What the flat and the tree results models have in common: their columns ("state" (tick),
// "icon", "title", "size"), the titles of the title and size columns shown in the horizontal
// header, the flags of a cell and the text of the size column. The model it serves is the one that
// derives from it; header changes are announced through that model.
class ResultsColumns {
public:
    enum Column { StateColumn = 0, IconColumn, TitleColumn, SizeColumn, ColumnCount };

    void setHeaderTitles(const QString& title, const QString& size);

protected:
    explicit ResultsColumns(QAbstractItemModel& model);
    ~ResultsColumns() = default;
    ResultsColumns(const ResultsColumns&) = delete;
    ResultsColumns& operator=(const ResultsColumns&) = delete;

    QVariant headerText(int section, Qt::Orientation orientation, int role) const;
    static Qt::ItemFlags cellFlags(const QModelIndex& index);
    // The size column for `role`: the engine's byte count in the applicable unit, right-aligned.
    static QVariant sizeCell(const qcore::Dictionary& unitWords, const std::string& bytes,
                             int role);

private:
    QAbstractItemModel& model_;
    QString titleHeader_;
    QString sizeHeader_;
};

} // namespace qpages
