#include "pages/care/ResultsColumns.h"

#include "engine/FileOperations.h"

namespace qpages {

ResultsColumns::ResultsColumns(QAbstractItemModel& model)
    : model_(model), titleHeader_(QStringLiteral("Name")), sizeHeader_(QStringLiteral("Size")) {}

void ResultsColumns::setHeaderTitles(const QString& title, const QString& size) {
    titleHeader_ = title;
    sizeHeader_ = size;
    emit model_.headerDataChanged(Qt::Horizontal, TitleColumn, SizeColumn);
}

QVariant ResultsColumns::headerText(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == TitleColumn) return titleHeader_;
    if (section == SizeColumn) return sizeHeader_;
    return QString();
}

Qt::ItemFlags ResultsColumns::cellFlags(const QModelIndex& index) {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == StateColumn) result |= Qt::ItemIsUserCheckable;
    return result;
}

QVariant ResultsColumns::sizeCell(const qcore::Dictionary& unitWords, const std::string& bytes,
                                  int role) {
    if (role == Qt::DisplayRole)
        return QString::fromStdString(
            qengine::FileOperations::convertBytesToApplicableUnit(unitWords, bytes));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

} // namespace qpages
