#pragma once

class QWidget;

namespace qui {

// Pointing hand while the mouse is over the widget (Qt swaps the cursor on enter and leave).
void useHandCursor(QWidget* widget);
// Mouse-move events without a button held, plus enter/leave and hover repaints, for widgets
// whose look follows the mouse.
void trackHover(QWidget* widget);

} // namespace qui
