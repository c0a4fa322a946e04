// The home-folder grant through the sheet and a scripted folder panel.
#include "tests/shell/app/ShellFixture.h"

#include "shell/grant/HomeFolderSheet.h"
#include "shell/grant/HomeGrant.h"
#include "shell/grant/ScriptInstaller.h"

#include "platform/core/FileManager.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/BlackView.h"
#include "toolkit/CustomSheetWindow.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using qshell::HomeGrant;

// Presses `button` of the sheet each time the sheet runs, from inside its modal loop, and
// counts the runs with the overlays found in the sheet.
class SheetDriver {
public:
    SheetDriver(qshell::HomeFolderSheet& sheet, std::function<QPushButton*()> button)
        : sheet_(sheet), button_(std::move(button)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            // Each run lays a new overlay, so a run not yet answered has an overlay not seen.
            qtk::BlackView* overlay = qtk::BlackView::findOverlay(sheet_.sheet()->contentView());
            if (!sheet_.sheet()->isRunning() || !overlay || overlay == answered_) return;
            answered_ = overlay;
            ++runs;
            overlays.push_back(overlayCount());
            pathShown = sheet_.homeFolderPathLabel()->text();
            button_()->click();
        });
        poll_.start(10);
    }
    int runs = 0;
    std::vector<int> overlays;
    QString pathShown;

private:
    int overlayCount() const {
        int count = 0;
        for (QObject* child : sheet_.sheet()->contentView()->children())
            if (auto* overlay = qobject_cast<qtk::BlackView*>(child))
                count += overlay->tTag() == qtk::BlackView::kOverlayTag &&
                         overlay->isAncestorOf(sheet_.box());
        return count;
    }
    qshell::HomeFolderSheet& sheet_;
    std::function<QPushButton*()> button_;
    QTimer poll_;
    QPointer<qtk::BlackView> answered_;
};

TEST(HomeFolderGrantTest, WrongFolderWarnsAndAsksAgainThenTheHomeIsGranted) {
    ShellFixture shell;
    int panels = 0;
    const std::string other = shell.scratch().folder("Documents");
    shell.panelScript = [&](const QString&, qshell::ShellDialogs::FolderDone done) {
        ++panels;
        if (panels == 1)
            done(false, QString()); // cancelled: the sheet again, no alert
        else if (panels == 2)
            done(true, QString::fromStdString(other));
        else
            done(true, QString::fromStdString(shell.home()));
    };
    shell.create();
    SheetDriver driver(shell.controller().homeFolderSheet(),
                       [&] { return shell.controller().homeFolderSheet().confirmButton(); });
    shell.launch();
    ASSERT_TRUE(ShellFixture::waitFor(
        [&] { return shell.controller().homeGrant().state() == HomeGrant::State::Granted; }));

    EXPECT_EQ(driver.runs, 3);
    EXPECT_EQ(driver.pathShown.toStdString(), shell.home());
    // Every run shows the box on exactly one overlay.
    EXPECT_EQ(driver.overlays, std::vector<int>(3, 1));
    ASSERT_EQ(shell.record().panelStarts.size(), 3u);
    EXPECT_EQ(shell.record().panelStarts.front().toStdString(), shell.home());
    ASSERT_EQ(shell.record().modalAlerts.size(), 1u);
    EXPECT_EQ(shell.record().modalAlerts.front().toStdString(), HomeGrant::kMismatchMessage);

    // Granted: the grant is stored, the status item made and the script installed.
    EXPECT_TRUE(qcore::UserDefaults::standard().dataForKey("pathData").has_value());
    EXPECT_EQ(shell.statusItemCalls, 1);
    EXPECT_TRUE(
        qcore::FileManager::exists(qshell::ScriptInstaller::targetPath(shell.home() + "/scripts")));
    EXPECT_NE(shell.controller().scriptTask(), nullptr);
    EXPECT_EQ(shell.record().quits, 0);
}

TEST(HomeFolderGrantTest, CancelOnTheSheetQuits) {
    ShellFixture shell;
    shell.create();
    SheetDriver driver(shell.controller().homeFolderSheet(),
                       [&] { return shell.controller().homeFolderSheet().cancelButton(); });
    shell.launch();
    ASSERT_TRUE(ShellFixture::waitFor([&] { return shell.record().quits == 1; }));
    EXPECT_EQ(shell.controller().homeGrant().state(), HomeGrant::State::Quitting);
    EXPECT_TRUE(shell.record().panelStarts.empty());
    EXPECT_EQ(shell.statusItemCalls, 0);
}

} // namespace
