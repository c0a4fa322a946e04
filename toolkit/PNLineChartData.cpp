#include "toolkit/PNLineChartData.h"

namespace qtk {

double PNLineChartData::valueAt(std::uint64_t index) const {
    return getData_ ? getData_(index).y() : 0.0;
}

std::optional<QColor> PNLineChartData::strokeColor() const {
    if (!color_) return std::nullopt;
    QColor color = *color_;
    color.setAlphaF(static_cast<float>(alpha_));
    return color;
}

} // namespace qtk
