#include "shell/app/ApplicationMenu.h"

#include "engine/TextFormat.h"
#include "platform/ui/Fonts.h"

#include <QMenu>
#include <QMenuBar>

namespace qshell {

namespace {

const char* const kMainMenu = "GRP_MAIN_MENU";
// After the close, minimize and zoom buttons (13 to 67 points).
const QRect kMenuBarFrame(78, 9, 220, 22);

QString formatted(const std::string& format, const QString& argument) {
    return QString::fromStdString(
        qengine::text::fillPlaceholders(format, {argument.toStdString()}));
}

} // namespace

ApplicationMenu::ApplicationMenu(QWidget& titleBar, const TextSource& texts, const QString& appName,
                                 Options options, Actions actions)
    : QObject(&titleBar), actions_(std::move(actions)) {
    menuBar_ = new QMenuBar(&titleBar);
    menuBar_->setObjectName(QStringLiteral("mainMenuBar"));
    menuBar_->setNativeMenuBar(false);
    menuBar_->setFont(qui::systemFont(13));
    menuBar_->setStyleSheet(QStringLiteral(
        "QMenuBar { background: transparent; color: white; }"
        "QMenuBar::item { background: transparent; padding: 2px 8px; border-radius: 4px; }"
        "QMenuBar::item:selected, QMenuBar::item:pressed { background: rgba(255, 255, 255, 50); "
        "}"));
    buildApplicationMenu(texts, appName);
    buildWindowMenu(texts);
    buildHelpMenu(texts, appName, options);
    menuBar_->setGeometry(kMenuBarFrame);
    menuBar_->show();
}

QAction* ApplicationMenu::addItem(QMenu* menu, const QString& title,
                                  const std::function<void()>& action,
                                  const QKeySequence& shortcut) {
    QAction* item = menu->addAction(title);
    item->setShortcut(shortcut);
    // Shortcuts work while the window is active, also when the bar has no focus.
    item->setShortcutContext(Qt::ApplicationShortcut);
    connect(item, &QAction::triggered, this, [action] {
        if (action) action();
    });
    return item;
}

void ApplicationMenu::buildApplicationMenu(const TextSource& texts, const QString& appName) {
    applicationMenu_ = menuBar_->addMenu(appName);
    const auto text = [&texts](const char* key) { return texts.token(kMainMenu, key); };
    addItem(applicationMenu_, formatted(text("ID_ABOUT"), appName), actions_.about);
    applicationMenu_->addSeparator();
    addItem(applicationMenu_, QString::fromStdString(text("ID_PREFERENCES")), actions_.preferences,
            QKeySequence::Preferences);
    applicationMenu_->addSeparator();
    addItem(applicationMenu_, QString::fromStdString(text("ID_APP_CLOSE")), actions_.closeWindow,
            QKeySequence::Close);
    applicationMenu_->addSeparator();
    addItem(applicationMenu_, formatted(text("ID_APP_QUIT"), appName), actions_.quit,
            QKeySequence::Quit);
}

void ApplicationMenu::buildWindowMenu(const TextSource& texts) {
    const auto text = [&texts](const char* key) {
        return QString::fromStdString(texts.token(kMainMenu, key));
    };
    QMenu* window = menuBar_->addMenu(text("ID_WINDOW"));
    addItem(window, text("ID_APP_MINIMIZE"), actions_.minimize, QKeySequence(tr("Ctrl+M")));
    addItem(window, text("ID_APP_ZOOM"), actions_.zoom);
}

void ApplicationMenu::buildHelpMenu(const TextSource& texts, const QString& appName,
                                    Options options) {
    helpMenu_ = menuBar_->addMenu(QString::fromStdString(texts.token(kMainMenu, "ID_HELP")));
    addItem(helpMenu_, tr("%1 Help").arg(appName), actions_.help, QKeySequence::HelpContents);
    helpMenu_->addSeparator();
    addItem(helpMenu_, tr("Send Feedback…"), actions_.feedback);
    addItem(helpMenu_, tr("Visit the Website"), actions_.website);
    if (options.showSpeedTest) addItem(helpMenu_, tr("Speed Test"), actions_.speedTest);
    addItem(helpMenu_, tr("Rate Us"), actions_.rateUs);
}

} // namespace qshell
