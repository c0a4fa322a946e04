#include "toolkit/GradientButton.h"

#include <QPainter>

#include <cmath>

namespace qtk {

GradientButton::GradientButton(QWidget* parent) : QPushButton(parent) {}

QLinearGradient GradientButton::faceGradient(double height) {
    // Upwards from the bottom edge, as the stops are given.
    QLinearGradient gradient(0, height, 0, 0);
    gradient.setColorAt(0.0, QColor::fromRgbF(0.15f, 0.15f, 0.15f));
    gradient.setColorAt(0.5, QColor::fromRgbF(0.19f, 0.19f, 0.19f));
    // Qt merges stops at one position, so the step's upper side sits just above the middle.
    gradient.setColorAt(std::nextafter(0.5, 1.0), QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    gradient.setColorAt(1.0, QColor::fromRgbF(0.25f, 0.25f, 0.25f));
    return gradient;
}

void GradientButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), faceGradient(height()));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace qtk
