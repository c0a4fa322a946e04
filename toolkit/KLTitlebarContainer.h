#pragma once

#include "platform/ui/TitleBar.h"

namespace qtk {

// The strip at the top of a KLAppStoreWindow that holds its title-bar view. Dragging it moves
// the window, except in full screen.
class KLTitlebarContainer : public qui::TitleBar {
    Q_OBJECT
public:
    explicit KLTitlebarContainer(QWidget* parent = nullptr);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace qtk
