// Image output, three-part slicing and the shared drawing helpers.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>

// One generated file, as listed in the index.
struct Entry {
    QString group;
    QString name;
    QSize size;
    QString role;
    QString where;
};

// Writes the PNG files into one folder and remembers what it wrote.
class Writer {
public:
    explicit Writer(const QString& dir);

    void setGroup(const QString& group, const QString& note = QString());
    void save(const QImage& img, const QString& name, const QString& role, const QString& where);

    // Draws one picture of width 2 * capW + midW and height h, then writes its
    // left cap, middle and right cap as three files (names in that order).
    // The drawing must not vary horizontally inside the middle slice.
    void threePart(const QStringList& names, int capW, int midW, int h,
                   const std::function<void(QPainter&, const QRectF&)>& draw,
                   const QString& role, const QString& where);

    bool ok() const { return m_ok; }
    int count() const { return int(m_entries.size()); }
    bool writeIndex(const QString& path) const;

private:
    QString m_dir;
    QString m_group;
    QList<QPair<QString, QString>> m_groups;
    QList<Entry> m_entries;
    bool m_ok = true;
};

// A transparent ARGB canvas.
QImage canvas(int w, int h);
// A painter set up for smooth drawing.
void beginPainter(QPainter& p, QImage& img);

// The face of a rounded body: vertical gradient, border, inner top highlight
// and an optional one-pixel shadow under the body.
struct Face {
    QColor top;
    QColor bottom;
    QColor border;
    QColor highlight = QColor(255, 255, 255, 0);
    int shadowAlpha = 0;     // alpha of the one-pixel shadow below the body
    QColor innerShade = QColor(0, 0, 0, 0); // inset shade along the top (pressed faces)
};

// Draws a rounded body that fills r (border included). When the face has a
// shadow the body leaves the last pixel row for it.
void drawBody(QPainter& p, const QRectF& r, qreal radius, const Face& f);

// A horizontal band: vertical gradient plus optional one-pixel lines at the
// top and bottom edges (used by the single-image strips).
void drawBand(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
              const QColor& topLine, const QColor& bottomLine,
              const QColor& topHighlight = QColor(0, 0, 0, 0));

QColor mix(const QColor& a, const QColor& b, qreal t);
QColor withAlpha(const QColor& c, int alpha);

// A four-pointed sparkle centred at c with outer radius r.
QPainterPath sparklePath(QPointF c, qreal r, qreal waist = 0.28);
// The mouse pointer arrow with its tip at tip, scaled by s (1 = 12 px tall).
void drawPointer(QPainter& p, QPointF tip, qreal s);
