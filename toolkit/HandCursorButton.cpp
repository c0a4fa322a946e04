#include "toolkit/HandCursorButton.h"

#include "platform/ui/Cursors.h"

namespace qtk {

HandCursorButton::HandCursorButton(QWidget* parent) : QPushButton(parent) {
    qui::useHandCursor(this);
}

HandCursorButton::HandCursorButton(const QString& title, QWidget* parent)
    : HandCursorButton(parent) {
    setText(title);
}

} // namespace qtk
