#pragma once

#include "platform/ui/Geometry.h"
#include "toolkit/PNLineChartData.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QVariantAnimation>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

namespace qtk {

// A small animated line chart. Each series is stroked by a layer of its own: the first stroke
// draws the lines from start to end in one second, each update morphs them to their new shape
// in half a second. Coordinates are the view's own with y upwards.
class PNLineChart : public QWidget {
    Q_OBJECT
public:
    using Series = std::shared_ptr<PNLineChartData>;

    // What a layer strokes and fills (the model), and what an animation shows now.
    struct ShapeLayer {
        std::optional<QPainterPath> path;
        std::optional<QColor> strokeColor;
        std::optional<QColor> fillColor;
        double lineWidth = 0;
        Qt::PenCapStyle lineCap = Qt::FlatCap;
        Qt::PenJoinStyle lineJoin = Qt::MiterJoin;
        double strokeEnd = 1.0;

        bool strokeAnimating = false;
        double presentedStrokeEnd = 1.0;
        std::optional<QPainterPath> morphFrom;
        double morphProgress = 1.0;

        double visibleStrokeEnd() const { return strokeAnimating ? presentedStrokeEnd : strokeEnd; }
        std::optional<QPainterPath> visiblePath() const;
    };

    struct Range {
        double min = 0;
        double max = 0;
    };
    struct Canvas {
        double width = 0;
        double height = 0;
        double margin = 0;
        qint64 yLabelNum = 5;
    };

    // From a designer file: the current size is the frame.
    explicit PNLineChart(QWidget* parent = nullptr);
    // A bottom-left frame in the parent.
    PNLineChart(const qui::PointRect& frame, QWidget* parent);

    // --- The arithmetic, kept apart so it can be checked ----------------------------------
    // The plotted range over every value of every series (single precision, as stored).
    static Range valueRange(const std::vector<Series>& data, double yFixedValueMin,
                            double yFixedValueMax);
    static double grade(double value, const Range& range);
    // Point i of n, truncated to whole points.
    static QPoint pointFor(std::uint64_t index, std::uint64_t count, double grade,
                           const Canvas& canvas);

    // --- Data and drawing ------------------------------------------------------------------
    void setChartData(const std::vector<Series>& data);
    void strokeChart();
    // No more series than the last setChartData() made layers for.
    void updateChartData(const std::vector<Series>& data);

    const std::vector<Series>& chartData() const { return chartData_; }
    const std::vector<ShapeLayer>& chartLineArray() const { return chartLineArray_; }
    const std::vector<ShapeLayer>& chartPointArray() const { return chartPointArray_; }
    const std::vector<QPainterPath>& chartPath() const { return chartPath_; }
    const std::vector<QPainterPath>& pointPath() const { return pointPath_; }
    const std::vector<std::vector<QPoint>>& pathPoints() const { return pathPoints_; }
    // The running (or last) animations; tests and screenshots may jump them to their end.
    QVariantAnimation* strokeAnimation() const { return strokeAnimation_; }
    QVariantAnimation* pathAnimation() const { return pathAnimation_; }

