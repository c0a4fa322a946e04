#pragma once

#include "pages/tools/MiscCleaningRow.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>

#include <functional>
#include <vector>

namespace qpages {

// The Misc Cleaning table: a snapshot of the selected list in four columns, the check box,
// the icon, the name and the size. A tick is handed to the page, which decides whether it
// stands.
class MiscCleaningTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CheckColumn, IconColumn, NameColumn, SizeColumn, ColumnCount };

    using SizeText = std::function<QString(std::uint64_t)>;
    using TickRequest = std::function<void(int row, int state)>;

    MiscCleaningTableModel(SizeText sizeText, TickRequest tick, QObject* parent = nullptr);

    // Shows `rows` (a snapshot taken under the list's lock).
    void reload(std::vector<MiscCleaningRow> rows);
    void setHeaderTitles(const QString& name, const QString& size);
    // What a screen reader says for the headers of the tick and icon columns, which show none.
    void setSpokenHeaders(const QString& tick, const QString& icon);
    const std::vector<MiscCleaningRow>& rows() const { return rows_; }
    // The row key a column shows ("checkState", "icon", "name", "size").
    static QString identifier(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QIcon iconFor(const std::string& path) const;

    SizeText sizeText_;
    TickRequest tick_;
    std::vector<MiscCleaningRow> rows_;
    QString nameTitle_;
    QString sizeTitle_;
    QString tickWord_;
    QString iconWord_;
    mutable QHash<QString, QIcon> icons_;
};

} // namespace qpages
