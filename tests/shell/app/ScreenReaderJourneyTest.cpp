// The main window and the preferences as a screen reader finds them: through the accessibility
// tree, page by page and pane by pane, over a fixture home with results on the pages.
#include "tests/shell/app/JourneyHome.h"
#include "tests/support/GuiDriving.h"

#include "ui_MainMenu.h"

#include "shell/app/ApplicationMenu.h"
#include "shell/preferences/MyPrefsWindowController.h"
#include "shell/preferences/PreferenceController.h"
#include "shell/views/SidebarTree.h"
#include "shell/views/SidebarView.h"

#include "engine/DataFiller.h"
#include "pages/care/PageBase.h"
#include "toolkit/IMGButton.h"
#include "toolkit/NSOutlineView_NEW.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTableCellInterface>
#include <QMenu>
#include <QMenuBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

namespace {

namespace m = qengine::modules;
using qshell::SidebarTree;

// One node of the accessibility tree that is not marked invisible.
struct Exposed {
    QAccessible::Role role;
    QString name;
    QString where;   // the widget path, and the cell's row and column
    QWidget* widget; // the widget itself, or the view a cell or header belongs to
    bool needsName;
};

// The controls a user acts on; an item only when it carries a tick.
bool isInteractive(QAccessibleInterface& face) {
    switch (face.role()) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::ComboBox:
    case QAccessible::Slider:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::ColumnHeader:
    case QAccessible::PageTab:
        return true;
    case QAccessible::Cell:
    case QAccessible::ListItem:
    case QAccessible::TreeItem:
        return face.state().checkable;
    default:
        return false;
    }
}

QString widgetPath(const QWidget* widget) {
    QStringList names;
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            names.prepend(w->objectName());
    return names.join(QLatin1Char('/'));
}

void collect(QAccessibleInterface* face, QWidget* owner, std::vector<Exposed>& out) {
    if (!face || !face->isValid() || face->state().invisible) return;
    QString where;
    if (auto* widget = qobject_cast<QWidget*>(face->object())) {
        owner = widget;
        where = widgetPath(widget);
        if (where.isEmpty()) where = QString::fromLatin1(widget->metaObject()->className());
    } else if (QAccessibleTableCellInterface* cell = face->tableCellInterface()) {
        where = widgetPath(owner) +
                QStringLiteral(" cell %1,%2").arg(cell->rowIndex()).arg(cell->columnIndex());
    } else {
        where = widgetPath(owner) + (face->role() == QAccessible::ColumnHeader
                                         ? QStringLiteral(" header")
                                         : QStringLiteral(" item"));
    }
    out.push_back(
        {face->role(), face->text(QAccessible::Name), where, owner, isInteractive(*face)});
    for (int i = 0; i < face->childCount(); ++i)
        collect(face->child(i), owner, out);
}

std::vector<Exposed> exposedIn(QWidget& window) {
    std::vector<Exposed> out;
    collect(QAccessible::queryAccessibleInterface(&window), &window, out);
    return out;
}

bool isWithin(const QWidget* widget, const QWidget* ancestor) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == ancestor) return true;
    return false;
}

class ScreenReaderJourney : public ::testing::Test {
protected:
    JourneyHome home;

    // The shared preferences window goes before the application, as at quit: its accessibility
    // interfaces must not outlive the application object.
    void TearDown() override {
        qshell::MyPrefsWindowController::releaseSharedPrefsWindowController();
    }

    qshell::AppController& controller() { return home.application().controller(); }
    Ui::MainMenuInterface& ui() { return controller().ui(); }

    static void click(QWidget* widget) { JourneyHome::click(widget); }
    void clickRow(int row) { home.clickSidebarRow(row); }

    bool oneClickIdle() {
        for (const auto& module :
             {m::kSystemCleaner, m::kLogsCleaner, m::kTrashCleaner, m::kPartialDownloads})
            if (controller().engine().isModuleBusy(module)) return false;
        return true;
    }

