// The Uninstaller in the application as main() builds it: its sidebar row clicked, an
// application dropped on its page, Uninstall pressed and confirmed, then the disk checked.
#include "tests/shell/app/ShellFixture.h"

#include "ui_MainMenu.h"

#include "shell/views/SidebarView.h"

#include "engine/ModuleKeys.h"
#include "pages/tools/UninstallDragDrop.h"
#include "pages/tools/UninstallerController.h"
#include "tests/engine/UninstallFixtures.h"
#include "tests/support/GuiDriving.h"
#include "toolkit/NSOutlineView_NEW.h"

#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace uninstall_fixtures;
using qpages::UninstallerController;

constexpr int kUninstallerRow = 20;

TEST(UninstallerJourney, ADroppedApplicationGoesWithItsLeftoversAndNothingElse) {
    ShellFixture shell;
    ScratchFolder outside;
    shell.grantHomeInAdvance();
    shell.create();
    shell.launch();
    shell.window().show();

    const std::string home = shell.home();
    const auto app =
        makeApp(home + "/Applications", "Foo Bar.app", infoFor("Foo Bar", "com.example.foobar"));
    const auto leftovers = writeLeftovers(home, "foo bar", "com.example.foobar");
    shell.scratch().file("Library/Caches/com.other.app/cache.db", "other cache");
    shell.scratch().file("Documents/letter.txt", "dear");
    outside.file("data/important.txt", "important");
    const auto outsideBefore = treeSnapshot(outside.path());

    auto& sidebar = shell.controller().sidebar();
    auto& outline = *shell.controller().ui().myOutlineView;
    const QModelIndex row = sidebar.model()
                                .match(sidebar.model().index(0, 0), qshell::SidebarView::kRowRole,
                                       kUninstallerRow, 1, Qt::MatchExactly | Qt::MatchRecursive)
                                .first();
    QTest::mouseClick(outline.viewport(), Qt::LeftButton, {}, outline.visualRect(row).center());
    const auto name = shell.controller().displayName(qengine::modules::kUninstaller);
    auto* page = dynamic_cast<UninstallerController*>(shell.controller().page(name));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(shell.controller().shownView(), page);
    ASSERT_TRUE(ShellFixture::waitFor([page] { return page->dropView()->isVisible(); }));

    // Everything but the bundle and the seven leftovers must stay as it is, once the start-up
    // has put its script in place.
    const std::string script = home + "/scripts/runScript.scpt";
    ASSERT_TRUE(ShellFixture::waitFor([&] { return std::filesystem::exists(script); }));
    auto expected = treeSnapshot(home);
    std::erase_if(expected, [&](const auto& entry) {
        const std::string path = home + "/" + entry.first;
        if (path.rfind(app, 0) == 0) return true;
        for (const auto& leftover : leftovers)
            if (path == leftover || path.rfind(leftover + "/", 0) == 0) return true;
        return false;
    });

    gui_driving::dropFiles(page->dropView(), {QString::fromStdString(app)});
    ASSERT_TRUE(ShellFixture::waitFor([page] {
        return page->face() == UninstallerController::Face::Details && !page->isBusy();
    }));
    EXPECT_EQ(page->leftovers().size(), 7u);
    gui_driving::answerNextAlert(page, "OK");
    QTest::mouseClick(page->findChild<QWidget*>("removeButton"), Qt::LeftButton);
    ASSERT_TRUE(ShellFixture::waitFor(
        [page] { return page->face() == UninstallerController::Face::Done && !page->isBusy(); }));

    EXPECT_EQ(changes(expected, treeSnapshot(home)), "");
    EXPECT_EQ(changes(outsideBefore, treeSnapshot(outside.path())), "");
}

} // namespace
