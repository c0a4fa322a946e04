#include "toolkit/GradientBox.h"

#include "platform/ui/ThreePartImage.h"

#include <QPainter>

namespace qtk {

GradientBox::GradientBox(QWidget* parent) : QWidget(parent) {}

void GradientBox::setGradientImageName(const QString& name) {
    setGradientImageName(name, name, name);
}

void GradientBox::setGradientImageName(const QString& first, const QString& middle,
                                       const QString& last) {
    bgImage_St_ = first;
    bgImage_ = middle;
    bgImage_En_ = last;
}

void GradientBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qui::drawThreePartImage(painter, rect(), bgImage_St_, bgImage_, bgImage_En_);
}

} // namespace qtk