    // --- Plain properties --------------------------------------------------------------------
    bool showLabel() const { return showLabel_; }
    void setShowLabel(bool value) { showLabel_ = value; }
    bool isShowCoordinateAxis() const { return showCoordinateAxis_; }
    void setShowCoordinateAxis(bool value) { showCoordinateAxis_ = value; }
    QStringList xLabels() const { return xLabels_; }
    QStringList yLabels() const { return yLabels_; }
    double xLabelWidth() const { return xLabelWidth_; }
    void setXLabelWidth(double value) { xLabelWidth_ = value; }
    QFont xLabelFont() const { return xLabelFont_; }
    void setXLabelFont(const QFont& font) { xLabelFont_ = font; }
    QColor xLabelColor() const { return xLabelColor_; }
    void setXLabelColor(const QColor& color) { xLabelColor_ = color; }
    double yValueMax() const { return yValueMax_; }
    void setYValueMax(double value) { yValueMax_ = value; }
    double yValueMin() const { return yValueMin_; }
    void setYValueMin(double value) { yValueMin_ = value; }
    double yFixedValueMax() const { return yFixedValueMax_; }
    void setYFixedValueMax(double value) { yFixedValueMax_ = value; }
    double yFixedValueMin() const { return yFixedValueMin_; }
    void setYFixedValueMin(double value) { yFixedValueMin_ = value; }
    qint64 yLabelNum() const { return yLabelNum_; }
    void setYLabelNum(qint64 value) { yLabelNum_ = value; }
    double yLabelHeight() const { return yLabelHeight_; }
    void setYLabelHeight(double value) { yLabelHeight_ = value; }
    QFont yLabelFont() const { return yLabelFont_; }
    void setYLabelFont(const QFont& font) { yLabelFont_ = font; }
    QColor yLabelColor() const { return yLabelColor_; }
    void setYLabelColor(const QColor& color) { yLabelColor_ = color; }
    double chartCavanHeight() const { return chartCavanHeight_; }
    void setChartCavanHeight(double value) { chartCavanHeight_ = value; }
    double chartCavanWidth() const { return chartCavanWidth_; }
    void setChartCavanWidth(double value) { chartCavanWidth_ = value; }
    double chartMargin() const { return chartMargin_; }
    void setChartMargin(double value) { chartMargin_ = value; }
    QColor axisColor() const { return axisColor_; }
    void setAxisColor(const QColor& color) { axisColor_ = color; }
    double axisWidth() const { return axisWidth_; }
    void setAxisWidth(double value) { axisWidth_ = value; }
    QString xUnit() const { return xUnit_; }
    void setXUnit(const QString& unit) { xUnit_ = unit; }
    QString yUnit() const { return yUnit_; }
    void setYUnit(const QString& unit) { yUnit_ = unit; }
    QString yLabelFormat() const { return yLabelFormat_; }
    void setYLabelFormat(const QString& format) { yLabelFormat_ = format; }

    static QColor defaultLineColor() { return QColor(77, 186, 122); }

signals:
    // Clicks and drags near a point or a line (the chart's delegate reports).
    void userClickedOnLineKeyPoint(QPointF point, int lineIndex, int pointIndex);
    void userClickedOnLinePoint(QPointF point, int lineIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setupDefaultValues();
    void prepareYLabelsWithData(const std::vector<Series>& data);
    void calculateChartPath();
    void drawLayer(QPainter& painter, const ShapeLayer& layer) const;
    void reportTouch(QPointF viewPoint);
    static bool sameSeries(const std::vector<Series>& a, const std::vector<Series>& b);

    bool showLabel_ = true;
    bool showCoordinateAxis_ = false;
    QStringList xLabels_;
    QStringList yLabels_;
    std::vector<Series> chartData_;
    std::vector<std::vector<QPoint>> pathPoints_;
    double xLabelWidth_ = 0;
    QFont xLabelFont_;
    QColor xLabelColor_;
    double yValueMax_ = 0;
    double yFixedValueMax_ = 0;
    double yFixedValueMin_ = 0;
    double yValueMin_ = 0;
    qint64 yLabelNum_ = 5;
    double yLabelHeight_ = 13.0;
    QFont yLabelFont_;
    QColor yLabelColor_;
    double chartCavanHeight_ = 0;
    double chartCavanWidth_ = 0;
    double chartMargin_ = 40.0;
    QColor axisColor_;
    double axisWidth_ = 1.0;
    QString xUnit_;
    QString yUnit_;
    QString yLabelFormat_;
    std::vector<ShapeLayer> chartLineArray_;
    std::vector<ShapeLayer> chartPointArray_;
    std::vector<QPainterPath> chartPath_;
    std::vector<QPainterPath> pointPath_;

    QPointer<QVariantAnimation> strokeAnimation_;
    QPointer<QVariantAnimation> pathAnimation_;
};

} // namespace qtk
