// The image families and the helpers they share.
#pragma once

#include "canvas.h"
#include "glyphs.h"

// Draws a pictogram into a transparent square layer of side `size`.
// zoom enlarges the design grid around its centre; strokePx is the stroke
// width in pixels; the ink colour is used for strokes and fills.
QImage glyphLayer(int size, Glyph g, qreal zoom, qreal strokePx, const QColor& ink);
// Default stroke width in pixels for a pictogram of this size.
qreal strokeFor(int size);

enum class TileShape { RoundedSquare, Circle };
// A coloured tile (rounded square or disc) with a white pictogram.
QImage tileIcon(int size, const QColor& base, Glyph g, TileShape shape = TileShape::RoundedSquare);

void makeWindowChrome(Writer& w);   // window buttons, header, logo, status item
void makeButtons(Writer& w);        // three-part action buttons and tabs
void makePanels(Writer& w);         // three-part and single-image panels
void makeIcons(Writer& w);          // module, category, group and status icons
void makePictures(Writer& w);       // illustrations

// Writes a contact sheet of every PNG in dir to out, and an enlarged sheet of
// the small ones to zoomOut. Returns a process exit code.
int contactSheet(const QString& dir, const QString& out, const QString& zoomOut);
// Writes a mock-up of the main window and the other panels assembled from the
// PNG files in dir. Returns a process exit code (1 when a file is missing).
int previewSheet(const QString& dir, const QString& out);
