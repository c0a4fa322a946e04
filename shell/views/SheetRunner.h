#pragma once

class QWidget;

namespace qtk {
class CustomSheetWindow;
}

namespace qshell {

// Runs the main window's own sheets (the home-folder sheet and the feedback form): sizes the
// sheet to the window, places the box, lays the dark overlay under it from 10.10 on, attaches
// the sheet and runs it modally. Main thread only.
class SheetRunner {
public:
    static constexpr double kTitleBarHeight = 40;

    // `isYosemite` and `isOSXGreaterThan11` are the application delegate's answers.
    SheetRunner(QWidget& mainWindow, bool isYosemite, bool isOSXGreaterThan11)
        : mainWindow_(mainWindow), isYosemite_(isYosemite),
          isOSXGreaterThan11_(isOSXGreaterThan11) {}

    // Returns when the sheet's modal session is stopped (closeSheet).
    void runSheetWindow(qtk::CustomSheetWindow& sheet, QWidget& box) const;
    // Stops the modal session, orders the sheet out and ends it.
    static void closeSheet(qtk::CustomSheetWindow& sheet);

private:
    void placeBox(qtk::CustomSheetWindow& sheet, QWidget& box) const;
    void layOverlay(qtk::CustomSheetWindow& sheet, QWidget& box) const;

    QWidget& mainWindow_;
    bool isYosemite_;
    bool isOSXGreaterThan11_;
};

} // namespace qshell
