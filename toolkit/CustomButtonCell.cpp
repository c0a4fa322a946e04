#include "toolkit/CustomButtonCell.h"

namespace qtk {

CustomButtonCell::CustomButtonCell() : QProxyStyle() {}

void CustomButtonCell::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_PanelButtonCommand:
    case PE_PanelButtonBevel:
    case PE_FrameButtonBevel:
    case PE_FrameDefaultButton:
    case PE_FrameFocusRect:
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void CustomButtonCell::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element == CE_PushButtonBevel) return;
    QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace qtk
