#pragma once

#include <QFont>
#include <QString>

namespace qui {

// The application's font family. Sizes are points as our layouts give them; they become pixel sizes
// so text keeps the same proportion to the frames around it whatever the desktop's DPI setting.
QFont systemFont(double points);
QFont boldSystemFont(double points);
// The font of labels and small text; the same family as the system font.
QFont labelFont(double points);
// A named family; falls back to the system font's family when the name is unknown.
QFont fontNamed(const QString& family, double points);
// Copy of `font` at another size in points.
QFont withPointSize(QFont font, double points);

} // namespace qui
