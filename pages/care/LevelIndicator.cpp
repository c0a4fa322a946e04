#include "pages/care/LevelIndicator.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qpages {

namespace {
constexpr double kSpacing = 3;
const QColor kEmptyCell(226, 226, 226);
} // namespace

LevelIndicator::LevelIndicator(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Level"));
}

void LevelIndicator::setValue(double value) {
    value = std::clamp(value, 0.0, double(kCells));
    if (value == value_) return;
    value_ = value;
    setAccessibleDescription(QString::number(value_));
    update();
}

void LevelIndicator::setLevelColors(const QColor& low, const QColor& medium, const QColor& high) {
    low_ = low;
    medium_ = medium;
    high_ = high;
    update();
}

QColor LevelIndicator::cellColor(int cell) const {
    if (cell < 2) return low_;
    return cell == 2 ? medium_ : high_;
}

void LevelIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double cellWidth = (width() - kSpacing * (kCells - 1)) / kCells;
    const int filled = static_cast<int>(std::ceil(value_));
    for (int cell = 0; cell < kCells; ++cell) {
        painter.setBrush(cell < filled ? cellColor(cell) : kEmptyCell);
        painter.drawRoundedRect(QRectF(cell * (cellWidth + kSpacing), 0, cellWidth, height()), 2,
                                2);
    }
}

} // namespace qpages
