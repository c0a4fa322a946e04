// The Uninstaller page driven as a user drives it: files dropped on its drop area, its buttons
// clicked, its alerts and sheet answered, then the disk checked.
#include "engine/DataFiller.h"
#include "engine/Pacer.h"
#include "pages/tools/UninstallDragDrop.h"
#include "pages/tools/UninstallerAppsSheet.h"
#include "pages/tools/UninstallerController.h"
#include "platform/core/Bundle.h"
#include "platform/core/Home.h"
#include "platform/core/Workspace.h"
#include "platform/ui/QtMainThread.h"
#include "tests/engine/UninstallFixtures.h"
#include "tests/pages/support/PageJourney.h"
#include "tests/platform/core/TempDir.h"
#include "tests/support/GuiDriving.h"
#include "toolkit/IMGButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDragEnterEvent>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using namespace uninstall_fixtures;
using qpages::UninstallerController;
using Face = UninstallerController::Face;

namespace {

constexpr const char* kIdentifier = "com.example.foobar";

class UninstallerPage : public PageJourney {
protected:
    void SetUp() override {
        PageJourney::SetUp();
        window_ = std::make_unique<QWidget>();
        page_ = new UninstallerController(*engine_, window_.get());
        auto* layout = new QVBoxLayout(window_.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page_->view());
        page_->setRevealHandler([this](const QString& path) {
            revealed_ << path;
            return true;
        });
        installScript(std::string(QUENDRIX_TEST_RESOURCES) + "/runScript.scpt");
        showPage(*window_);
        outside_.write("data/important.txt", "important");
        home_.write("Documents/letter.txt", "dear");
        home_.write("Library/Caches/com.other.app/cache.db", "other cache");
        home_.write("Library/Preferences/com.other.app.plist", "other settings");
    }
    void TearDown() override {
        window_.reset();
        qcore::Workspace::setProcRootForTesting("/proc");
        PageJourney::TearDown();
    }

    std::string home() const { return home_.path(); }
    std::string outside() const { return outside_.path(); }
    std::string scriptsFolder() const {
        return qcore::Home::applicationScriptsFolder(qcore::Bundle::main().bundleIdentifier());
    }
    void installScript(const std::string& source) const {
        fs::create_directories(scriptsFolder());
        fs::copy_file(source, scriptsFolder() + "/runScript.scpt",
                      fs::copy_options::overwrite_existing);
    }
    void installScriptText(const std::string& text) const {
        installScript(scratch_.write("standin.sh", "#!/bin/sh\n" + text));
    }

    // An application with an icon of its own in the home's Applications folder.
    std::string makeFooBar(const std::string& fileName = "Foo Bar.app") const {
        qcore::Dictionary info = infoFor("Foo Bar", kIdentifier);
        info["CFBundleIconFile"] = "AppIcon.png";
        const auto app = makeApp(home() + "/Applications", fileName, info);
        QImage icon(64, 64, QImage::Format_ARGB32);
        icon.fill(QColor(40, 120, 200));
        icon.save(QString::fromStdString(app + "/Contents/Resources/AppIcon.png"));
        return app;
    }

    void drop(const QStringList& paths) { gui_driving::dropFiles(page_->dropView(), paths); }
    void drop(const std::string& path) { drop(QStringList{QString::fromStdString(path)}); }
    // Drops the application and waits until its details and sizes are shown.
    void dropAndWaitForDetails(const std::string& path) {
        drop(path);
        ASSERT_TRUE(waitFor([this] { return page_->face() == Face::Details && !page_->isBusy(); }));
    }

