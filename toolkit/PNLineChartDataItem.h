#pragma once

namespace qtk {

// One value of a chart series.
class PNLineChartDataItem {
public:
    PNLineChartDataItem() = default;
    explicit PNLineChartDataItem(double y) : y_(y) {}

    static PNLineChartDataItem dataItemWithY(double y);

    double y() const { return y_; }
    void setY(double y) { y_ = y; }

private:
    double y_ = 0;
};

} // namespace qtk
