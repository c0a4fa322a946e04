#pragma once

#include "tests/shell/support/ScratchFolder.h"

#include "shell/app/Application.h"

#include "platform/ui/QtMainThread.h"

#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A fixture home (junk for the One Click modules, files to keep, a Firefox profile list, a
// folder outside the home) with the application built over it as the entry point builds it:
// real dialogs, the status item and the preferences, but web addresses and quitting recorded.
// The desktop's MIME associations are fixture folders, so no software centre exists unless
// registerSoftwareCentre() adds one.
class JourneyHome {
public:
    // Answers what turns up while the event loop runs, nested loops included: every 10 ms each
    // rule whose condition holds runs its action.
    class Responder {
    public:
        struct Alert {
            QString title;
            QString text;
        };
        Responder();
        void whenever(std::function<bool()> condition, std::function<void()> action);
        // Each alert box is recorded, photographed and answered with its first button.
        void answerAlerts();
        std::vector<Alert> alerts;
        std::function<void(const QString&, QWidget&)> shoot;

    private:
        QTimer poll_;
        struct Rule {
            std::function<bool()> condition;
            std::function<void()> action;
            bool running;
        };
        std::vector<Rule> rules_;
    };

    JourneyHome();
    ~JourneyHome();
    JourneyHome(const JourneyHome&) = delete;
    JourneyHome& operator=(const JourneyHome&) = delete;

    const std::string& home() const { return home_; }
    // A folder beside the home, never touched.
    const std::string& outside() const { return outside_; }
    void grantInAdvance() const;
    bool storedGrant() const;
    // Builds the application and runs its launch.
    void launch();
    qshell::Application& application() { return *application_; }

    bool junkIsGone() const;
    // Files outside the junk, and the folder outside the home, byte for byte as they were.
    void expectKeptFilesUntouched() const;
    void registerSoftwareCentre() const;
    // From now on the recorder answers that no address can be opened.
    void failToOpenUrls() { openSucceeds_ = false; }

    // Writes `widget` as "<name>.png" into the screenshot folder.
    void shoot(const QString& name, QWidget& widget) const;

    static bool waitFor(const std::function<bool()>& done, int timeoutMs = 10000);
    // Clicks `widget` in its middle, as a user does; it must be shown and enabled.
    static void click(QWidget* widget);
    // Clicks the sidebar's row `row` (a sidebar tree row), scrolled into view.
    void clickSidebarRow(int row);
    template <typename W> static W* visibleTopLevel(const QString& objectName) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->objectName() == objectName)
                if (auto* w = qobject_cast<W*>(top)) return w;
        return nullptr;
    }

    std::vector<QUrl> openedUrls;
    int quits = 0;
    Responder responder;

private:
    ScratchFolder scratch_;
    std::string home_;
    std::string xdg_;
    std::string outside_;
    bool openSucceeds_ = true;
    std::map<std::string, std::string> kept_;
    std::vector<std::string> junk_;
    std::map<std::string, std::string> savedEnvironment_;
    qui::QtMainThread mainThread_;
    std::unique_ptr<qshell::Application> application_;
};
