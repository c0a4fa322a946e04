#pragma once

#include <cstdint>
#include <vector>

namespace qshell {

// The processor-load series the popover's chart plots: it starts as one 0.0, each value is
// appended three times, and the three oldest points go once the series holds 21 or more, so
// it never exceeds 22 points. The chart's top steps with the series' maximum.
class LoadSeries {
public:
    // The chart's look: a 160 x 42 chart at (0, 5) in a 160 x 42 host, line width 1.0.
    static constexpr double kChartX = 0, kChartY = 5, kChartWidth = 160, kChartHeight = 42;
    static constexpr double kLineWidth = 1.0;
    static constexpr int kRed = 165, kGreen = 144, kBlue = 196;
    static constexpr const char* kYLabelFormat = "%1.1f";

    LoadSeries() = default;

    void updateData(double value);
    const std::vector<double>& points() const { return points_; }
    double lastValue() const { return lastValue_; }
    // The fixed top: 100 before the first value, then by the series' maximum.
    double yFixedValueMax() const { return yMax_; }
    static constexpr double yFixedValueMin() { return 0; }

    // 10 below 10, 20 below 20, 50 below 50, 90 below 70, else 100.
    static double yMaxFor(double maximum);

private:
    std::vector<double> points_{0.0};
    double yMax_ = 100;
    double lastValue_ = 0;
};

} // namespace qshell
