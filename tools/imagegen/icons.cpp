#include "images.h"

#include "palette.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <algorithm>

qreal strokeFor(int size)
{
    return std::max<qreal>(1.4, size * 0.066);
}

QImage glyphLayer(int size, Glyph g, qreal zoom, qreal strokePx, const QColor& ink)
{
    QImage layer = canvas(size, size);
    QPainter p;
    beginPainter(p, layer);
    const qreal s = size / 24.0 * zoom;
    p.translate(size / 2.0, size / 2.0);
    p.scale(s, s);
    p.translate(-12, -12);
    g(Pen{p, strokePx / s, ink});
    return layer;
}

namespace {

qreal zoomFor(int size)
{
    if (size <= 16)
        return 1.18;
    if (size <= 24)
        return 1.1;
    if (size <= 32)
        return 1.04;
    return 1.0;
}

QImage tinted(const QImage& layer, const QColor& c)
{
    QImage out = layer;
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(out.rect(), c);
    return out;
}

} // namespace

QImage tileIcon(int size, const QColor& base, Glyph g, TileShape shape)
{
    QImage img = canvas(size, size);
    QPainter p;
    beginPainter(p, img);
    const QRectF r(0, 0, size, size);
    QPainterPath outer;
    if (shape == TileShape::Circle)
        outer.addEllipse(r);
    else
        outer.addRoundedRect(r, size * 0.23, size * 0.23);
    p.fillPath(outer, base.darker(118));
    const qreal inset = size <= 16 ? 0.75 : 1.0;
    const QRectF in = r.adjusted(inset, inset, -inset, -inset);
    QPainterPath face;
    if (shape == TileShape::Circle)
        face.addEllipse(in);
    else
        face.addRoundedRect(in, size * 0.23 - inset, size * 0.23 - inset);
    QLinearGradient grad(in.topLeft(), in.bottomLeft());
    grad.setColorAt(0, base.lighter(118));
    grad.setColorAt(1, base.darker(104));
    p.fillPath(face, grad);
    // Soft sheen on the upper half.
    p.save();
    p.setClipPath(face);
    QLinearGradient sheen(in.topLeft(), QPointF(in.left(), in.center().y()));
    sheen.setColorAt(0, QColor(255, 255, 255, 46));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(in.left(), in.top(), in.width(), in.height() / 2), sheen);
    p.restore();

    const QImage layer = glyphLayer(size, g, zoomFor(size), strokeFor(size), Qt::white);
    if (size >= 24) {
        const QImage shadow = tinted(layer, QColor(0, 0, 0, 46));
        p.drawImage(QPointF(0, size / 40.0 + 0.5), shadow);
    }
    p.drawImage(0, 0, layer);
    return img;
}

namespace {

// A coloured pictogram without a tile.
QImage bareIcon(int size, Glyph g, const QColor& ink, qreal zoom = 1.0)
{
    return glyphLayer(size, g, zoom, strokeFor(size), ink);
}

// A filled badge shape with a pictogram punched out or drawn on top.
QImage badge(int size, const QPainterPath& shapeOn24, const QColor& base, Glyph g, qreal glyphZoom,
             qreal glyphStrokePx, bool punch)
{
    QImage img = canvas(size, size);
    QPainter p;
    beginPainter(p, img);
    const qreal s = size / 24.0;
    QTransform t;
    t.scale(s, s);
    const QPainterPath shape = t.map(shapeOn24);
    const QRectF b = shape.boundingRect();
    QLinearGradient grad(b.topLeft(), b.bottomLeft());
    grad.setColorAt(0, base.lighter(112));
    grad.setColorAt(1, base.darker(106));
    p.fillPath(shape, grad);
    if (base == QColor(Qt::white))
        p.fillPath(shape, Qt::white);
    const QImage layer = glyphLayer(size, g, glyphZoom, glyphStrokePx, Qt::white);
    if (punch) {
        p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        p.drawImage(0, 0, layer);
    } else {
        p.drawImage(0, 0, layer);
    }
    return img;
}

QPainterPath disc24(qreal r = 11.0)
{
    QPainterPath d;
    d.addEllipse(QPointF(12, 12), r, r);
    return d;
}

QPainterPath triangle24()
{
    QPainterPath t;
    t.moveTo(12, 2.4);
    t.lineTo(22.4, 20.6);
    t.lineTo(1.6, 20.6);
    t.closeSubpath();
    QPainterPathStroker st;
    st.setWidth(2.4);
    st.setJoinStyle(Qt::RoundJoin);
    return t.united(st.createStroke(t));
}

QPainterPath octagon24()
{
    QPainterPath o;
    const qreal a = 6.4, b = 21.0 - 6.4 + 1.5;
    o.moveTo(a, 1.5);
    o.lineTo(b, 1.5);
    o.lineTo(22.5, a);
    o.lineTo(22.5, b);
    o.lineTo(b, 22.5);
    o.lineTo(a, 22.5);
    o.lineTo(1.5, b);
    o.lineTo(1.5, a);
    o.closeSubpath();
    return o;
}

QPainterPath shield24()
{
    QPainterPath s;
    s.moveTo(12, 1.4);
    s.lineTo(21.2, 4.8);
    s.lineTo(21.2, 11.0);
    s.cubicTo(21.2, 16.6, 17.4, 20.6, 12, 22.8);
    s.cubicTo(6.6, 20.6, 2.8, 16.6, 2.8, 11.0);
    s.lineTo(2.8, 4.8);
    s.closeSubpath();
    return s;
}

struct Module {
    const char* name;
    Glyph glyph;
    QColor tint;
    const char* role;
};

} // namespace

