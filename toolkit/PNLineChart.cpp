#include "toolkit/PNLineChart.h"

#include "toolkit/CGPath.h"

#include <QEasingCurve>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QVariantAnimation>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qtk {

namespace {

constexpr int kStrokeDurationMs = 1000;
constexpr int kMorphDurationMs = 500;
constexpr double kPointTouchDistance = 10;
constexpr double kLineTouchDistance = 5;

// The ease-in-ease-out timing of the platform's animations.
QEasingCurve easeInEaseOut() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(0.58, 1.0), QPointF(1.0, 1.0));
    return curve;
}

double distanceToSegment(QPointF p, const QLineF& segment) {
    const QPointF d = segment.p2() - segment.p1();
    const double lengthSquared = d.x() * d.x() + d.y() * d.y();
    if (lengthSquared == 0) return QLineF(p, segment.p1()).length();
    const QPointF rel = p - segment.p1();
    const double t = std::clamp((rel.x() * d.x() + rel.y() * d.y()) / lengthSquared, 0.0, 1.0);
    return QLineF(p, segment.pointAt(t)).length();
}

} // namespace

std::optional<QPainterPath> PNLineChart::ShapeLayer::visiblePath() const {
    if (!path) return std::nullopt;
    if (morphFrom && morphProgress < 1.0) return interpolatedPath(*morphFrom, *path, morphProgress);
    return path;
}

PNLineChart::PNLineChart(QWidget* parent) : QWidget(parent) {
    setupDefaultValues();
}

PNLineChart::PNLineChart(const qui::PointRect& frame, QWidget* parent) : QWidget(parent) {
    qui::setFrame(this, frame);
    setupDefaultValues();
}

void PNLineChart::setupDefaultValues() {
    chartLineArray_.clear();
    pathPoints_.clear();
    showLabel_ = true;
    yLabelNum_ = 5;
    yLabelHeight_ = 13.0;
    chartMargin_ = 40.0;
    chartCavanWidth_ = width() - chartMargin_ * 2;
    chartCavanHeight_ = height() - chartMargin_ * 2;
    showCoordinateAxis_ = false;
    axisColor_ = QColor::fromRgbF(0.4f, 0.4f, 0.4f);
    axisWidth_ = 1.0;
}

PNLineChart::Range PNLineChart::valueRange(const std::vector<Series>& data, double yFixedValueMin,
                                           double yFixedValueMax) {
    float yMax = 0;
    float yMin = std::numeric_limits<float>::max();
    for (const Series& series : data) {
        if (!series) continue;
        for (std::uint64_t i = 0; i < series->itemCount(); ++i) {
            const auto value = static_cast<float>(series->valueAt(i));
            yMax = std::max(yMax, value);
            yMin = std::min(yMin, value);
        }
    }
    Range range;
    // A fixed bound of 0 means "not fixed"; negative values never lower the range.
    range.min = yFixedValueMin != 0 ? yFixedValueMin : std::max(static_cast<double>(yMin), 0.0);
    const double m = std::max(static_cast<double>(yMax), 5.0);
    range.max = yFixedValueMax != 0 ? yFixedValueMax : m + m / 10;
    return range;
}

double PNLineChart::grade(double value, const Range& range) {
    const double span = range.max - range.min;
    return span == 0 ? 0.5 : (value - range.min) / span;
}

