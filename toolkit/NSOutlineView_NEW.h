#pragma once

#include <QColor>
#include <QTreeView>

namespace qtk {

// The sidebar's outline: light-grey background, a flat grey band behind the selected row and
// no disclosure triangles (nor any way to click one).
class NSOutlineView_NEW : public QTreeView {
    Q_OBJECT
public:
    explicit NSOutlineView_NEW(QWidget* parent = nullptr);

    static QColor backgroundColor() { return QColor::fromRgbF(0.965f, 0.965f, 0.965f); }
    static QColor selectionColor() { return QColor::fromRgbF(0.69f, 0.69f, 0.69f); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
};

} // namespace qtk
