#pragma once

#include "shell/common/TextSource.h"

#include <QKeySequence>
#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace qshell {

// The main window's menus, shown in its title bar: the application menu (About, Preferences,
// Close Window, Quit), Window and Help. The application menu's titles and the Window and Help
// menus' own titles come from the language table.
class ApplicationMenu : public QObject {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> about;
        std::function<void()> preferences;
        std::function<void()> closeWindow;
        std::function<void()> quit;
        std::function<void()> minimize;
        std::function<void()> zoom;
        std::function<void()> help;
        std::function<void()> feedback;
        std::function<void()> website;
        std::function<void()> speedTest;
        std::function<void()> rateUs;
    };
    struct Options {
        bool showSpeedTest = false;
    };

    // Places the menu bar in `titleBar` at the left, after the window buttons.
    ApplicationMenu(QWidget& titleBar, const TextSource& texts, const QString& appName,
                    Options options, Actions actions);

    QMenuBar* menuBar() const { return menuBar_; }
    QMenu* applicationMenu() const { return applicationMenu_; }
    QMenu* helpMenu() const { return helpMenu_; }

private:
    void buildApplicationMenu(const TextSource& texts, const QString& appName);
    void buildWindowMenu(const TextSource& texts);
    void buildHelpMenu(const TextSource& texts, const QString& appName, Options options);
    QAction* addItem(QMenu* menu, const QString& title, const std::function<void()>& action,
                     const QKeySequence& shortcut = {});

    Actions actions_;
    QMenuBar* menuBar_ = nullptr;
    QMenu* applicationMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
};

} // namespace qshell
