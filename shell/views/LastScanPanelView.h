#pragma once

#include "shell/common/TextSource.h"
#include "shell/views/LastScanSummary.h"

#include <QColor>
#include <QObject>

#include <array>

namespace Ui {
class MainMenuInterface;
}

namespace qshell {

// The System Status panel below the header: the last One Click scan's time, issues, junk
// size, grade and level, and the recommended action with its start button.
class LastScanPanelView : public QObject {
    Q_OBJECT
public:
    // The engine's level colours: low, medium, high.
    using GradeColours = std::array<QColor, 3>;

    LastScanPanelView(Ui::MainMenuInterface& ui, TextSource texts, GradeColours colours,
                      QObject* parent = nullptr);

    // Texts of the panel and the recommended-action box.
    void updateLanguageTokens();
    // Fonts, colours and panel backgrounds.
    void updateSystemStatusFonts();
    // Shows a summary read from the stored last scan.
    void show(const LastScanPanel& panel);

    QColor colourOf(JunkLevel::Grade grade) const;

private:
    Ui::MainMenuInterface& ui_;
    TextSource texts_;
    GradeColours colours_;
};

} // namespace qshell