    template <typename T> T* control(const char* name) const {
        return page_->findChild<T*>(QString::fromLatin1(name));
    }
    QString textOf(const char* label) const { return control<QLabel>(label)->text(); }
    void click(const char* name) {
        auto* button = control<QAbstractButton>(name);
        ASSERT_TRUE(button && button->isVisible() && button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void answerAlertWith(const QString& title) {
        answerNextAlert(title, [this](QMessageBox* box) { alerts_ << box->text(); });
    }
    // Each time the running sheet shows, runs the next step (the last one again when none is
    // left); a step ends the showing by pressing one of the sheet's buttons.
    using SheetStep = std::function<void(qpages::UninstallerAppsSheet&)>;
    void onRunningSheet(std::vector<SheetStep> steps) {
        sheetSteps_ = std::move(steps);
        if (sheetPoll_) return;
        sheetPoll_ = new QTimer(page_);
        QObject::connect(sheetPoll_, &QTimer::timeout, [this] {
            auto* sheet = page_->appsRunningSheet();
            if (!sheet->isVisible() || sheetSteps_.empty()) return;
            sheetNames_ << sheet->rowName(0);
            sheetSteps_[std::min(sheetShows_++, sheetSteps_.size() - 1)](*sheet);
        });
        sheetPoll_->start(10);
    }
    static void press(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Uninstall, confirmed, then wait until the page has left the Uninstalling face.
    void uninstallConfirmed() {
        answerAlertWith("OK");
        click("removeButton");
        ASSERT_TRUE(
            waitFor([this] { return page_->face() != Face::Uninstalling && !page_->isBusy(); }));
    }

    TempDir scratch_; // process tables and stand-in scripts
    Protection protection_;
    std::unique_ptr<QWidget> window_;
    UninstallerController* page_ = nullptr;
    QStringList revealed_;
    QStringList alerts_;
    QStringList sheetNames_;
    std::vector<SheetStep> sheetSteps_;
    QTimer* sheetPoll_ = nullptr;
    std::size_t sheetShows_ = 0;
};

TEST_F(UninstallerPage, JourneyRemovesTheBundleAndExactlyItsSevenLeftovers) {
    const auto app = makeFooBar();
    const auto leftovers = writeLeftovers(home(), "foo bar", kIdentifier);
    auto expectedHome = treeSnapshot(home());
    std::erase_if(expectedHome, [&](const auto& entry) {
        const std::string path = home() + "/" + entry.first;
        if (path.rfind(app, 0) == 0) return true;
        return std::any_of(leftovers.begin(), leftovers.end(), [&](const std::string& l) {
            return path == l || path.rfind(l + "/", 0) == 0;
        });
    });
    const auto outsideBefore = treeSnapshot(outside());

    dropAndWaitForDetails(app);
    EXPECT_EQ(textOf("textFieldAppName"), "Foo Bar.app (Version 2.1)");
    EXPECT_EQ(textOf("textFieldAppPath").toStdString(), app);
    EXPECT_FALSE(textOf("textFieldAppSize").isEmpty());
    EXPECT_NE(textOf("textFieldAppTraceSize"), "0 bytes");
    EXPECT_EQ(page_->leftovers().size(), 7u);
    EXPECT_TRUE(control<QWidget>("boxPreview")->isVisible());
    EXPECT_FALSE(control<QWidget>("arrowView")->isVisible());
    EXPECT_FALSE(control<QWidget>("progressbar")->isVisible());

    click("revealButton");
    EXPECT_EQ(revealed_, QStringList{QString::fromStdString(app)});

    uninstallConfirmed();
    EXPECT_EQ(page_->face(), Face::Done);
    EXPECT_TRUE(control<QWidget>("lblUninstallDone")->isVisible());
    EXPECT_FALSE(control<QWidget>("lblRemovalProblem")->isVisible());
    EXPECT_FALSE(control<QWidget>("removeButton")->isVisible());
    EXPECT_EQ(changes(expectedHome, treeSnapshot(home())), "");
    EXPECT_EQ(changes(outsideBefore, treeSnapshot(outside())), "");

    // Done ignores drops until Back, which brings the empty page back.
    const auto other = makeApp(home() + "/Applications", "Other.app", infoFor("Other", "com.o"));
    drop(other);
    waitFor([] { return false; }, 100);
    EXPECT_EQ(page_->face(), Face::Done);
    click("rescanButton");
    EXPECT_EQ(page_->face(), Face::Empty);
    EXPECT_TRUE(control<QWidget>("arrowView")->isVisible());
    EXPECT_TRUE(control<QWidget>("lblDragDropText")->isVisible());
    EXPECT_FALSE(control<QWidget>("boxFooter")->isVisible());
}

TEST_F(UninstallerPage, OnlyOneApplicationBundleIsTakenAndOnlyOnEmptyPage) {
    const auto app = makeFooBar();
    const auto second = makeApp(home() + "/Applications", "Second.app", infoFor("S", "com.s"));
    home_.write("Applications/Plain.app", "a file");
    makeApp(home() + "/Applications", "Own.app", infoFor("Own", "com.morvane.cleaner"));
    const auto upper = makeApp(home() + "/Applications", "UPPER.APP", infoFor("Upper", "com.u"));

    // A drag that passes over the page and leaves: the icon comes in and slides away again.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(app))});
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(page_->dropView(), &enter);
    EXPECT_TRUE(control<QWidget>("iView")->isVisible());
    EXPECT_FALSE(control<QWidget>("arrowView")->isVisible());
    QDragLeaveEvent leave;
    QApplication::sendEvent(page_->dropView(), &leave);
    ASSERT_TRUE(waitFor([this] { return control<QWidget>("arrowView")->isVisible(); }));
    EXPECT_FALSE(control<QWidget>("iView")->isVisible());

    drop(QStringList{QString::fromStdString(app), QString::fromStdString(second)});
    drop(home() + "/Applications/Plain.app");
    drop(home() + "/Applications/Own.app");
    waitFor([] { return false; }, 100);
    EXPECT_EQ(page_->face(), Face::Empty);
    EXPECT_TRUE(alerts_.isEmpty());

    // The system's applications are refused with a message; the page stays empty.
    makeApp(home() + "/Applications", "System.app", infoFor("System", "com.apple.system"));
    answerAlertWith("OK");
    drop(home() + "/Applications/System.app");
    ASSERT_TRUE(waitFor([this] { return !alerts_.isEmpty(); }));
    EXPECT_EQ(alerts_.front(), "This application cannot be uninstalled.");
    ASSERT_TRUE(waitFor([this] { return !control<QWidget>("iView")->isVisible(); }));
    EXPECT_TRUE(control<QWidget>("arrowView")->isVisible());
    EXPECT_EQ(page_->face(), Face::Empty);

    // An upper-case extension is still an application; once shown, other drops are ignored.
    dropAndWaitForDetails(upper);
    drop(app);
    waitFor([] { return false; }, 100);
    EXPECT_EQ(page_->appPath(), upper);
    EXPECT_EQ(page_->appName(), "upper");
}

TEST_F(UninstallerPage, AnApplicationWithoutLeftoversShowsZeroAndLosesOnlyItsBundle) {
    fs::create_directories(home() + "/Applications");
    const auto app = makeApp(home() + "/Applications", "Lonely.app", infoFor("", "com.ex.lonely"));
    // Dropped through a link: the real bundle is what is shown and removed.
    fs::create_symlink(app, home() + "/Desktop.app");
    const auto before = treeSnapshot(home());

    dropAndWaitForDetails(home() + "/Desktop.app");
    EXPECT_EQ(page_->appPath(), app);
    EXPECT_EQ(page_->appName(), "lonely");
    EXPECT_EQ(textOf("textFieldAppTraceSize"), "0 bytes");
    uninstallConfirmed();
    EXPECT_EQ(page_->face(), Face::Done);
    EXPECT_FALSE(fs::exists(app));
    auto expected = before;
    std::erase_if(expected,
                  [](const auto& e) { return e.first.rfind("Applications/Lonely.app", 0) == 0; });
    EXPECT_EQ(changes(expected, treeSnapshot(home())), "");
}

TEST_F(UninstallerPage, ACancelledConfirmationChangesNothingAndShowsNoSheet) {
    const auto app = makeFooBar();
    writeLeftovers(home(), "foo bar", kIdentifier);
    dropAndWaitForDetails(app);
    const auto before = treeSnapshot(home());
    onRunningSheet({[](auto& sheet) { press(sheet.btnWContinue()); }});

    answerAlertWith("Cancel");
    click("removeButton");
    ASSERT_TRUE(waitFor([this] { return !alerts_.isEmpty(); }));
    waitFor([] { return false; }, 100);
    EXPECT_EQ(page_->face(), Face::Details);
    EXPECT_EQ(sheetShows_, 0u);
    EXPECT_TRUE(control<QWidget>("removeButton")->isVisible());
    EXPECT_EQ(changes(before, treeSnapshot(home())), "");
}

TEST_F(UninstallerPage, ARunningApplicationIsRetriedUntilQuitOrCancelled) {
    const auto app = makeFooBar();
    writeLeftovers(home(), "foo bar", kIdentifier);
    const std::string proc = scratch_.path() + "/proc";
    writeRunningProcess(proc, 4242, app);
    qcore::Workspace::setProcRootForTesting(proc);
    dropAndWaitForDetails(app);
    const auto before = treeSnapshot(home());

    // Cancel: nothing happens.
    onRunningSheet({[](auto& sheet) { press(sheet.btnWContinue()); }});
    answerAlertWith("OK");
    click("removeButton");
    ASSERT_TRUE(
        waitFor([this] { return sheetShows_ == 1 && !page_->appsRunningSheet()->isVisible(); }));
    waitFor([] { return false; }, 50);
    EXPECT_EQ(page_->face(), Face::Details);
    EXPECT_EQ(changes(before, treeSnapshot(home())), "");
    EXPECT_EQ(sheetNames_, QStringList{QString::fromStdString(app)});

    // Retry while it runs shows the sheet again; quit, then Retry goes on to the removal.
    sheetShows_ = 0;
    onRunningSheet({[](auto& sheet) { press(sheet.btnWRetry()); },
                    [proc](auto& sheet) {
                        fs::remove_all(proc + "/4242");
                        press(sheet.btnWRetry());
                    }});
    uninstallConfirmed();
    EXPECT_EQ(sheetShows_, 2u);
    EXPECT_EQ(page_->face(), Face::Done);
    EXPECT_FALSE(fs::exists(app));
}

TEST_F(UninstallerPage, AProtectedBundleGoesThroughTheScriptOrStaysWithItsLeftovers) {
    const auto app = makeFooBar();
    writeLeftovers(home(), "foo bar", kIdentifier);
    if (!protection_.protect(app)) GTEST_SKIP() << "cannot protect a folder here";
    dropAndWaitForDetails(app);
    EXPECT_EQ(page_->isWRApp(), "YES");

    // No script installed: nothing is deleted and the Uninstall button comes back.
    fs::remove(scriptsFolder() + "/runScript.scpt");
    const auto before = treeSnapshot(home());
    uninstallConfirmed();
    EXPECT_EQ(page_->face(), Face::Details);
    EXPECT_TRUE(control<QWidget>("removeButton")->isVisible());
    EXPECT_TRUE(control<QWidget>("lblRemovalProblem")->isVisible());
    EXPECT_EQ(changes(before, treeSnapshot(home())), "");

    // A script that can remove it (it lifts the test's protection first): leftovers follow.
    installScriptText("chattr -i \"$2\" 2>/dev/null; chmod u+w \"$2\"; rm -rf -- \"$2\"\n");
    uninstallConfirmed();
    EXPECT_EQ(page_->face(), Face::Done);
    EXPECT_FALSE(fs::exists(app));
    EXPECT_FALSE(fs::exists(home() + "/Library/Caches/" + kIdentifier));
    EXPECT_FALSE(fs::exists(home() + "/Library/foo bar"));
}

TEST_F(UninstallerPage, FailuresAreShownAndNeverReportedAsDone) {
    const auto app = makeFooBar();
    const auto leftovers = writeLeftovers(home(), "foo bar", kIdentifier);
    // Part of the bundle cannot be removed: the page returns to its details, nothing lost.
    if (!protection_.protect(app + "/Contents/Resources")) GTEST_SKIP() << "cannot protect";
    dropAndWaitForDetails(app);
    EXPECT_EQ(page_->isWRApp(), "NO");
    const auto before = treeSnapshot(home());
    uninstallConfirmed();
    EXPECT_EQ(page_->face(), Face::Details);
    EXPECT_TRUE(textOf("lblRemovalProblem").contains("could not be removed"));
    EXPECT_EQ(changes(before, treeSnapshot(home())), "");

    // The bundle can go but one leftover cannot: Done, with that leftover named.
    protection_.lift(app + "/Contents/Resources");
    ASSERT_TRUE(protection_.protect(leftovers[0]));
    uninstallConfirmed();
    EXPECT_EQ(page_->face(), Face::Done);
    EXPECT_TRUE(textOf("lblRemovalProblem").contains(QString::fromStdString(leftovers[0])));
    EXPECT_TRUE(fs::exists(leftovers[0]));
    EXPECT_FALSE(fs::exists(leftovers[1]));
}

TEST_F(UninstallerPage, TheArrowAndTheIconStartCentredAndMoveRightOnANarrowPage) {
    window_->resize(800, 520);
    waitFor([this] { return page_->width() == 800; });
    auto* arrow = control<QWidget>("arrowView");
    EXPECT_EQ(arrow->x(), (800 - arrow->width()) / 2);
    EXPECT_EQ(arrow->y(), (520 - arrow->height()) / 2 - 70);
    EXPECT_EQ(page_->frameStartAnim().x(), (800 - 64) / 2);

    window_->resize(500, 520);
    waitFor([this] { return page_->width() == 500; });
    EXPECT_LT(arrow->x(), 300);
    EXPECT_EQ(page_->frameStartAnim().x(), (500 - 64) / 2 + 20);
}

// Each face of the page, rendered for review.
TEST_F(UninstallerPage, Screenshots) {
    const auto shoot = [this](const char* name) { screenshot(*window_, name); };
    const auto app = makeFooBar();
    writeLeftovers(home(), "foo bar", kIdentifier);
    shoot("uninstaller_empty");
    dropAndWaitForDetails(app);
    waitFor([] { return false; }, 300);
    shoot("uninstaller_details");

    const std::string proc = scratch_.path() + "/proc";
    writeRunningProcess(proc, 4343, app);
    qcore::Workspace::setProcRootForTesting(proc);
    onRunningSheet({[&](auto& sheet) {
        shoot("uninstaller_running_sheet");
        press(sheet.btnWContinue());
    }});
    answerAlertWith("OK");
    click("removeButton");
    ASSERT_TRUE(waitFor([this] { return sheetShows_ == 1; }));
    qcore::Workspace::setProcRootForTesting("/proc");

    // A slow removal through the script, to catch the page while it works.
    ASSERT_TRUE(protection_.protect(app));
    click("rescanButton");
    dropAndWaitForDetails(app);
    installScriptText(
        "sleep 1; chattr -i \"$2\" 2>/dev/null; chmod u+w \"$2\"; rm -rf -- \"$2\"\n");
    answerAlertWith("OK");
    click("removeButton");
    ASSERT_TRUE(waitFor([this] { return page_->face() == Face::Uninstalling; }));
    waitFor([] { return false; }, 100);
    shoot("uninstaller_uninstalling");
    ASSERT_TRUE(waitFor([this] { return page_->face() == Face::Done; }));
    shoot("uninstaller_done");
}

} // namespace
