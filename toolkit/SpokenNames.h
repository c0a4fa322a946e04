#pragma once

#include <QString>
#include <QVariant>

class QLabel;
class QModelIndex;
class QWidget;

namespace qtk {

// The names a screen reader says for controls that show no text of their own. Item views take
// a cell's name from the model's Qt::AccessibleTextRole, then Qt::DisplayRole, and a header's
// from headerData() with the same roles; the models answer through these for tick cells and for
// the headers of columns without a title.
class SpokenNames {
public:
    // A form label's text as a name: without the colon that ends it.
    static QString fromLabel(const QString& labelText);
    // Names `control` after the label beside it. Where rows of controls share one label text,
    // `heading` (the row's own label) goes first: "Music: Larger than".
    static void nameAfter(QWidget& control, const QLabel& label, const QLabel* heading = nullptr);
    // A tick cell says what it ticks: the text its row shows in `nameColumn`.
    static QVariant tickCell(const QModelIndex& tick, int nameColumn);
    // A header says its title, or `word` where the column shows none (ticks, icons).
    static QString header(const QString& title, const QString& word);
};

} // namespace qtk
