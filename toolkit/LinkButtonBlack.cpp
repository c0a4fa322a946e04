#include "toolkit/LinkButtonBlack.h"

namespace qtk {

LinkButtonBlack::LinkButtonBlack(QWidget* parent) : LinkButton(QColor(Qt::black), parent) {}

LinkButtonBlack::LinkButtonBlack(const QString& title, QWidget* parent) : LinkButtonBlack(parent) {
    setTitle(title);
}

} // namespace qtk
