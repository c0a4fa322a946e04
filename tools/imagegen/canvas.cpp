#include "canvas.h"

#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

Writer::Writer(const QString& dir) : m_dir(dir)
{
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir));
        m_ok = false;
    }
}

void Writer::setGroup(const QString& group, const QString& note)
{
    m_group = group;
    m_groups.append({group, note});
}

void Writer::save(const QImage& img, const QString& name, const QString& role, const QString& where)
{
    const QString path = m_dir + QLatin1Char('/') + name;
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    if (!out.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        m_ok = false;
        return;
    }
    m_entries.append({m_group, name, img.size(), role, where});
}

void Writer::threePart(const QStringList& names, int capW, int midW, int h,
                       const std::function<void(QPainter&, const QRectF&)>& draw,
                       const QString& role, const QString& where)
{
    const int w = 2 * capW + midW;
    QImage full = canvas(w, h);
    {
        QPainter p;
        beginPainter(p, full);
        draw(p, QRectF(0, 0, w, h));
    }
    save(full.copy(0, 0, capW, h), names.at(0), role + QStringLiteral(" (left cap)"), where);
    save(full.copy(capW, 0, midW, h), names.at(1), role + QStringLiteral(" (middle, stretched)"), where);
    save(full.copy(capW + midW, 0, capW, h), names.at(2), role + QStringLiteral(" (right cap)"), where);
}

bool Writer::writeIndex(const QString& path) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&f);
    out << "# Images\n\n"
           "Every PNG in this folder is drawn by the image generator in `tools/imagegen/`; "
           "do not edit them by hand, change the generator and run it again:\n\n"
           "```\n"
           "cmake -S tools/imagegen -B /tmp/imagegen-build -G Ninja\n"
           "cmake --build /tmp/imagegen-build\n"
           "QT_QPA_PLATFORM=offscreen /tmp/imagegen-build/quendrix-imagegen resources/images\n"
           "```\n\n"
           "To review them: `quendrix-imagegen --contact-sheet resources/images sheet.png zoom.png` tiles every "
           "file on grey and on white (the second sheet enlarges the small ones four times), and "
           "`quendrix-imagegen --preview resources/images mockup.png` assembles them into a mock-up of "
           "the main window.\n\n"
           "Sizes are in pixels and equal the size in points at which the program shows the image "
           "(drawn 1:1, no high-density variants). Three-part images are drawn as left cap, "
           "middle stretched to the remaining width, right cap; a panel that names one image "
           "draws that image in all three places, so those images are uniform from left to right. "
           "Names without an extension in the program's code map to the same name plus `.png`.\n\n"
        << "Generated files: " << m_entries.size() << ".\n";
    for (const auto& g : m_groups) {
        out << "\n## " << g.first << "\n\n";
        if (!g.second.isEmpty())
            out << g.second << "\n\n";
        out << "| name | size | role | where used |\n|---|---|---|---|\n";
        for (const Entry& e : m_entries) {
            if (e.group != g.first)
                continue;
            out << "| `" << e.name << "` | " << e.size.width() << " x " << e.size.height()
                << " | " << e.role << " | " << e.where << " |\n";
        }
    }
    return true;
}

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void beginPainter(QPainter& p, QImage& img)
{
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

QColor mix(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(const QColor& c, int alpha)
{
    QColor r = c;
    r.setAlpha(alpha);
    return r;
}

void drawBody(QPainter& p, const QRectF& rIn, qreal radius, const Face& f)
{
    p.save();
    QRectF r = rIn;
    if (f.shadowAlpha > 0) {
        r.setBottom(r.bottom() - 1);
        QPainterPath sh;
        sh.addRoundedRect(r.translated(0, 1), radius, radius);
        p.fillPath(sh, QColor(0, 0, 0, f.shadowAlpha));
    }
    QPainterPath body;
    body.addRoundedRect(r, radius, radius);
    // The border is the body itself; the face sits one pixel inside it.
    p.fillPath(body, f.border);
    const QRectF inner = r.adjusted(1, 1, -1, -1);
    QPainterPath face;
    face.addRoundedRect(inner, qMax<qreal>(0, radius - 1), qMax<qreal>(0, radius - 1));
    QLinearGradient g(inner.topLeft(), inner.bottomLeft());
    g.setColorAt(0, f.top);
    g.setColorAt(1, f.bottom);
    p.fillPath(face, g);
    p.setClipPath(face);
    if (f.highlight.alpha() > 0)
        p.fillRect(QRectF(inner.left(), inner.top(), inner.width(), 1), f.highlight);
    if (f.innerShade.alpha() > 0) {
        QLinearGradient s(inner.topLeft(), inner.topLeft() + QPointF(0, 4));
        s.setColorAt(0, f.innerShade);
        s.setColorAt(1, withAlpha(f.innerShade, 0));
        p.fillRect(QRectF(inner.left(), inner.top(), inner.width(), 4), s);
    }
    p.restore();
}

void drawBand(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
              const QColor& topLine, const QColor& bottomLine, const QColor& topHighlight)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
    qreal y = r.top();
    if (topLine.alpha() > 0) {
        p.fillRect(QRectF(r.left(), y, r.width(), 1), topLine);
        y += 1;
    }
    if (topHighlight.alpha() > 0)
        p.fillRect(QRectF(r.left(), y, r.width(), 1), topHighlight);
    if (bottomLine.alpha() > 0)
        p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), bottomLine);
}

QPainterPath sparklePath(QPointF c, qreal r, qreal waist)
{
    // Four points joined by curves pulled towards the centre.
    const qreal k = r * waist;
    QPainterPath path;
    path.moveTo(c.x(), c.y() - r);
    path.quadTo(c.x() + k, c.y() - k, c.x() + r, c.y());
    path.quadTo(c.x() + k, c.y() + k, c.x(), c.y() + r);
    path.quadTo(c.x() - k, c.y() + k, c.x() - r, c.y());
    path.quadTo(c.x() - k, c.y() - k, c.x(), c.y() - r);
    path.closeSubpath();
    return path;
}

void drawPointer(QPainter& p, QPointF tip, qreal s)
{
    QPainterPath a;
    a.moveTo(0, 0);
    a.lineTo(0, 11);
    a.lineTo(2.6, 8.6);
    a.lineTo(4.4, 12.6);
    a.lineTo(6.2, 11.8);
    a.lineTo(4.5, 7.9);
    a.lineTo(8, 7.9);
    a.closeSubpath();
    p.save();
    p.translate(tip);
    p.scale(s, s);
    p.setPen(QPen(Qt::white, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(20, 24, 30));
    p.drawPath(a);
    p.restore();
}
