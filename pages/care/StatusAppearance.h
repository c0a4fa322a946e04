#pragma once

#include "pages/care/OneClickControls.h"

#include <QColor>

#include <array>

class QWidget;

namespace Ui {
class StatusInterface;
}
namespace qengine {
class DataFiller;
}

namespace qpages {

// The dashboard's fixed look: its texts from the language table, fonts, colours, images, level
// colours, button images, and how its parts follow the view's size.
class StatusAppearance {
public:
    static const QColor& green();
    static const QColor& red();
    static const QColor& darkGrey();
    static void setTextColor(QWidget* widget, const QColor& color);

    // Everything the set-up applies once the interface is loaded.
    static void apply(Ui::StatusInterface& ui, const std::array<OneClickControls, 4>& controls,
                      const qengine::DataFiller& engine);
    // Ticked modules in full colour, the others dimmed.
    static void toggleColorsOnOff(const std::array<OneClickControls, 4>& controls,
                                  const std::array<bool, 4>& ticked);

private:
    static void updateLanguageTokens(Ui::StatusInterface& ui,
                                     const std::array<OneClickControls, 4>& controls,
                                     const qengine::DataFiller& engine);
    static void makeFontColorSettings(Ui::StatusInterface& ui,
                                      const std::array<OneClickControls, 4>& controls,
                                      const qengine::DataFiller& engine);
    static void makeLevelBarSettings(const std::array<OneClickControls, 4>& controls,
                                     const qengine::DataFiller& engine);
    static void setButtonImages(Ui::StatusInterface& ui);
    static void applyResizing(Ui::StatusInterface& ui);
};

} // namespace qpages
