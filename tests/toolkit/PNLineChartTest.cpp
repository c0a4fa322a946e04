#include "toolkit/PNLineChart.h"

#include "toolkit/CGPath.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using qtk::PNLineChart;
using qtk::PNLineChartData;
using qtk::PNLineChartDataItem;

namespace {

PNLineChart::Series series(std::vector<double> values) {
    auto data = std::make_shared<PNLineChartData>();
    data->setItemCount(values.size());
    data->setGetData(
        [values](std::uint64_t i) { return PNLineChartDataItem::dataItemWithY(values[i]); });
    return data;
}

TEST(PNLineChartRange, FixedBoundsWinAndZeroMeansNotFixed) {
    const auto load = series({3, 40, 12});
    PNLineChart::Range r = PNLineChart::valueRange({load}, 0, 100);
    EXPECT_DOUBLE_EQ(r.min, 3);
    EXPECT_DOUBLE_EQ(r.max, 100);

    r = PNLineChart::valueRange({load}, 2, 0);
    EXPECT_DOUBLE_EQ(r.min, 2);
    EXPECT_NEAR(r.max, 44, 1e-9); // 40 + 40/10
}

TEST(PNLineChartRange, SmallAndNegativeValuesClampTheRange) {
    PNLineChart::Range r = PNLineChart::valueRange({series({1, 2, 3})}, 0, 0);
    EXPECT_DOUBLE_EQ(r.max, 5.5);
    r = PNLineChart::valueRange({series({-8, 2})}, 0, 0);
    EXPECT_DOUBLE_EQ(r.min, 0); // negative values never lower the range
    // Values are gathered in single precision.
    r = PNLineChart::valueRange({series({0.1, 100.1})}, 0, 0);
    EXPECT_DOUBLE_EQ(r.min, static_cast<double>(0.1f));
}

TEST(PNLineChartRange, EqualBoundsPlaceEveryPointHalfway) {
    const PNLineChart::Range r = PNLineChart::valueRange({series({100, 100})}, 0, 100);
    EXPECT_DOUBLE_EQ(r.min, r.max);
    EXPECT_DOUBLE_EQ(PNLineChart::grade(100, r), 0.5);
    EXPECT_DOUBLE_EQ(PNLineChart::grade(25, {0, 100}), 0.25);
}

TEST(PNLineChartPoints, PopoverChartFormula) {
    // Labels off, 160 x 42, margin 1: x = trunc(i * 160 / n + 2), y = trunc(4.2 + 16 * grade).
    const PNLineChart::Canvas canvas{160, 42 - 26, 1, 5};
    for (std::uint64_t n : {1u, 7u, 22u})
        for (std::uint64_t i = 0; i < n; ++i)
            for (double g : {0.0, 0.33, 0.5, 1.0}) {
                const QPoint p = PNLineChart::pointFor(i, n, g, canvas);
                EXPECT_EQ(p.x(), static_cast<int>(static_cast<double>(i) * 160 / n + 2));
                EXPECT_EQ(p.y(), static_cast<int>(16.0 / 5 + 1 + 16 * g));
            }
}

struct PopoverChart : ::testing::Test {
    QWidget host;
    PNLineChart* chart = nullptr;
    void SetUp() override {
        host.resize(160, 42);
        chart = new PNLineChart(qui::PointRect{0, 0, 160, 42}, &host);
        chart->setYFixedValueMax(100);
        chart->setYFixedValueMin(0);
    }
    static void finish(QVariantAnimation* animation) {
        if (animation) animation->setCurrentTime(animation->duration());
    }
};

TEST_F(PopoverChart, DefaultsComeFromTheFrame) {
    EXPECT_TRUE(chart->showLabel());
    EXPECT_EQ(chart->yLabelNum(), 5);
    EXPECT_DOUBLE_EQ(chart->chartMargin(), 40);
    EXPECT_DOUBLE_EQ(chart->chartCavanWidth(), 80);
    EXPECT_DOUBLE_EQ(chart->chartCavanHeight(), 42 - 80);
}

TEST_F(PopoverChart, SetChartDataMakesTwoLayersPerSeriesOnlyForANewArray) {
    auto load = series({0});
    load->setColor(QColor(165, 144, 196));
    load->setLineWidth(1.0);
    const std::vector<PNLineChart::Series> data{load};
    chart->setChartData(data);
    ASSERT_EQ(chart->chartLineArray().size(), 1u);
    ASSERT_EQ(chart->chartPointArray().size(), 1u);
    EXPECT_DOUBLE_EQ(chart->chartLineArray()[0].strokeEnd, 0.0);
    EXPECT_EQ(chart->chartPointArray()[0].lineCap, Qt::RoundCap);
    EXPECT_DOUBLE_EQ(chart->yValueMax(), 100);

    // The same array again keeps the layers and the range.
    chart->setYFixedValueMax(10);
    chart->setChartData(data);
    EXPECT_DOUBLE_EQ(chart->yValueMax(), 100);
}

TEST_F(PopoverChart, StrokeThenUpdateFollowsTheLoadSeries) {
    auto first = series({0});
    first->setColor(QColor(165, 144, 196));
    chart->setChartData({first});
    chart->strokeChart();
    ASSERT_NE(chart->strokeAnimation(), nullptr);
    EXPECT_EQ(chart->strokeAnimation()->duration(), 1000);
    EXPECT_DOUBLE_EQ(chart->chartLineArray()[0].strokeEnd, 1.0);
    EXPECT_DOUBLE_EQ(chart->chartLineArray()[0].visibleStrokeEnd(), 0.0);
    EXPECT_EQ(chart->chartLineArray()[0].strokeColor, QColor(165, 144, 196));
    finish(chart->strokeAnimation());
    EXPECT_DOUBLE_EQ(chart->chartLineArray()[0].visibleStrokeEnd(), 1.0);

    chart->setShowLabel(false);
    chart->updateChartData({series({0, 50, 50, 50})});
    EXPECT_DOUBLE_EQ(chart->chartCavanHeight(), 16);
    EXPECT_DOUBLE_EQ(chart->chartCavanWidth(), 160);
    EXPECT_DOUBLE_EQ(chart->chartMargin(), 1);
    const std::vector<QPoint> expected{{2, 4}, {42, 12}, {82, 12}, {122, 12}};
    EXPECT_EQ(chart->pathPoints()[0], expected);
    EXPECT_EQ(chart->pathAnimation()->duration(), 500);
    EXPECT_EQ(chart->chartLineArray()[0].fillColor, QColor(Qt::red));
    // The update leaves the stroke colour the first stroke gave.
    EXPECT_EQ(chart->chartLineArray()[0].strokeColor, QColor(165, 144, 196));
}

TEST_F(PopoverChart, OneValueDrawsNothingTwoValuesOneSegment) {
    chart->setShowLabel(false);
    chart->setChartData({series({30})});
    chart->strokeChart();
    EXPECT_EQ(chart->chartPath()[0].elementCount(), 1);

    chart->setChartData({series({30, 60})});
    chart->strokeChart();
    const QPainterPath& path = chart->chartPath()[0];
    ASSERT_EQ(path.elementCount(), 3); // move, line, move
    EXPECT_EQ(path.elementAt(1).type, QPainterPath::LineToElement);
    EXPECT_TRUE(chart->pointPath()[0].isEmpty());
}

TEST_F(PopoverChart, SeriesWithoutColourIsDrawnGreen) {
    chart->setChartData({series({1, 2})});
    chart->strokeChart();
    EXPECT_EQ(chart->chartLineArray()[0].strokeColor, QColor(77, 186, 122));
    EXPECT_EQ(chart->chartPointArray()[0].strokeColor, QColor(77, 186, 122));
}

TEST_F(PopoverChart, MorphRunsPointByPointBetweenEqualShapes) {
    chart->setShowLabel(false);
    chart->setChartData({series({0, 0})});
    chart->strokeChart();
    finish(chart->strokeAnimation());
    chart->updateChartData({series({0, 0})});
    finish(chart->pathAnimation());
    chart->updateChartData({series({100, 100})});
    chart->pathAnimation()->setCurrentTime(250);
    const auto halfway = chart->chartLineArray()[0].visiblePath();
    ASSERT_TRUE(halfway);
    EXPECT_NEAR(halfway->elementAt(0).y, (4 + 12) / 2.0, 0.01); // all equal: grade 0.5
    finish(chart->pathAnimation());
    EXPECT_NEAR(chart->chartLineArray()[0].visiblePath()->elementAt(0).y, 12, 0.01);
}

TEST(ChartPaths, ConversionAndPartialStroke) {
    EXPECT_FALSE(qtk::CGPath(QPainterPath()).has_value());
    QPainterPath path;
    path.moveTo(0, 0);
    path.lineTo(10, 0);
    path.moveTo(10, 0);
    path.lineTo(10, 30);
    path.moveTo(10, 30);
    const auto converted = qtk::CGPath(path);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->elementCount(), path.elementCount());

    // A quarter of 40 points of line ends on the first segment.
    const QPainterPath quarter = qtk::strokedPortion(path, 0.25);
    EXPECT_NEAR(quarter.length(), 10, 0.01);
    const QPainterPath half = qtk::strokedPortion(path, 0.5);
    EXPECT_NEAR(half.length(), 20, 0.01);
    EXPECT_TRUE(qtk::strokedPortion(path, 0).isEmpty());
}

} // namespace
