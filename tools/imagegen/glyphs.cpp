#include "glyphs.h"

#include "canvas.h"

void Pen::stroke(const QPainterPath& path, qreal factor) const
{
    p.save();
    p.setPen(QPen(ink, sw * factor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

void Pen::fill(const QPainterPath& path) const
{
    p.fillPath(path, ink);
}

void Pen::clear(const QPainterPath& path) const
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillPath(path, Qt::black);
    p.restore();
}

void Pen::line(qreal x1, qreal y1, qreal x2, qreal y2, qreal factor) const
{
    QPainterPath l;
    l.moveTo(x1, y1);
    l.lineTo(x2, y2);
    stroke(l, factor);
}

namespace {

QPainterPath rounded(qreal x, qreal y, qreal w, qreal h, qreal r)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath circle(qreal cx, qreal cy, qreal r)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

// A page outline with a folded top-right corner.
QPainterPath page(qreal x, qreal y, qreal w, qreal h, qreal fold)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - fold, y);
    path.lineTo(x + w, y + fold);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    return path;
}

} // namespace

namespace glyph {

void gauge(const Pen& g)
{
    QPainterPath arc;
    arc.arcMoveTo(QRectF(4.5, 6.5, 15, 15), 200);
    arc.arcTo(QRectF(4.5, 6.5, 15, 15), 200, -220);
    g.stroke(arc);
    // Needle towards the upper right, and its hub.
    g.line(12, 14, 15.6, 10.2, 1.0);
    g.fill(circle(12, 14, 1.9));
}

void sparkle(const Pen& g)
{
    g.fill(sparklePath(QPointF(10.5, 13.2), 7.2, 0.26));
    g.fill(sparklePath(QPointF(17.6, 6.6), 3.2, 0.3));
}

void broom(const Pen& g)
{
    g.p.save();
    g.p.translate(12, 12);
    g.p.rotate(35);
    g.p.translate(-12, -12);
    g.line(12, 2.8, 12, 10.5);
    g.fill(rounded(9.3, 10.2, 5.4, 2.4, 0.8));
    QPainterPath head;
    head.moveTo(9.4, 13.4);
    head.lineTo(14.6, 13.4);
    head.lineTo(16.6, 20.6);
    head.lineTo(7.4, 20.6);
    head.closeSubpath();
    g.fill(head);
    // Bristle gaps.
    QPainterPath gap1;
    gap1.moveTo(10.9, 16.0);
    gap1.lineTo(10.5, 20.8);
    gap1.lineTo(10.0, 20.8);
    gap1.lineTo(10.5, 16.0);
    gap1.closeSubpath();
    QPainterPath gap2;
    gap2.moveTo(13.1, 16.0);
    gap2.lineTo(13.5, 20.8);
    gap2.lineTo(14.0, 20.8);
    gap2.lineTo(13.5, 16.0);
    gap2.closeSubpath();
    g.clear(gap1);
    g.clear(gap2);
    g.p.restore();
}

void logSheet(const Pen& g)
{
    g.stroke(rounded(5.5, 3.8, 13, 16.4, 1.6));
    for (qreal y : {8.4, 12.0, 15.6}) {
        g.fill(circle(8.6, y, 0.95));
        g.line(11.0, y, y > 15 ? 13.6 : 15.6, y, 0.8);
    }
}

void trashCan(const Pen& g)
{
    g.line(5.2, 7.0, 18.8, 7.0);
    QPainterPath handle;
    handle.moveTo(9.6, 6.8);
    handle.lineTo(9.6, 4.4);
    handle.lineTo(14.4, 4.4);
    handle.lineTo(14.4, 6.8);
    g.stroke(handle, 0.85);
    QPainterPath body;
    body.moveTo(7.0, 9.2);
    body.lineTo(17.0, 9.2);
    body.lineTo(16.0, 20.0);
    body.lineTo(8.0, 20.0);
    body.closeSubpath();
    g.stroke(body);
    g.line(10.6, 12.0, 10.6, 17.2, 0.75);
    g.line(13.4, 12.0, 13.4, 17.2, 0.75);
}

void partialDownload(const Pen& g)
{
    // An unfinished ring around a download arrow.
    QPainterPath ring;
    ring.arcMoveTo(QRectF(4, 4, 16, 16), 90);
    ring.arcTo(QRectF(4, 4, 16, 16), 90, 250);
    g.stroke(ring);
    g.line(12, 7.6, 12, 15.6, 0.95);
    QPainterPath head;
    head.moveTo(8.8, 12.8);
    head.lineTo(12, 16.0);
    head.lineTo(15.2, 12.8);
    g.stroke(head, 0.95);
}

void shield(const Pen& g)
{
    QPainterPath s;
    s.moveTo(12, 3.6);
    s.lineTo(18.6, 6.2);
    s.lineTo(18.6, 11.2);
    s.cubicTo(18.6, 15.4, 15.8, 18.6, 12, 20.4);
    s.cubicTo(8.2, 18.6, 5.4, 15.4, 5.4, 11.2);
    s.lineTo(5.4, 6.2);
    s.closeSubpath();
    g.stroke(s);
    // Keyhole.
    g.fill(circle(12, 10.6, 1.9));
    QPainterPath stem;
    stem.moveTo(11.1, 11.4);
    stem.lineTo(12.9, 11.4);
    stem.lineTo(13.3, 15.2);
    stem.lineTo(10.7, 15.2);
    stem.closeSubpath();
    g.fill(stem);
}

void toolbox(const Pen& g)
{
    g.stroke(rounded(4.2, 8.8, 15.6, 10.6, 1.6));
    QPainterPath handle;
    handle.moveTo(9.0, 8.6);
    handle.lineTo(9.0, 5.8);
    handle.lineTo(15.0, 5.8);
    handle.lineTo(15.0, 8.6);
    g.stroke(handle, 0.9);
    g.line(4.6, 13.2, 19.4, 13.2, 0.8);
    g.fill(rounded(10.6, 11.6, 2.8, 3.6, 0.6));
}

void largeBox(const Pen& g)
{
    // An archive box: lid, body and a handle slot.
    g.stroke(rounded(3.8, 5.2, 16.4, 4.6, 1.0));
    QPainterPath body;
    body.moveTo(5.4, 9.8);
    body.lineTo(5.4, 19.2);
    body.lineTo(18.6, 19.2);
    body.lineTo(18.6, 9.8);
    g.stroke(body);
    g.line(9.8, 13.2, 14.2, 13.2);
}

void clock(const Pen& g)
{
    g.stroke(circle(12, 12, 7.8));
    g.line(12, 12, 12, 7.4, 0.95);
    g.line(12, 12, 15.4, 13.8, 0.95);
}

void duplicateSheets(const Pen& g)
{
    g.stroke(rounded(8.6, 3.6, 10.4, 12.6, 1.4));
    const QPainterPath front = rounded(5.0, 8.0, 10.4, 12.6, 1.4);
    QPainterPathStroker st;
    st.setWidth(g.sw * 2.2);
    g.clear(front.united(st.createStroke(front)));
    g.stroke(front);
    g.line(7.6, 12.6, 12.8, 12.6, 0.75);
    g.line(7.6, 15.8, 11.4, 15.8, 0.75);
}

void uninstall(const Pen& g)
{
    // An application tile with a removal badge.
    g.stroke(rounded(4.2, 4.2, 12.2, 12.2, 3.0));
    const QPainterPath badge = circle(16.6, 16.6, 4.6);
    QPainterPathStroker st;
    st.setWidth(g.sw * 1.6);
    g.clear(badge.united(st.createStroke(badge)));
    g.fill(badge);
    QPainterPath bar;
    bar.addRoundedRect(QRectF(14.1, 15.85, 5.0, 1.5), 0.6, 0.6);
    g.clear(bar);
}

void musicNote(const Pen& g)
{
    g.fill(circle(8.2, 17.0, 2.5));
    g.fill(circle(16.2, 15.4, 2.5));
    g.line(10.4, 17.0, 10.4, 6.6, 0.7);
    g.line(18.4, 15.4, 18.4, 5.0, 0.7);
    QPainterPath beam;
    beam.moveTo(9.9, 5.8);
    beam.lineTo(18.9, 4.0);
    beam.lineTo(18.9, 7.2);
    beam.lineTo(9.9, 9.0);
    beam.closeSubpath();
    g.fill(beam);
}

void picture(const Pen& g)
{
    g.stroke(rounded(4.0, 5.4, 16.0, 13.2, 1.8));
    QPainterPath hills;
    hills.moveTo(5.2, 17.6);
    hills.lineTo(9.6, 11.6);
    hills.lineTo(12.8, 15.2);
    hills.lineTo(14.8, 13.0);
    hills.lineTo(18.8, 17.6);
    hills.closeSubpath();
    g.fill(hills);
    g.fill(circle(15.4, 9.4, 1.6));
}

void videoCamera(const Pen& g)
{
    g.stroke(rounded(3.8, 7.0, 11.6, 10.0, 2.0));
    QPainterPath lens;
    lens.moveTo(15.8, 10.8);
    lens.lineTo(20.4, 8.2);
    lens.lineTo(20.4, 15.8);
    lens.lineTo(15.8, 13.2);
    lens.closeSubpath();
    g.fill(lens);
}

void document(const Pen& g)
{
    QPainterPath pg = page(6.0, 3.8, 12.0, 16.4, 4.2);
    g.stroke(pg);
    QPainterPath fold;
    fold.moveTo(13.8, 3.8);
    fold.lineTo(13.8, 8.0);
    fold.lineTo(18.0, 8.0);
    g.stroke(fold, 0.7);
    g.line(8.8, 12.0, 15.2, 12.0, 0.7);
    g.line(8.8, 15.2, 13.6, 15.2, 0.7);
}

void others(const Pen& g)
{
    for (qreal y : {5.2, 13.0})
        for (qreal x : {5.2, 13.0})
            g.fill(rounded(x, y, 5.8, 5.8, 1.6));
}

void cacheStack(const Pen& g)
{
    // A storage cylinder: top ellipse, sides, one band and the bottom curve.
    const QRectF top(5.2, 3.8, 13.6, 5.0);
    QPainterPath c;
    c.addEllipse(top);
    c.moveTo(5.2, 6.3);
    c.lineTo(5.2, 17.7);
    c.moveTo(18.8, 6.3);
    c.lineTo(18.8, 17.7);
    c.arcMoveTo(QRectF(5.2, 15.2, 13.6, 5.0), 180);
    c.arcTo(QRectF(5.2, 15.2, 13.6, 5.0), 180, 180);
    c.arcMoveTo(QRectF(5.2, 9.6, 13.6, 5.0), 180);
    c.arcTo(QRectF(5.2, 9.6, 13.6, 5.0), 180, 180);
    g.stroke(c);
}

void sandboxCube(const Pen& g)
{
    QPainterPath cube;
    cube.moveTo(12, 3.8);
    cube.lineTo(19.2, 7.8);
    cube.lineTo(19.2, 16.2);
    cube.lineTo(12, 20.2);
    cube.lineTo(4.8, 16.2);
    cube.lineTo(4.8, 7.8);
    cube.closeSubpath();
    g.stroke(cube);
    QPainterPath inner;
    inner.moveTo(4.8, 7.8);
    inner.lineTo(12, 11.8);
    inner.lineTo(19.2, 7.8);
    inner.moveTo(12, 11.8);
    inner.lineTo(12, 20.2);
    g.stroke(inner, 0.85);
}

void globe(const Pen& g)
{
    g.stroke(circle(12, 12, 7.6));
    QPainterPath meridian;
    meridian.addEllipse(QPointF(12, 12), 3.4, 7.6);
    g.stroke(meridian, 0.75);
    g.line(4.6, 12, 19.4, 12, 0.75);
}

void exclamation(const Pen& g)
{
    QPainterPath bar;
    bar.moveTo(10.6, 5.0);
    bar.lineTo(13.4, 5.0);
    bar.lineTo(12.8, 14.6);
    bar.lineTo(11.2, 14.6);
    bar.closeSubpath();
    QPainterPathStroker st;
    st.setWidth(0.9);
    st.setJoinStyle(Qt::RoundJoin);
    g.fill(bar.united(st.createStroke(bar)));
    g.fill(circle(12, 18.2, 1.7));
}

void tick(const Pen& g)
{
    QPainterPath t;
    t.moveTo(6.2, 12.6);
    t.lineTo(10.2, 16.6);
    t.lineTo(17.8, 7.8);
    g.stroke(t);
}

void infoMark(const Pen& g)
{
    g.fill(circle(12, 7.4, 1.6));
    g.line(12, 11.0, 12, 17.4, 1.1);
}

void stopBar(const Pen& g)
{
    g.fill(rounded(6.6, 10.4, 10.8, 3.2, 1.2));
}

void lockClosed(const Pen& g)
{
    g.fill(rounded(5.4, 10.6, 13.2, 9.6, 2.0));
    QPainterPath shackle;
    shackle.moveTo(8.4, 10.8);
    shackle.lineTo(8.4, 8.2);
    shackle.arcTo(QRectF(8.4, 4.6, 7.2, 7.2), 180, -180);
    shackle.lineTo(15.6, 10.8);
    g.stroke(shackle);
    g.clear(circle(12, 14.6, 1.4));
}

void lockOpen(const Pen& g)
{
    g.fill(rounded(5.4, 10.6, 13.2, 9.6, 2.0));
    QPainterPath shackle;
    shackle.moveTo(8.4, 10.8);
    shackle.lineTo(8.4, 6.8);
    shackle.arcTo(QRectF(8.4, 3.2, 7.2, 7.2), 180, -180);
    shackle.lineTo(15.6, 7.6);
    g.stroke(shackle);
    g.clear(circle(12, 14.6, 1.4));
}

void brandRing(const Pen& g)
{
    g.stroke(circle(11.0, 12.6, 6.4));
    g.line(14.8, 16.4, 18.6, 20.2);
    g.fill(sparklePath(QPointF(19.0, 5.0), 3.4, 0.3));
}

} // namespace glyph