    // Every control a user acts on, as the screen shows it, says its name.
    static void expectEveryControlNamed(const std::vector<Exposed>& exposed,
                                        const std::string& screen) {
        QStringList unnamed;
        for (const Exposed& e : exposed)
            if (e.needsName && e.name.trimmed().isEmpty())
                unnamed << QStringLiteral("%1 (role 0x%2)").arg(e.where).arg(e.role, 0, 16);
        EXPECT_TRUE(unnamed.isEmpty())
            << screen << ", no name:\n  " << unnamed.join(QStringLiteral("\n  ")).toStdString();
    }

    static bool says(const std::vector<Exposed>& exposed, QAccessible::Role role,
                     const QString& name) {
        return std::any_of(exposed.begin(), exposed.end(),
                           [&](const Exposed& e) { return e.role == role && e.name == name; });
    }

    // Every button and check box the screen shows can be reached in the tree; a control drawn
    // inside an item view's header or cells would be out of a screen reader's reach.
    static void expectEveryShownButtonReachable(QWidget& window,
                                                const std::vector<Exposed>& exposed,
                                                const std::string& screen) {
        std::set<const QWidget*> reached;
        for (const Exposed& e : exposed)
            reached.insert(e.widget);
        QStringList unreachable;
        QStringList misnamed;
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            if (!button->isVisible()) continue;
            if (!reached.count(button)) unreachable << widgetPath(button);
            // A titled button is announced by the title it shows, with context where several
            // buttons show the same title ("System Cleaner Details").
            const QString title = QString(button->text()).remove(QLatin1Char('&'));
            const QString name = gui_driving::accessibleName(button);
            if (!title.isEmpty() && !name.contains(title))
                misnamed << QStringLiteral("%1 shows \"%2\", says \"%3\"")
                                .arg(widgetPath(button), title, name);
        }
        EXPECT_TRUE(unreachable.isEmpty())
            << screen << ", shown but unreachable:\n  "
            << unreachable.join(QStringLiteral("\n  ")).toStdString();
        EXPECT_TRUE(misnamed.isEmpty())
            << screen << ":\n  " << misnamed.join(QStringLiteral("\n  ")).toStdString();
    }

    // Nothing of `hidden` is exposed.
    static void expectNothingOf(const QWidget* hidden, const std::vector<Exposed>& exposed,
                                const std::string& screen) {
        QStringList reachable;
        for (const Exposed& e : exposed)
            if (isWithin(e.widget, hidden)) reachable << e.where;
        EXPECT_TRUE(reachable.isEmpty()) << screen << ", exposed though not shown:\n  "
                                         << reachable.join(QStringLiteral("\n  ")).toStdString();
    }
};

