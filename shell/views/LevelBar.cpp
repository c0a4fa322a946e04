#include "shell/views/LevelBar.h"

#include <QPainter>

#include <algorithm>

namespace qshell {

namespace {
constexpr double kGap = 2;
const QColor kEmpty(222, 226, 232);
} // namespace

LevelBar::LevelBar(QWidget* parent) : QWidget(parent) {}

void LevelBar::setValue(int value) {
    value = std::clamp(value, 0, kMaxLevel);
    if (value == value_) return;
    value_ = value;
    update();
}

void LevelBar::setGradeColors(const QColor& low, const QColor& medium, const QColor& high) {
    low_ = low;
    medium_ = medium;
    high_ = high;
    update();
}

QColor LevelBar::fillColor() const {
    if (value_ >= 4) return high_;
    if (value_ >= 2) return medium_;
    return low_;
}

void LevelBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double segment = (width() - kGap * (kMaxLevel - 1)) / kMaxLevel;
    const QColor fill = fillColor();
    for (int i = 0; i < kMaxLevel; ++i) {
        const QRectF rect(i * (segment + kGap), 0, segment, height());
        painter.setPen(Qt::NoPen);
        painter.setBrush(i < value_ ? fill : kEmpty);
        painter.drawRoundedRect(rect, 2, 2);
    }
}

} // namespace qshell