void makeIcons(Writer& w)
{
    const Module modules[] = {
        {"System Status", glyph::gauge, pal::blue, "System Status overview (gauge)"},
        {"One Click Cleaning", glyph::sparkle, pal::blue, "One Click care (sparkle)"},
        {"System Cleaner", glyph::broom, pal::blue, "System Cleaner, user and application caches (broom)"},
        {"Logs Cleaner", glyph::logSheet, pal::blue, "Logs Cleaner (log sheet)"},
        {"Trash Cleaner", glyph::trashCan, pal::blue, "Trash Cleaner, crash reports (trash can)"},
        {"Partial Downloads", glyph::partialDownload, pal::blue, "Partial Downloads (unfinished download ring)"},
        {"Internet Privacy", glyph::shield, pal::green, "Internet Privacy (shield with keyhole)"},
        {"Misc Cleaning", glyph::toolbox, pal::green, "Misc Cleaning (toolbox)"},
        {"Large Files", glyph::largeBox, pal::green, "Large Files (archive box)"},
        {"Old Downloads", glyph::clock, pal::green, "Old Downloads (clock)"},
        {"Duplicates Finder", glyph::duplicateSheets, pal::slate, "Duplicates Finder (two sheets)"},
        {"Uninstaller", glyph::uninstall, pal::slate, "Uninstaller (application tile with removal badge)"},
    };

    w.setGroup(QStringLiteral("Module icons"),
               QStringLiteral("One pictogram per module, on a tile coloured by sidebar section "
                              "(blue: cleaning, green: manual cleaning, slate: optimisation). "
                              "The program looks a module's icon up by the module's name; the `_32` "
                              "and `_48` files are the same drawing for larger places."));
    for (const Module& m : modules) {
        const QString n = QString::fromLatin1(m.name);
        const QString role = QString::fromLatin1(m.role);
        w.save(tileIcon(16, m.tint, m.glyph), n + QStringLiteral(".png"), role,
               QStringLiteral("sidebar row icon, 16 x 16, 3 points from the row's left edge"));
        w.save(tileIcon(32, m.tint, m.glyph), n + QStringLiteral("_32.png"), role,
               QStringLiteral("preferences toolbar item (panes are named by module) and other 32-point places"));
        w.save(tileIcon(48, m.tint, m.glyph), n + QStringLiteral("_48.png"), role,
               QStringLiteral("module picture on the One Click dashboard boxes and page headers"));
    }

    w.setGroup(QStringLiteral("Result group icons"),
               QStringLiteral("Icons of the group rows in the results lists, always shown at 16 x 16."));
    struct Small {
        const char* file;
        Glyph glyph;
        QColor tint;
        TileShape shape;
        const char* role;
        const char* where;
    };
    const Small groups[] = {
        {"User Cache.png", glyph::cacheStack, pal::blue, TileShape::RoundedSquare, "group row \"User Cache\" (stacked discs)", "System Cleaner results, first group"},
        {"Sandbox Cache.png", glyph::sandboxCube, pal::blue, TileShape::RoundedSquare, "group row \"Sandbox Cache\" (cube)", "System Cleaner results, application-container caches group"},
        {"User Logs.png", glyph::logSheet, pal::blue, TileShape::RoundedSquare, "group row \"User Logs\" (log sheet)", "Logs Cleaner results, only group"},
        {"Music.png", glyph::musicNote, pal::violet, TileShape::RoundedSquare, "category row Music (notes)", "Large Files results"},
        {"Pictures.png", glyph::picture, pal::green, TileShape::RoundedSquare, "category row Pictures (landscape)", "Large Files results"},
        {"Video.png", glyph::videoCamera, pal::orange, TileShape::RoundedSquare, "category row Video (camera)", "Large Files results"},
        {"Documents.png", glyph::document, pal::blue, TileShape::RoundedSquare, "category row Documents (page)", "Large Files results"},
        {"Others.png", glyph::others, pal::grey500, TileShape::RoundedSquare, "category row Others (four squares)", "Large Files results"},
        {"firefox.png", glyph::globe, pal::orange, TileShape::Circle, "Firefox group row: generic orange globe, no third-party logo", "Internet Privacy results"},
        {"chrome.png", glyph::globe, pal::blue, TileShape::Circle, "Google Chrome group row: generic blue globe, no third-party logo", "Internet Privacy results"},
    };
    for (const Small& s : groups)
        w.save(tileIcon(16, s.tint, s.glyph, s.shape), QString::fromLatin1(s.file),
               QString::fromLatin1(s.role), QString::fromLatin1(s.where));

    w.setGroup(QStringLiteral("Status marks"));
    w.save(badge(40, disc24(11.0), Qt::white, glyph::exclamation, 0.78, 4.0, true),
           QStringLiteral("alert_icon.png"),
           QStringLiteral("white disc with a see-through exclamation mark; sits on the red alert box"),
           QStringLiteral("One Click page alert box when issues were found"));
    w.save(badge(40, disc24(11.0), Qt::white, glyph::tick, 0.82, 4.2, true),
           QStringLiteral("Green_White_Tick.png"),
           QStringLiteral("white disc with a see-through tick; sits on the green alert box"),
           QStringLiteral("One Click page alert box when nothing was found or after a clean"));
    w.save(badge(20, triangle24(), pal::amber, glyph::exclamation, 0.78, 2.0, false),
           QStringLiteral("fdaalert.png"), QStringLiteral("amber warning triangle"),
           QStringLiteral("Full Disk Access guide, beside the error line when the access test fails"));
    w.save(badge(64, shield24(), pal::green, glyph::tick, 0.72, 5.0, false),
           QStringLiteral("logo_complete.png"), QStringLiteral("green shield with a tick"),
           QStringLiteral("Full Disk Access guide logo once access is granted"));
    w.save(badge(64, shield24(), pal::amber, glyph::exclamation, 0.72, 5.0, false),
           QStringLiteral("logo_alert.png"), QStringLiteral("amber shield with an exclamation mark"),
           QStringLiteral("Full Disk Access guide logo before access is granted"));
    w.save(badge(16, octagon24(), pal::red, glyph::stopBar, 1.0, 1.6, false),
           QStringLiteral("stop_sign.png"),
           QStringLiteral("red octagon with a white bar (name chosen here)"),
           QStringLiteral("module pages: the image shown when the last scan or clean was stopped by the user"));
    w.save(badge(16, disc24(11.0), pal::blue, glyph::infoMark, 1.0, 1.9, false),
           QStringLiteral("info_icon.png"),
           QStringLiteral("blue disc with a white i (name chosen here)"),
           QStringLiteral("System Status panel: the improvement-potential image with its tool tip"));
    w.save(bareIcon(22, glyph::lockClosed, pal::grey600, 1.0), QStringLiteral("lock_closed.png"),
           QStringLiteral("closed padlock (name chosen here)"),
           QStringLiteral("System Status header lock button, locked place"));
    w.save(bareIcon(22, glyph::lockOpen, pal::green, 1.0), QStringLiteral("lock_open.png"),
           QStringLiteral("open padlock (name chosen here)"),
           QStringLiteral("System Status header lock button, unlocked place"));
}
