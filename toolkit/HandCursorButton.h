#pragma once

#include <QPushButton>

namespace qtk {

// An ordinary button that shows the pointing hand while the mouse is over it.
class HandCursorButton : public QPushButton {
    Q_OBJECT
public:
    explicit HandCursorButton(QWidget* parent = nullptr);
    HandCursorButton(const QString& title, QWidget* parent);
};

} // namespace qtk
