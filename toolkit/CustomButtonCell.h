#pragma once

#include <QProxyStyle>

namespace qtk {

// Button drawing without the bezel: set it as a button's style and only the title and icon
// are drawn. Qt buttons draw through their style, so the bezel-less cell becomes a style.
class CustomButtonCell : public QProxyStyle {
    Q_OBJECT
public:
    CustomButtonCell();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

} // namespace qtk
