// The junk-cleaner pages inside the application's main window: a One Click scan moves them, the
// sidebar shows them, and a clean from the page removes only that module's ticked items.
#include "tests/pages/support/PageJourney.h"
#include "tests/shell/app/ShellFixture.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "pages/care/ModuleViewController.h"
#include "shell/views/SidebarView.h"
#include "toolkit/IMGButton.h"
#include "toolkit/NSOutlineView_NEW.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTest>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Clicks the sidebar row of a module, as a user picks a page.
void clickSidebarRow(ShellFixture& shell, int row) {
    auto* outline = shell.window().findChild<qtk::NSOutlineView_NEW*>();
    ASSERT_NE(outline, nullptr);
    const auto& model = shell.controller().sidebar().model();
    const auto found = model.match(model.index(0, 0), qshell::SidebarView::kRowRole, row, 1,
                                   Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(outline->viewport(), Qt::LeftButton, {},
                      outline->visualRect(found.front()).center());
    QCoreApplication::processEvents();
}

TEST(PagesInWindow, OneClickResultsShowOnTheSystemCleanerPageWhichCleansThem) {
    ShellFixture shell;
    shell.addJunk(6, 4, 3);
    shell.grantHomeInAdvance();
    shell.create();
    shell.launch();
    ASSERT_TRUE(PageJourney::waitFor([&] { return shell.window().isVisible(); }));
    auto& engine = shell.controller().engine();
    shell.controller().fixNow();
    ASSERT_TRUE(PageJourney::waitFor([&] {
        return engine.getItemsCountOfModule(qengine::modules::kSystemCleaner) == 6 &&
               !engine.isModuleBusy(qengine::modules::kSystemCleaner);
    }));
    PageJourney::waitFor([] { return false; }, 200);

    clickSidebarRow(shell, qshell::SidebarTree::kSystemCleaner);
    auto* page = dynamic_cast<qpages::ModuleViewController*>(
        shell.controller().page(shell.controller().displayName(qengine::modules::kSystemCleaner)));
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->isVisible());
    EXPECT_EQ(page->findChild<QLabel*>("lblSelectedItems")->text().toStdString(),
              "6 of 6 items selected");
    PageJourney::screenshot(shell.window(), "main_system_cleaner_after_one_click");

    PageJourney::answerNextAlert("OK");
    PageJourney::click(page->removeButton());
    ASSERT_TRUE(PageJourney::waitFor([&] {
        return engine.getItemsCountOfModule(qengine::modules::kSystemCleaner) == 0 &&
               !engine.isModuleBusy(qengine::modules::kSystemCleaner);
    }));
    EXPECT_FALSE(fs::exists(shell.home() + "/Library/Caches/com.example.app0"));
    EXPECT_TRUE(fs::exists(shell.home() + "/Library/Logs/tool0.log"));
    EXPECT_TRUE(fs::exists(shell.home() + "/Library/Logs/DiagnosticReports/app0.crash"));
    PageJourney::waitFor([] { return false; }, 100);
    EXPECT_EQ(page->findChild<QLabel*>("lblSelectedItems")->text().toStdString(),
              "6 of 6 items cleaned");
    // The emptied group shows its new sum.
    auto* tree = page->findChild<QAbstractItemView*>("outlineView");
    EXPECT_EQ(tree->model()->index(0, 3).data().toString().toStdString(), "0 bytes");
    PageJourney::screenshot(shell.window(), "main_system_cleaner_cleaned");
}

} // namespace
