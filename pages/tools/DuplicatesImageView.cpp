#include "pages/tools/DuplicatesImageView.h"

#include "platform/ui/ImageCache.h"

#include <QPaintEvent>
#include <QPainter>

namespace qpages {

namespace {

constexpr int kPictureWidth = 360;
constexpr int kPictureHeight = 212;

int evenCeil(int value) {
    return value % 2 == 0 ? value : value + 1;
}

} // namespace

DuplicatesImageView::DuplicatesImageView(QWidget* parent) : QWidget(parent) {}

QRect DuplicatesImageView::pictureRect(const QSize& size) {
    const int x = (evenCeil(size.width()) - kPictureWidth) / 2;
    const int y = (evenCeil(size.height()) - kPictureHeight) / 2;
    return {x, y, kPictureWidth, kPictureHeight};
}

void DuplicatesImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.drawPixmap(pictureRect(size()), qui::namedImage("DuplicatesImageView.png"));
}

} // namespace qpages
