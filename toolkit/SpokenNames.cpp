#include "toolkit/SpokenNames.h"

#include <QLabel>
#include <QModelIndex>

namespace qtk {

QString SpokenNames::fromLabel(const QString& labelText) {
    QString name = labelText.trimmed();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    return name.trimmed();
}

void SpokenNames::nameAfter(QWidget& control, const QLabel& label, const QLabel* heading) {
    const QString name = fromLabel(label.text());
    control.setAccessibleName(heading ? fromLabel(heading->text()) + QStringLiteral(": ") + name
                                      : name);
}

QVariant SpokenNames::tickCell(const QModelIndex& tick, int nameColumn) {
    if (!tick.isValid() || nameColumn < 0) return {};
    return tick.siblingAtColumn(nameColumn).data(Qt::DisplayRole);
}

QString SpokenNames::header(const QString& title, const QString& word) {
    return title.isEmpty() ? word : title;
}

} // namespace qtk
