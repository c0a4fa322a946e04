// Colour palette and shared measures of every generated image.
#pragma once

#include <QColor>

namespace pal {

inline QColor hex(const char* h, int alpha = 255)
{
    QColor c(QString::fromLatin1(h));
    c.setAlpha(alpha);
    return c;
}

// Brand blue.
inline const QColor blue = hex("#2F7BEA");
inline const QColor blueLight = hex("#4B91F2");
inline const QColor blueDark = hex("#2266D2");
inline const QColor blueDeep = hex("#1C56B4");

// Success green.
inline const QColor green = hex("#34A853");
inline const QColor greenLight = hex("#4CBA69");
inline const QColor greenDark = hex("#2B9146");
inline const QColor greenDeep = hex("#237B3B");

// Alert red and warning amber.
inline const QColor red = hex("#E5484D");
inline const QColor redLight = hex("#F0625F");
inline const QColor redDark = hex("#CF3A3F");
inline const QColor amber = hex("#F2A93B");
inline const QColor amberDark = hex("#D98E1F");

// Neutral greys, light to dark.
inline const QColor grey50 = hex("#F6F8FA");
inline const QColor grey100 = hex("#EEF1F4");
inline const QColor grey150 = hex("#E5E9EE");
inline const QColor grey200 = hex("#D9DEE4");
inline const QColor grey300 = hex("#C7CED6");
inline const QColor grey400 = hex("#A3ADB8");
inline const QColor grey500 = hex("#858F9C");
inline const QColor grey600 = hex("#6C7684");
inline const QColor grey700 = hex("#555F6C");
inline const QColor ink = hex("#2B3440");

// Extra accents used only to tell file categories apart.
inline const QColor violet = hex("#8A63E3");
inline const QColor orange = hex("#EE8A2E");
inline const QColor slate = hex("#5E6D84");

} // namespace pal
