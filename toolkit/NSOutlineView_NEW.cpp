#include "toolkit/NSOutlineView_NEW.h"

#include <QPainter>

namespace qtk {

NSOutlineView_NEW::NSOutlineView_NEW(QWidget* parent) : QTreeView(parent) {
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setHeaderHidden(true);
    setFrameShape(QFrame::NoFrame);
    // Whatever the style paints for a selection matches our own band.
    QPalette pal = palette();
    pal.setColor(QPalette::Highlight, selectionColor());
    pal.setColor(QPalette::HighlightedText, Qt::black);
    pal.setColor(QPalette::Base, backgroundColor());
    setPalette(pal);
}

void NSOutlineView_NEW::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), backgroundColor());
    }
    QTreeView::paintEvent(event);
}

void NSOutlineView_NEW::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    if (selectionModel() && selectionModel()->isSelected(index)) {
        const QRect band(0, option.rect.y(), viewport()->width(), option.rect.height());
        painter->fillRect(band, selectionColor());
    }
    QTreeView::drawRow(painter, option, index);
}

void NSOutlineView_NEW::drawBranches(QPainter*, const QRect&, const QModelIndex&) const {}

} // namespace qtk
