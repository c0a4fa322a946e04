#include "platform/ui/Fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace qui {

QFont withPointSize(QFont font, double points) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points))));
    return font;
}

QFont systemFont(double points) {
    return withPointSize(QGuiApplication::font(), points);
}

QFont boldSystemFont(double points) {
    QFont font = systemFont(points);
    font.setBold(true);
    return font;
}

QFont labelFont(double points) {
    return systemFont(points);
}

QFont fontNamed(const QString& family, double points) {
    QFont font = systemFont(points);
    if (QFontDatabase::hasFamily(family)) font.setFamily(family);
    return font;
}

} // namespace qui
