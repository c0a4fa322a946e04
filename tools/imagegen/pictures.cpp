#include "images.h"

#include "palette.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace {

void bar(QPainter& p, qreal x, qreal y, qreal w, const QColor& c = pal::grey200, qreal h = 5)
{
    QPainterPath b;
    b.addRoundedRect(QRectF(x, y, w, h), h / 2, h / 2);
    p.fillPath(b, c);
}

void tile(QPainter& p, qreal x, qreal y, int size, const QColor& c, Glyph g)
{
    p.drawImage(QPointF(x, y), tileIcon(size, c, g));
}

void brandTile(QPainter& p, qreal x, qreal y, qreal size)
{
    const QRectF r(x, y, size, size);
    QPainterPath sq;
    sq.addRoundedRect(r, size * 0.24, size * 0.24);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pal::hex("#5AA0F6"));
    g.setColorAt(1, pal::hex("#2364CF"));
    p.fillPath(sq, g);
    p.save();
    p.translate(r.topLeft());
    p.scale(size / 24.0, size / 24.0);
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(11.0, 12.6), 5.6, 5.6);
    p.drawLine(QPointF(14.4, 16.0), QPointF(17.8, 19.4));
    p.fillPath(sparklePath(QPointF(18.2, 5.8), 3.4, 0.3), pal::hex("#7CE39A"));
    p.restore();
}

void checkbox(QPainter& p, const QRectF& r, bool on)
{
    QPainterPath b;
    b.addRoundedRect(r, 3, 3);
    if (on) {
        p.fillPath(b, pal::blue);
        QPainterPath t;
        t.moveTo(r.left() + r.width() * 0.24, r.top() + r.height() * 0.52);
        t.lineTo(r.left() + r.width() * 0.43, r.top() + r.height() * 0.72);
        t.lineTo(r.left() + r.width() * 0.77, r.top() + r.height() * 0.3);
        p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(t);
    } else {
        p.fillPath(b, Qt::white);
        p.setPen(QPen(pal::grey300, 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(b);
    }
}

void toggle(QPainter& p, const QRectF& r, bool on)
{
    QPainterPath t;
    t.addRoundedRect(r, r.height() / 2, r.height() / 2);
    p.fillPath(t, on ? pal::blue : pal::grey200);
    const qreal d = r.height() - 4;
    const qreal x = on ? r.right() - 2 - d : r.left() + 2;
    QPainterPath knob;
    knob.addEllipse(QRectF(x, r.top() + 2, d, d));
    p.fillPath(knob.translated(0, 0.6), QColor(0, 0, 0, 40));
    p.fillPath(knob, Qt::white);
}

// A settings window. Returns the content rectangle below the title bar.
QRectF window(QPainter& p, const QRectF& r, bool modern)
{
    QPainterPath outer;
    outer.addRoundedRect(r, modern ? 10 : 6, modern ? 10 : 6);
    // Soft drop shadow.
    for (int i = 3; i >= 1; --i)
        p.fillPath(outer.translated(0, i), QColor(20, 40, 70, 10 + 4 * (3 - i)));
    p.fillPath(outer, pal::grey300);
    QPainterPath inner;
    inner.addRoundedRect(r.adjusted(1, 1, -1, -1), modern ? 9 : 5, modern ? 9 : 5);
    p.fillPath(inner, Qt::white);
    const qreal barH = modern ? 26 : 24;
    p.save();
    p.setClipPath(inner);
    QLinearGradient g(r.topLeft(), r.topLeft() + QPointF(0, barH));
    g.setColorAt(0, modern ? pal::hex("#F7F8FA") : pal::hex("#F1F3F6"));
    g.setColorAt(1, modern ? pal::hex("#F7F8FA") : pal::hex("#E4E8ED"));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), barH), g);
    p.fillRect(QRectF(r.left(), r.top() + barH, r.width(), 1), pal::grey200);
    p.restore();
    const QColor dots[] = {pal::hex("#EE5B55"), pal::hex("#F4B73E"), pal::hex("#3EBE5A")};
    for (int i = 0; i < 3; ++i) {
        QPainterPath d;
        d.addEllipse(QPointF(r.left() + 13 + i * 13, r.top() + barH / 2), 4, 4);
        p.fillPath(d, dots[i]);
    }
    bar(p, r.center().x() - 28, r.top() + barH / 2 - 2.5, 56, pal::grey300);
    return QRectF(r.left() + 1, r.top() + barH + 1, r.width() - 2, r.height() - barH - 2);
}

