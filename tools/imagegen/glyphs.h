// Pictograms drawn with paths on a 24 x 24 design grid.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>

// What a pictogram draws with: the painter is already scaled so that the
// design grid maps onto the target square.
struct Pen {
    QPainter& p;
    qreal sw;   // stroke width in design units
    QColor ink;

    void stroke(const QPainterPath& path, qreal factor = 1.0) const;
    void fill(const QPainterPath& path) const;
    void clear(const QPainterPath& path) const; // punches a hole (layer drawing only)
    void line(qreal x1, qreal y1, qreal x2, qreal y2, qreal factor = 1.0) const;
};

using Glyph = void (*)(const Pen&);

namespace glyph {
// Module pictograms.
void gauge(const Pen&);
void sparkle(const Pen&);
void broom(const Pen&);
void logSheet(const Pen&);
void trashCan(const Pen&);
void partialDownload(const Pen&);
void shield(const Pen&);
void toolbox(const Pen&);
void largeBox(const Pen&);
void clock(const Pen&);
void duplicateSheets(const Pen&);
void uninstall(const Pen&);
// File categories and result groups.
void musicNote(const Pen&);
void picture(const Pen&);
void videoCamera(const Pen&);
void document(const Pen&);
void others(const Pen&);
void cacheStack(const Pen&);
void sandboxCube(const Pen&);
void globe(const Pen&);
// Small status marks.
void exclamation(const Pen&);
void tick(const Pen&);
void infoMark(const Pen&);
void stopBar(const Pen&);
void lockClosed(const Pen&);
void lockOpen(const Pen&);
// The brand mark: a ring with a tail and a small sparkle.
void brandRing(const Pen&);
} // namespace glyph
