#include "toolkit/LinkButton.h"

#include "platform/ui/Cursors.h"

#include <QPainter>

namespace qtk {

LinkButton::LinkButton(QWidget* parent) : LinkButton(QColor(0, 0, 255), parent) {}

LinkButton::LinkButton(const QString& title, QWidget* parent) : LinkButton(parent) {
    setTitle(title);
}

LinkButton::LinkButton(const QColor& linkColor, QWidget* parent)
    : QPushButton(parent), linkColor_(linkColor) {
    setUp();
}

void LinkButton::setUp() {
    setFlat(true);
    setFocusPolicy(Qt::NoFocus);
    qui::useHandCursor(this);
    // A title given before construction finished (designer files) becomes a link as well.
    setTitle(text());
}

void LinkButton::setTitle(const QString& title) {
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, linkColor_);
    setPalette(pal);
    setText(title);
    update();
}

QColor LinkButton::titleColor() const {
    return palette().color(QPalette::ButtonText);
}

QSize LinkButton::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 4, metrics.height() + 4};
}

void LinkButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    QColor color = titleColor();
    if (!isEnabled()) color.setAlphaF(color.alphaF() * 0.5);
    painter.setPen(color);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

} // namespace qtk
