#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

namespace qui {

// Advance width of one line of text.
double textWidth(const QFont& font, const QString& text);
// Size of the text as drawn: lines split at '\n', width of the widest line, height of all.
QSizeF textSize(const QFont& font, const QString& text);
// As textSize, wrapping at word boundaries to `maxWidth`.
QSizeF textSize(const QFont& font, const QString& text, double maxWidth);

} // namespace qui