QPoint PNLineChart::pointFor(std::uint64_t index, std::uint64_t count, double grade,
                             const Canvas& canvas) {
    const double x = static_cast<double>(index) * (canvas.width / static_cast<double>(count)) +
                     2 * canvas.margin;
    const double y = canvas.height / static_cast<double>(canvas.yLabelNum) + canvas.margin +
                     grade * canvas.height;
    return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

bool PNLineChart::sameSeries(const std::vector<Series>& a, const std::vector<Series>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

void PNLineChart::setChartData(const std::vector<Series>& data) {
    if (!chartData_.empty() && sameSeries(data, chartData_)) return;
    if (strokeAnimation_) strokeAnimation_->stop();
    if (pathAnimation_) pathAnimation_->stop();

    chartLineArray_.clear();
    chartPointArray_.clear();
    for (const Series& series : data) {
        ShapeLayer line;
        line.lineCap = Qt::FlatCap;
        line.lineJoin = Qt::MiterJoin;
        line.fillColor = QColor(Qt::white);
        line.lineWidth = series ? series->lineWidth() : 0;
        line.strokeEnd = 0.0;
        chartLineArray_.push_back(line);

        ShapeLayer point;
        point.strokeColor = series ? series->strokeColor() : std::nullopt;
        point.lineCap = Qt::RoundCap;
        point.lineJoin = Qt::BevelJoin;
        point.lineWidth = series ? series->lineWidth() : 0;
        chartPointArray_.push_back(point);
    }
    chartData_ = data;
    prepareYLabelsWithData(data);
    update();
}

void PNLineChart::prepareYLabelsWithData(const std::vector<Series>& data) {
    const Range range = valueRange(data, yFixedValueMin_, yFixedValueMax_);
    yValueMin_ = range.min;
    yValueMax_ = range.max;
}

void PNLineChart::calculateChartPath() {
    chartPath_.resize(chartData_.size());
    pointPath_.resize(chartData_.size());
    pathPoints_.assign(chartData_.size(), {});
    const Range range{yValueMin_, yValueMax_};

    for (std::size_t k = 0; k < chartData_.size(); ++k) {
        const Series& series = chartData_[k];
        QPainterPath line;
        chartPath_[k] = line;
        pointPath_[k] = QPainterPath();
        if (!series) continue;
        if (!showLabel_) {
            chartCavanHeight_ = height() - 2 * yLabelHeight_;
            chartCavanWidth_ = width();
            chartMargin_ = series->inflexionPointWidth();
        }
        const Canvas canvas{chartCavanWidth_, chartCavanHeight_, chartMargin_, yLabelNum_};
        const std::uint64_t count = series->itemCount();
        for (std::uint64_t i = 0; i < count; ++i) {
            const QPoint p = pointFor(i, count, grade(series->valueAt(i), range), canvas);
            // Every segment is a sub-path of its own, so the path encloses no area.
            if (i > 0) line.lineTo(p);
            line.moveTo(p);
            pathPoints_[k].push_back(p);
        }
        chartPath_[k] = line;
    }
}

void PNLineChart::strokeChart() {
    chartPath_.clear();
    pointPath_.clear();
    calculateChartPath();

    std::vector<std::size_t> animated;
    for (std::size_t k = 0; k < chartData_.size() && k < chartLineArray_.size(); ++k) {
        const Series& series = chartData_[k];
        ShapeLayer& line = chartLineArray_[k];
        ShapeLayer& point = chartPointArray_[k];
        if (series && series->color()) {
            line.strokeColor = series->strokeColor();
        } else {
            line.strokeColor = defaultLineColor();
            point.strokeColor = defaultLineColor();
        }
        line.path = CGPath(chartPath_[k]);
        point.path = CGPath(pointPath_[k]);
        line.strokeEnd = 1.0;
        line.strokeAnimating = true;
        line.presentedStrokeEnd = 0.0;
        if (series && series->inflexionPointStyle() != 0) {
            point.strokeAnimating = true;
            point.presentedStrokeEnd = 0.0;
        }
    }

    if (strokeAnimation_) strokeAnimation_->stop();
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(kStrokeDurationMs);
    animation->setEasingCurve(easeInEaseOut());
    const auto apply = [this](double value, bool done) {
        for (auto* layers : {&chartLineArray_, &chartPointArray_})
            for (ShapeLayer& layer : *layers) {
                if (!layer.strokeAnimating) continue;
                layer.presentedStrokeEnd = value;
                if (done) layer.strokeAnimating = false;
            }
        update();
    };
    connect(animation, &QVariantAnimation::valueChanged, this,
            [apply](const QVariant& value) { apply(value.toDouble(), false); });
    connect(animation, &QVariantAnimation::finished, this, [apply] { apply(1.0, true); });
    strokeAnimation_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    update();
}

void PNLineChart::updateChartData(const std::vector<Series>& data) {
    chartData_ = data;
    prepareYLabelsWithData(data);
    calculateChartPath();

    if (pathAnimation_) pathAnimation_->stop();
    const std::size_t count = std::min(chartData_.size(), chartLineArray_.size());
    for (std::size_t k = 0; k < count; ++k) {
        for (auto [layer, path] : {std::pair{&chartLineArray_[k], &chartPath_[k]},
                                   std::pair{&chartPointArray_[k], &pointPath_[k]}}) {
            // Red, never seen: the paths enclose no area.
            layer->fillColor = QColor(Qt::red);
            layer->morphFrom = layer->path;
            layer->morphProgress = 0.0;
            layer->path = CGPath(*path);
        }
    }

    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(kMorphDurationMs);
    const auto apply = [this](double progress) {
        for (auto* layers : {&chartLineArray_, &chartPointArray_})
            for (ShapeLayer& layer : *layers) {
                if (!layer.morphFrom) continue;
                layer.morphProgress = progress;
                if (progress >= 1.0) layer.morphFrom.reset();
            }
        update();
    };
    connect(animation, &QVariantAnimation::valueChanged, this,
            [apply](const QVariant& value) { apply(value.toDouble()); });
    connect(animation, &QVariantAnimation::finished, this, [apply] { apply(1.0); });
    pathAnimation_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void PNLineChart::drawLayer(QPainter& painter, const ShapeLayer& layer) const {
    const std::optional<QPainterPath> path = layer.visiblePath();
    if (!path) return;
    if (layer.fillColor) painter.fillPath(*path, *layer.fillColor);
    if (!layer.strokeColor || layer.lineWidth <= 0) return;
    QPen pen(*layer.strokeColor, layer.lineWidth);
    pen.setCapStyle(layer.lineCap);
    pen.setJoinStyle(layer.lineJoin);
    painter.strokePath(strokedPortion(*path, layer.visibleStrokeEnd()), pen);
}

void PNLineChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Layers use the view's coordinates, y upwards.
    painter.translate(0, height());
    painter.scale(1, -1);
    if (showCoordinateAxis_) {
        painter.setPen(QPen(axisColor_, axisWidth_));
        painter.drawLine(QPointF(chartMargin_, chartMargin_),
                         QPointF(chartMargin_, chartMargin_ + chartCavanHeight_));
        painter.drawLine(QPointF(chartMargin_, chartMargin_),
                         QPointF(chartMargin_ + chartCavanWidth_, chartMargin_));
    }
    for (std::size_t k = 0; k < chartLineArray_.size(); ++k) {
        drawLayer(painter, chartLineArray_[k]);
        if (k < chartPointArray_.size()) drawLayer(painter, chartPointArray_[k]);
    }
}

void PNLineChart::reportTouch(QPointF viewPoint) {
    // Points are stored y upwards.
    const QPointF p(viewPoint.x(), height() - viewPoint.y());
    for (std::size_t k = 0; k < pathPoints_.size(); ++k) {
        const std::vector<QPoint>& points = pathPoints_[k];
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (QLineF(p, points[i]).length() > kPointTouchDistance) continue;
            emit userClickedOnLineKeyPoint(viewPoint, static_cast<int>(k), static_cast<int>(i));
            return;
        }
        for (std::size_t i = 1; i < points.size(); ++i) {
            if (distanceToSegment(p, QLineF(points[i - 1], points[i])) > kLineTouchDistance)
                continue;
            emit userClickedOnLinePoint(viewPoint, static_cast<int>(k));
            return;
        }
    }
}

void PNLineChart::mousePressEvent(QMouseEvent* event) {
    reportTouch(event->position());
}

void PNLineChart::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton) reportTouch(event->position());
}

} // namespace qtk
