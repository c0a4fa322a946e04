#pragma once

#include <QColor>

class QAbstractButton;
class QWidget;

namespace qtk {

// Two control helpers the pages and the shell share.
class CommonFuncs {
public:
    // The title's colour, normal and pressed alike. Image buttons take it as their on and off
    // title colours; link buttons keep it until their next setTitle().
    static void changeButtonTextColor(QAbstractButton* button, const QColor& color);
    // The label font of `fontSize` points, bold.
    static void setBoldFont(QWidget* control, int fontSize);
};

} // namespace qtk