void highlightRing(QPainter& p, const QRectF& r, qreal radius)
{
    p.save();
    p.setPen(QPen(withAlpha(pal::blue, 110), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void badgeTick(QPainter& p, QPointF c, qreal r)
{
    QPainterPath d;
    d.addEllipse(c, r, r);
    p.fillPath(d.translated(0, 1.5), QColor(0, 60, 20, 50));
    QLinearGradient g(c - QPointF(0, r), c + QPointF(0, r));
    g.setColorAt(0, pal::greenLight);
    g.setColorAt(1, pal::greenDark);
    p.fillPath(d, g);
    QPainterPath t;
    t.moveTo(c.x() - r * 0.45, c.y() + r * 0.02);
    t.lineTo(c.x() - r * 0.1, c.y() + r * 0.36);
    t.lineTo(c.x() + r * 0.48, c.y() - r * 0.34);
    p.setPen(QPen(Qt::white, r * 0.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(t);
}

// ---- classic guide (window with a grid, then a list with check boxes)

const Glyph gridGlyphs[] = {glyph::gauge, glyph::globe, glyph::shield, glyph::clock, glyph::others,
                            glyph::document, glyph::picture, glyph::musicNote};
const QColor gridTints[] = {pal::slate, pal::blue, pal::blue, pal::grey500, pal::violet,
                            pal::grey500, pal::green, pal::orange};

QImage stepClassic(int step)
{
    QImage img = canvas(320, 200);
    QPainter p;
    beginPainter(p, img);
    const QRectF c = window(p, QRectF(10, 8, 300, 184), false);

    if (step == 1) {
        // A grid of settings; the security one is pointed at.
        for (int i = 0; i < 8; ++i) {
            const qreal x = c.left() + 30 + (i % 4) * 64;
            const qreal y = c.top() + 22 + (i / 4) * 66;
            tile(p, x, y, 32, gridTints[i], gridGlyphs[i]);
            bar(p, x - 2, y + 40, 36, pal::grey200, 4);
        }
        const QRectF hot(c.left() + 30 + 2 * 64 - 8, c.top() + 22 - 8, 48, 62);
        highlightRing(p, hot, 9);
        drawPointer(p, QPointF(hot.center().x() + 8, hot.center().y() + 2), 1.5);
        return img;
    }

    // Tabs.
    for (int i = 0; i < 4; ++i) {
        const QRectF t(c.left() + 64 + i * 44, c.top() + 8, 40, 14);
        QPainterPath tp;
        tp.addRoundedRect(t, 4, 4);
        p.fillPath(tp, i == 3 ? pal::blue : pal::grey100);
        bar(p, t.left() + 8, t.top() + 5, 24, i == 3 ? QColor(255, 255, 255, 200) : pal::grey300, 4);
    }
    // Left list.
    const QRectF list(c.left() + 12, c.top() + 30, 96, 96);
    p.fillRect(list, pal::grey50);
    p.setPen(QPen(pal::grey200, 1));
    p.drawRect(list.adjusted(0.5, 0.5, -0.5, -0.5));
    const Glyph rowGlyphs[] = {glyph::clock, glyph::others, glyph::document, glyph::sandboxCube};
    for (int i = 0; i < 4; ++i) {
        const QRectF row(list.left() + 1, list.top() + 4 + i * 22, list.width() - 2, 20);
        const bool sel = i == 2;
        if (sel)
            p.fillRect(row, pal::blue);
        p.drawImage(QPointF(row.left() + 5, row.top() + 2), glyphLayer(16, rowGlyphs[i], 1.1, 1.4, sel ? QColor(Qt::white) : pal::grey500));
        bar(p, row.left() + 26, row.top() + 8, sel ? 56 : 44 + (i * 7) % 16, sel ? QColor(255, 255, 255, 220) : pal::grey300, 4);
    }
    // Right pane.
    const QRectF pane(list.right() + 10, list.top(), c.right() - list.right() - 22, c.bottom() - 8 - list.top());
    p.setPen(QPen(pal::grey200, 1));
    p.setBrush(Qt::white);
    p.drawRect(pane.adjusted(0.5, 0.5, -0.5, -0.5));

    // Lock at the bottom-left of the window.
    const QPointF lockAt(c.left() + 12, c.bottom() - 28);
    p.drawImage(lockAt, glyphLayer(20, step == 2 ? glyph::lockClosed : glyph::lockOpen, 1.0, 1.8, pal::grey600));
    bar(p, lockAt.x() + 24, lockAt.y() + 8, 56, pal::grey200, 4);

    if (step == 2) {
        bar(p, pane.left() + 12, pane.top() + 14, 120, pal::grey200);
        bar(p, pane.left() + 12, pane.top() + 26, 90, pal::grey200);
        highlightRing(p, QRectF(lockAt.x() - 4, lockAt.y() - 4, 28, 28), 6);
        drawPointer(p, lockAt + QPointF(12, 12), 1.5);
        return img;
    }

    // Steps 3 and 4: the application list with check boxes.
    const qreal rowH = 26;
    for (int i = 0; i < (step == 4 ? 2 : 3); ++i) {
        const QRectF row(pane.left() + 1, pane.top() + 6 + i * rowH, pane.width() - 2, rowH);
        const bool ours = i == 1;
        if (ours)
            p.fillRect(row, pal::hex("#EAF2FE"));
        checkbox(p, QRectF(row.left() + 8, row.top() + 6, 14, 14), ours || i == 0);
        if (ours)
            brandTile(p, row.left() + 30, row.top() + 4, 18);
        else
            p.drawImage(QPointF(row.left() + 30, row.top() + 4), tileIcon(18, i == 0 ? pal::grey500 : pal::slate, i == 0 ? glyph::others : glyph::toolbox));
        bar(p, row.left() + 56, row.top() + 10, ours ? 70 : 54, ours ? pal::hex("#9DBFF0") : pal::grey300, 5);
    }
    // The add and remove buttons under the list.
    const QRectF pm(pane.left() + 6, pane.bottom() - 22, 34, 16);
    p.setPen(QPen(pal::grey300, 1));
    p.setBrush(pal::grey50);
    p.drawRoundedRect(pm, 3, 3);
    p.setPen(QPen(pal::grey600, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(pm.left() + 6, pm.center().y()), QPointF(pm.left() + 12, pm.center().y()));
    p.drawLine(QPointF(pm.left() + 9, pm.center().y() - 3), QPointF(pm.left() + 9, pm.center().y() + 3));
    p.drawLine(QPointF(pm.right() - 12, pm.center().y()), QPointF(pm.right() - 6, pm.center().y()));

    if (step == 3) {
        highlightRing(p, QRectF(pane.left() + 5, pane.top() + 6 + rowH + 2, 20, 22), 5);
        drawPointer(p, QPointF(pane.left() + 17, pane.top() + 6 + rowH + 15), 1.5);
    } else {
        badgeTick(p, QPointF(pane.center().x(), pane.top() + 6 + 2 * rowH + 28), 20);
    }
    return img;
}

// ---- modern guide (sidebar window with switches)

QImage stepModern(int step)
{
    QImage img = canvas(320, 200);
    QPainter p;
    beginPainter(p, img);
    const QRectF c = window(p, QRectF(10, 8, 300, 184), true);
    // Sidebar.
    const QRectF side(c.left(), c.top(), 100, c.height());
    p.fillRect(side, pal::hex("#F3F5F8"));
    p.fillRect(QRectF(side.right(), side.top(), 1, side.height()), pal::grey200);
    const Glyph sideGlyphs[] = {glyph::globe, glyph::gauge, glyph::others, glyph::shield, glyph::clock, glyph::document};
    const QColor sideTints[] = {pal::blue, pal::slate, pal::violet, pal::blue, pal::grey500, pal::grey500};
    for (int i = 0; i < 6; ++i) {
        const QRectF row(side.left() + 6, side.top() + 8 + i * 24, side.width() - 12, 21);
        const bool sel = i == 3 && step >= 2;
        if (sel) {
            QPainterPath rp;
            rp.addRoundedRect(row, 6, 6);
            p.fillPath(rp, pal::blue);
        }
        p.drawImage(QPointF(row.left() + 4, row.top() + 2.5), tileIcon(16, sideTints[i], sideGlyphs[i]));
        bar(p, row.left() + 26, row.top() + 8, 40 + (i * 11) % 24, sel ? QColor(255, 255, 255, 220) : pal::grey300, 5);
    }
    const QRectF pane(side.right() + 12, c.top() + 10, c.right() - side.right() - 24, c.height() - 20);

    if (step == 1) {
        // The security entry in the sidebar is pointed at.
        bar(p, pane.left(), pane.top() + 2, 90, pal::grey300, 7);
        for (int i = 0; i < 4; ++i) {
            QPainterPath card;
            card.addRoundedRect(QRectF(pane.left(), pane.top() + 20 + i * 30, pane.width(), 24), 6, 6);
            p.fillPath(card, pal::grey50);
            bar(p, pane.left() + 10, pane.top() + 30 + i * 30, 70 + (i * 17) % 40);
        }
        const QRectF hot(side.left() + 4, side.top() + 6 + 3 * 24, side.width() - 8, 25);
        highlightRing(p, hot, 8);
        drawPointer(p, QPointF(hot.left() + 50, hot.center().y() + 1), 1.5);
        return img;
    }

    bar(p, pane.left(), pane.top() + 2, 110, pal::grey300, 7);
    if (step == 2) {
        // A list of privacy entries; the full-disk one is pointed at.
        const Glyph g[] = {glyph::globe, glyph::document, glyph::picture, glyph::clock};
        for (int i = 0; i < 4; ++i) {
            const QRectF row(pane.left(), pane.top() + 20 + i * 30, pane.width(), 26);
            QPainterPath rp;
            rp.addRoundedRect(row, 6, 6);
            p.fillPath(rp, pal::grey50);
            p.drawImage(QPointF(row.left() + 6, row.top() + 5), tileIcon(16, i == 1 ? pal::blue : pal::grey400, g[i]));
            bar(p, row.left() + 30, row.top() + 10, 60 + (i * 13) % 30, i == 1 ? pal::hex("#9DBFF0") : pal::grey300);
            // Chevron.
            p.setPen(QPen(pal::grey400, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(row.right() - 12, row.top() + 9), QPointF(row.right() - 8, row.center().y()));
            p.drawLine(QPointF(row.right() - 8, row.center().y()), QPointF(row.right() - 12, row.bottom() - 9));
        }
        const QRectF hot(pane.left() - 2, pane.top() + 48, pane.width() + 4, 30);
        highlightRing(p, hot, 8);
        drawPointer(p, QPointF(hot.left() + 90, hot.center().y() + 2), 1.5);
        return img;
    }

    // Steps 3 and 4: applications with switches.
    for (int i = 0; i < (step == 4 ? 2 : 3); ++i) {
        const QRectF row(pane.left(), pane.top() + 20 + i * 32, pane.width(), 28);
        const bool ours = i == 1;
        QPainterPath rp;
        rp.addRoundedRect(row, 6, 6);
        p.fillPath(rp, ours ? pal::hex("#EEF4FE") : pal::grey50);
        if (ours)
            brandTile(p, row.left() + 6, row.top() + 5, 18);
        else
            p.drawImage(QPointF(row.left() + 6, row.top() + 5), tileIcon(18, i == 0 ? pal::grey500 : pal::slate, i == 0 ? glyph::others : glyph::toolbox));
        bar(p, row.left() + 32, row.top() + 11, ours ? 62 : 48, ours ? pal::hex("#9DBFF0") : pal::grey300);
        toggle(p, QRectF(row.right() - 36, row.top() + 7, 28, 15), ours || i == 0);
    }
    if (step == 3) {
        const QRectF hot(pane.right() - 40, pane.top() + 20 + 32 + 3, 36, 22);
        highlightRing(p, hot, 11);
        drawPointer(p, QPointF(hot.center().x() + 2, hot.center().y() + 2), 1.5);
    } else {
        badgeTick(p, QPointF(pane.center().x(), pane.top() + 20 + 2 * 32 + 30), 20);
    }
    return img;
}

// ---- duplicates picture

QImage duplicatesPicture()
{
    QImage img = canvas(360, 212);
    QPainter p;
    beginPainter(p, img);
    QPainterPath backdrop;
    backdrop.addEllipse(QPointF(180, 106), 98, 98);
    p.fillPath(backdrop, pal::hex("#EEF4FD"));

    auto sheet = [&](QPointF centre, qreal angle, bool front) {
        p.save();
        p.translate(centre);
        p.rotate(angle);
        const QRectF r(-44, -56, 88, 112);
        QPainterPath s;
        s.addRoundedRect(r, 8, 8);
        p.fillPath(s.translated(0, 3), QColor(30, 60, 110, 28));
        p.fillPath(s, Qt::white);
        p.setPen(QPen(front ? pal::hex("#BFD0E8") : pal::grey200, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(s);
        // The same picture and text on both sheets.
        const QRectF pic(r.left() + 12, r.top() + 12, r.width() - 24, 40);
        QPainterPath pp;
        pp.addRoundedRect(pic, 5, 5);
        QLinearGradient g(pic.topLeft(), pic.bottomLeft());
        g.setColorAt(0, front ? pal::hex("#8DBAF8") : pal::hex("#C9DCF8"));
        g.setColorAt(1, front ? pal::hex("#5D9BF2") : pal::hex("#B3CDF4"));
        p.fillPath(pp, g);
        QPainterPath hill;
        hill.moveTo(pic.left(), pic.bottom());
        hill.lineTo(pic.left() + 20, pic.top() + 20);
        hill.lineTo(pic.left() + 34, pic.top() + 31);
        hill.lineTo(pic.left() + 46, pic.top() + 22);
        hill.lineTo(pic.right(), pic.bottom());
        hill.closeSubpath();
        p.save();
        p.setClipPath(pp);
        p.fillPath(hill, front ? QColor(255, 255, 255, 150) : QColor(255, 255, 255, 120));
        p.restore();
        const QColor line = front ? pal::hex("#C9D6E6") : pal::grey150;
        bar(p, r.left() + 12, r.top() + 64, 64, line, 6);
        bar(p, r.left() + 12, r.top() + 76, 52, line, 6);
        bar(p, r.left() + 12, r.top() + 88, 58, line, 6);
        p.restore();
    };
    sheet(QPointF(150, 100), -9, false);
    sheet(QPointF(200, 110), 6, true);

    // Magnifier with an equals sign: the copies are the same.
    const QPointF mc(248, 140);
    QPainterPath glass;
    glass.addEllipse(mc, 27, 27);
    p.fillPath(glass, QColor(255, 255, 255, 215));
    p.setPen(QPen(pal::blueDark, 11, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(mc + QPointF(21, 21), mc + QPointF(44, 44));
    p.setPen(QPen(pal::blue, 7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(mc, 27, 27);
    bar(p, mc.x() - 12, mc.y() - 8, 24, pal::green, 6);
    bar(p, mc.x() - 12, mc.y() + 3, 24, pal::green, 6);

    p.fillPath(sparklePath(QPointF(104, 46), 9, 0.28), pal::hex("#9CC2F7"));
    p.fillPath(sparklePath(QPointF(284, 60), 6, 0.3), pal::hex("#9CC2F7"));
    p.fillPath(sparklePath(QPointF(92, 162), 5, 0.3), pal::hex("#BFD6F8"));
    return img;
}

// ---- uninstaller drop zone

QImage dropZone()
{
    QImage img = canvas(320, 220);
    QPainter p;
    beginPainter(p, img);
    const QRectF r(3, 3, 314, 214);
    QPainterPath zone;
    zone.addRoundedRect(r, 18, 18);
    p.fillPath(zone, pal::hex("#F5F8FD"));
    QPen dash(pal::hex("#A8BCD8"), 2.2, Qt::CustomDashLine, Qt::RoundCap);
    dash.setDashPattern({4.0, 3.2});
    p.setPen(dash);
    p.setBrush(Qt::NoBrush);
    p.drawPath(zone);
    // Where the application lands: a faint tile with a dotted outline.
    const QRectF slot(r.center().x() - 40, r.center().y() - 22, 80, 80);
    QPainterPath sp;
    sp.addRoundedRect(slot, 18, 18);
    p.fillPath(sp, pal::hex("#E9F0FB"));
    QPen dot(pal::hex("#B9CBE4"), 1.6, Qt::CustomDashLine, Qt::RoundCap);
    dot.setDashPattern({2.0, 3.0});
    p.setPen(dot);
    p.drawPath(sp);
    // Faint application pictogram inside.
    p.drawImage(QPointF(slot.left() + 16, slot.top() + 16), glyphLayer(48, glyph::uninstall, 1.0, 3.0, pal::hex("#B3C7E6")));
    return img;
}

QImage dropArrow()
{
    QImage img = canvas(40, 56);
    QPainter p;
    beginPainter(p, img);
    QPainterPath a;
    a.moveTo(13, 3);
    a.lineTo(27, 3);
    a.lineTo(27, 30);
    a.lineTo(37, 30);
    a.lineTo(20, 52);
    a.lineTo(3, 30);
    a.lineTo(13, 30);
    a.closeSubpath();
    QPainterPathStroker st;
    st.setWidth(4);
    st.setJoinStyle(Qt::RoundJoin);
    const QPainterPath shape = a.united(st.createStroke(a));
    p.fillPath(shape.translated(0, 1.5), QColor(20, 60, 130, 40));
    QLinearGradient g(QPointF(0, 0), QPointF(0, 56));
    g.setColorAt(0, pal::blueLight);
    g.setColorAt(1, pal::blueDark);
    p.fillPath(shape, g);
    return img;
}

// ---- System Status gauge

QImage statusGauge()
{
    QImage img = canvas(120, 72);
    QPainter p;
    beginPainter(p, img);
    const QPointF c(60, 62);
    const qreal R = 50;
    const QRectF box(c.x() - R, c.y() - R, 2 * R, 2 * R);
    // Track, then three coloured sectors: low, medium, high.
    const struct {
        qreal from, span;
        QColor col;
    } seg[] = {{180, -58, pal::green}, {120, -58, pal::amber}, {60, -60, pal::red}};
    p.setPen(QPen(pal::grey150, 12, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(box, 0, 180 * 16);
    for (const auto& s : seg) {
        p.setPen(QPen(s.col, 12, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(box, int((s.from + s.span) * 16) + 16, int(-s.span * 16) - 32);
    }
    // Ticks.
    p.setPen(QPen(pal::grey400, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i <= 10; ++i) {
        const qreal a = M_PI * i / 10.0;
        const QPointF d(-std::cos(a), -std::sin(a));
        p.drawLine(c + d * (R - 12), c + d * (R - (i % 5 == 0 ? 19 : 15)));
    }
    // Needle at the middle of the medium sector.
    const qreal a = M_PI * 0.45;
    const QPointF tip = c + QPointF(-std::cos(a), -std::sin(a)) * (R - 14);
    QPainterPath n;
    const QPointF side(std::sin(a) * 3.2, -std::cos(a) * 3.2);
    n.moveTo(c + side);
    n.lineTo(tip);
    n.lineTo(c - side);
    n.closeSubpath();
    p.fillPath(n, pal::ink);
    QPainterPath hub;
    hub.addEllipse(c, 6, 6);
    p.fillPath(hub, pal::ink);
    QPainterPath dot;
    dot.addEllipse(c, 2.2, 2.2);
    p.fillPath(dot, Qt::white);
    return img;
}

} // namespace

void makePictures(Writer& w)
{
    w.setGroup(QStringLiteral("Full Disk Access guide pictures"),
               QStringLiteral("Step pictures of the four-step guide, 320 x 200, drawn without words so "
                              "they suit every language. The `-new` set shows the newer settings layout "
                              "(sidebar and switches) used on newer systems."));
    const char* classicRole[] = {"open the system settings: the security pane is pointed at",
                                 "privacy list with the full-disk entry selected; the lock is pointed at",
                                 "the application list: the program's row gets its check box ticked",
                                 "access granted: the program's row ticked, green tick badge"};
    const char* modernRole[] = {"settings window: the privacy and security entry in the sidebar is pointed at",
                                "privacy entries: the full-disk entry is pointed at",
                                "the application list: the program's switch is turned on",
                                "access granted: the program's switch on, green tick badge"};
    for (int s = 1; s <= 4; ++s) {
        w.save(stepClassic(s), QStringLiteral("s%1.png").arg(s), QString::fromLatin1(classicRole[s - 1]),
               QStringLiteral("guide step %1 picture (older systems)").arg(s));
        w.save(stepModern(s), QStringLiteral("s%1-new.png").arg(s), QString::fromLatin1(modernRole[s - 1]),
               QStringLiteral("guide step %1 picture (newer systems)").arg(s));
    }

    w.setGroup(QStringLiteral("Page pictures"));
    w.save(duplicatesPicture(), QStringLiteral("DuplicatesImageView.png"),
           QStringLiteral("two identical sheets under a magnifier with an equals sign, on a pale blue disc"),
           QStringLiteral("Duplicates Finder folder face: drawn in a 360 x 212 frame centred on white"));
    w.save(dropZone(), QStringLiteral("Uninstaller_Drop.png"),
           QStringLiteral("dashed drop zone with a faint application slot"),
           QStringLiteral("Uninstaller page: drawn at its own size, centred, on white"));
    w.save(dropArrow(), QStringLiteral("drop_arrow.png"),
           QStringLiteral("blue arrow pointing down (name chosen here)"),
           QStringLiteral("Uninstaller page: the drop-here arrow"));
    w.save(statusGauge(), QStringLiteral("status_gauge.png"),
           QStringLiteral("half-dial gauge, green / amber / red, needle in the middle (name chosen here)"),
           QStringLiteral("System Status header: the gauge images (static)"));
}