TEST_F(ScreenReaderJourney, EveryShownControlHasANameAndOnlyTheShownPageIsExposed) {
    // Something for the Misc Cleaning table to list, with its tick.
    std::filesystem::create_directories(home.home() + "/.Trash");
    std::ofstream(home.home() + "/.Trash/old notes.txt") << "notes";
    home.grantInAdvance();
    home.responder.answerAlerts();
    home.launch();
    qtk::WAYAppStoreWindow& window = home.application().window();
    ASSERT_TRUE(JourneyHome::waitFor([&] { return window.isVisible(); }));

    // Results on the four junk pages, from the header's scan.
    click(ui().scanButton);
    ASSERT_TRUE(JourneyHome::waitFor(
        [&] { return oneClickIdle() && ui().removeButton->isVisible(); }, 30000));
    {
        const auto exposed = exposedIn(window);
        expectEveryControlNamed(exposed, "System Status");
        for (const char* button : {"Close Window", "Minimize", "Zoom"})
            EXPECT_TRUE(says(exposed, QAccessible::PushButton, button)) << button;
    }

    const SidebarTree& tree = controller().sidebar().tree();
    std::set<std::string> pagesSeen;
    for (int row = 0; row < tree.rowCount(); ++row) {
        const auto node = tree.nodeAt(row);
        if (!node->isLeaf() || node->nodeTitle() == SidebarTree::kSpacer ||
            row == SidebarTree::kSystemStatus)
            continue;
        const std::string title = node->nodeTitle();
        clickRow(row);
        qpages::PageBase* page = controller().page(title);
        ASSERT_NE(page, nullptr) << title;
        QWidget* view = page->view();
        ASSERT_TRUE(JourneyHome::waitFor([&] { return view->isVisible(); })) << title;
        if (row == SidebarTree::kOneClickCleaning) {
            // A module's found items, in the details under the module's row, once the page has
            // settled (showing it closes the details).
            QTest::qWait(100);
            click(view->findChild<QWidget*>("detailsCache"));
            auto* details = view->findChild<QWidget*>("ovDetails");
            ASSERT_TRUE(JourneyHome::waitFor([&] { return details->isVisible(); }));
            QTest::qWait(100);
            ASSERT_TRUE(details->isVisible());
        }
        if (title == controller().displayName("Misc Cleaning")) {
            click(view->findChild<qtk::IMGButton*>("scanButton"));
            auto* table = view->findChild<QTableView*>("tableView");
            click(view->findChild<QWidget*>("btnDownloads"));
            ASSERT_TRUE(JourneyHome::waitFor([&] {
                return !controller().engine().isModuleBusy(m::kMiscCleaning) &&
                       table->model()->rowCount() > 0;
            }));
            EXPECT_TRUE(says(exposedIn(window), QAccessible::Cell, "old notes.txt"))
                << "a tick says what it ticks";
        }
        QApplication::processEvents();
        const auto exposed = exposedIn(window);
        expectEveryControlNamed(exposed, title);
        expectEveryShownButtonReachable(window, exposed, title);
        expectNothingOf(ui().whiteBox, exposed, title);
        pagesSeen.insert(title);
    }
    EXPECT_EQ(pagesSeen.size(), 11u);

    // Back on System Status, no page is left behind it.
    clickRow(SidebarTree::kSystemStatus);
    const auto exposed = exposedIn(window);
    for (const std::string& title : pagesSeen)
        expectNothingOf(controller().page(title)->view(), exposed, "System Status");

    // The preferences, pane by pane through the toolbar.
    QMenuBar* bar = controller().menu().menuBar();
    QMenu* appMenu = bar->actions().constFirst()->menu();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[0]).center());
    ASSERT_TRUE(JourneyHome::waitFor([&] { return appMenu->isVisible(); }));
    for (QAction* item : appMenu->actions())
        if (item->text() == "Preferences…")
            QTest::mouseClick(appMenu, Qt::LeftButton, {}, appMenu->actionGeometry(item).center());
    qshell::MyPrefsWindowController* prefs = nullptr;
    ASSERT_TRUE(JourneyHome::waitFor([&] {
        prefs = JourneyHome::visibleTopLevel<qshell::MyPrefsWindowController>("Preferences");
        return prefs != nullptr;
    }));
    const QList<QAction*> panes = prefs->toolbar()->actions();
    ASSERT_EQ(panes.size(), 5);
    for (QAction* pane : panes) {
        click(prefs->toolbar()->widgetForAction(pane));
        ASSERT_TRUE(pane->isChecked()) << pane->text().toStdString();
        const std::string screen = "Preferences " + pane->text().toStdString();
        const auto shown = exposedIn(*prefs);
        expectEveryControlNamed(shown, screen);
        expectEveryShownButtonReachable(*prefs, shown, screen);
        if (pane->objectName() == "Large Files") {
            EXPECT_TRUE(says(shown, QAccessible::EditableText, "Music: Larger than"));
        }
        for (const char* name : {"duplicatesPrefsView", "languagePrefsView", "uninstallerPrefsView",
                                 "largeFilesPrefsView", "miscPrefsView"}) {
            QWidget* paneView = prefs->preferenceController().paneView(name);
            if (!paneView->isVisible()) expectNothingOf(paneView, shown, screen);
        }
    }
}

} // namespace
