#include "toolkit/CGPath.h"

#include <QLineF>

namespace qtk {

std::optional<QPainterPath> CGPath(const QPainterPath& path) {
    if (path.elementCount() == 0) return std::nullopt;
    QPainterPath out;
    bool closed = true;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            out.moveTo(e.x, e.y);
            break;
        case QPainterPath::LineToElement:
            out.lineTo(e.x, e.y);
            closed = false;
            break;
        case QPainterPath::CurveToElement: {
            if (i + 2 >= path.elementCount()) break;
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            out.cubicTo(QPointF(e.x, e.y), QPointF(c2.x, c2.y), QPointF(end.x, end.y));
            closed = false;
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    if (!closed) out.closeSubpath();
    return out;
}

QPainterPath strokedPortion(const QPainterPath& path, double fraction) {
    if (fraction >= 1.0) return path;
    QPainterPath out;
    if (fraction <= 0.0) return out;
    const QList<QPolygonF> polygons = path.toSubpathPolygons();
    double total = 0;
    for (const QPolygonF& polygon : polygons)
        for (qsizetype i = 1; i < polygon.size(); ++i)
            total += QLineF(polygon[i - 1], polygon[i]).length();
    double left = fraction * total;
    for (const QPolygonF& polygon : polygons) {
        if (polygon.isEmpty()) continue;
        out.moveTo(polygon.first());
        for (qsizetype i = 1; i < polygon.size(); ++i) {
            const QLineF segment(polygon[i - 1], polygon[i]);
            if (segment.length() <= left) {
                out.lineTo(polygon[i]);
                left -= segment.length();
                continue;
            }
            if (left > 0) out.lineTo(segment.pointAt(left / segment.length()));
            return out;
        }
    }
    return out;
}

QPainterPath interpolatedPath(const QPainterPath& from, const QPainterPath& to, double t) {
    if (from.elementCount() != to.elementCount()) return to;
    QPainterPath out = to;
    for (int i = 0; i < to.elementCount(); ++i) {
        const QPainterPath::Element a = from.elementAt(i);
        const QPainterPath::Element b = to.elementAt(i);
        if (a.type != b.type) return to;
        out.setElementPositionAt(i, a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t);
    }
    return out;
}

} // namespace qtk
