#pragma once

#include <array>
#include <cstddef>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace Ui {
class StatusInterface;
}
namespace qtk {
class LinkButton;
}

namespace qpages {

class LevelIndicator;
class ModuleSwitch;

// The controls of one module's box on the One Click dashboard.
struct OneClickControls {
    ModuleSwitch* button = nullptr;
    QFrame* box = nullptr;
    QLabel* image = nullptr;
    qtk::LinkButton* link = nullptr;
    QLabel* desc = nullptr;
    QLabel* items = nullptr;
    QLabel* size = nullptr;
    QLabel* foundSize = nullptr;
    LevelIndicator* levelBar = nullptr;
    std::array<QLabel*, 3> levelWords{};
    QFrame* ratingBox = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* details = nullptr;

    // The four boxes' controls of a loaded interface, in the dashboard's module order.
    static std::array<OneClickControls, 4> of(Ui::StatusInterface& ui);
};

} // namespace qpages
