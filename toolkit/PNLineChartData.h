#pragma once

#include "toolkit/PNLineChartDataItem.h"

#include <QColor>

#include <cstdint>
#include <functional>
#include <optional>

namespace qtk {

// One chart series: its look and a callback that yields the value at each index.
class PNLineChartData {
public:
    using DataGetter = std::function<PNLineChartDataItem(std::uint64_t index)>;

    // No colour means the chart's default green.
    std::optional<QColor> color() const { return color_; }
    void setColor(std::optional<QColor> color) { color_ = std::move(color); }
    // Replaces the colour's own alpha.
    double alpha() const { return alpha_; }
    void setAlpha(double alpha) { alpha_ = alpha; }
    std::uint64_t itemCount() const { return itemCount_; }
    void setItemCount(std::uint64_t count) { itemCount_ = count; }
    const DataGetter& getData() const { return getData_; }
    void setGetData(DataGetter getter) { getData_ = std::move(getter); }
    // 0: no markers; any other value also animates the (empty) point layer.
    std::uint64_t inflexionPointStyle() const { return inflexionPointStyle_; }
    void setInflexionPointStyle(std::uint64_t style) { inflexionPointStyle_ = style; }
    // Becomes the chart's margin while labels are off.
    double inflexionPointWidth() const { return inflexionPointWidth_; }
    void setInflexionPointWidth(double width) { inflexionPointWidth_ = width; }
    double lineWidth() const { return lineWidth_; }
    void setLineWidth(double width) { lineWidth_ = width; }

    // The value at `index`; 0 without a callback.
    double valueAt(std::uint64_t index) const;
    // The colour with the series' alpha, when there is a colour.
    std::optional<QColor> strokeColor() const;

private:
    std::optional<QColor> color_;
    double alpha_ = 1.0;
    std::uint64_t itemCount_ = 0;
    DataGetter getData_;
    std::uint64_t inflexionPointStyle_ = 0;
    double inflexionPointWidth_ = 1.0;
    double lineWidth_ = 2.0;
};

} // namespace qtk
