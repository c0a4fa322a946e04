// The access guide shared by the Internet Privacy and Misc Cleaning pages: the access test,
// the version answers, the four steps and where the window opens.
#include "tests/pages/support/PageJourney.h"

#include "pages/tools/FullDiskAccess.h"
#include "pages/tools/FullDiskAccessGuide.h"

#include "ui_FullDiskAccessGuide.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

using qpages::FullDiskAccess;
using qpages::FullDiskAccessGuide;
using State = FullDiskAccess::FolderState;

namespace {

QString imageOf(QLabel* label) {
    return label->property("imageName").toString();
}

TEST(FullDiskAccessTest, OnlyAnExistingFolderThatRefusesToBeReadMeansNoAccess) {
    TempDir home;
    EXPECT_EQ(FullDiskAccess::probe(home.file("Library/Safari/")), State::Missing);
    EXPECT_TRUE(FullDiskAccess::checkFulldiskAccess(home.path()));
    home.write("Library/Safari", "a file, not a folder");
    EXPECT_TRUE(FullDiskAccess::checkFulldiskAccess(home.path()));
    TempDir other;
    other.write("Library/Safari/History.db", "history");
    EXPECT_EQ(FullDiskAccess::probe(other.file("Library/Safari/")), State::Readable);
    EXPECT_TRUE(FullDiskAccess::checkFulldiskAccess(other.path()));
    EXPECT_FALSE(FullDiskAccess::checkFulldiskAccess(""));

    EXPECT_EQ(FullDiskAccess::stateForError(EACCES), State::Denied);
    EXPECT_EQ(FullDiskAccess::stateForError(EPERM), State::Denied);
    EXPECT_EQ(FullDiskAccess::stateForError(ENOENT), State::Missing);
    EXPECT_EQ(FullDiskAccess::stateForError(ENOTDIR), State::Missing);
    if (::geteuid() != 0) { // the superuser reads every folder
        ::chmod(other.file("Library/Safari").c_str(), 0);
        EXPECT_EQ(FullDiskAccess::probe(other.file("Library/Safari/")), State::Denied);
        EXPECT_FALSE(FullDiskAccess::checkFulldiskAccess(other.path()));
        ::chmod(other.file("Library/Safari").c_str(), 0700);
    }
}

TEST(FullDiskAccessTest, TheGateIsOnFrom1014) {
    EXPECT_FALSE(FullDiskAccess::is1014OSX(qcore::SystemVersion(10, 13, 6), false));
    EXPECT_TRUE(FullDiskAccess::is1014OSX(qcore::SystemVersion(10, 14, 0), false));
    EXPECT_TRUE(FullDiskAccess::is1014OSX(qcore::SystemVersion(11, 0, 0), true));
    const ScopedSystemVersion older(qcore::SystemVersion(10, 13, 6));
    EXPECT_FALSE(FullDiskAccess::is1014OSX());
}

TEST(FullDiskAccessTest, TheSettingsStepUsesTheDesktopsOwnSettingsProgram) {
    TempDir bin;
    const auto tool = [&](const std::string& name) {
        const auto path = bin.write(name, "#!/bin/sh\n");
        ::chmod(path.c_str(), 0755);
    };
    EXPECT_FALSE(FullDiskAccess::privacySettingsCommand(bin.path()).has_value());
    tool("xfce4-settings-manager");
    auto command = FullDiskAccess::privacySettingsCommand("/nonexistent:" + bin.path());
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->program, bin.file("xfce4-settings-manager"));
    tool("gnome-control-center");
    command = FullDiskAccess::privacySettingsCommand(bin.path());
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->program, bin.file("gnome-control-center"));
    EXPECT_EQ(command->arguments, std::vector<std::string>{"privacy"});
}

class GuideTest : public PageJourney {
protected:
    void SetUp() override {
        PageJourney::SetUp();
        FullDiskAccess::setProbeForTesting([this](const std::string&) { return folder_; });
        page_.resize(800, 560);
        page_.move(100, 80);
        page_.show();
    }
    void TearDown() override {
        FullDiskAccess::setProbeForTesting({});
        PageJourney::TearDown();
    }
    void next(FullDiskAccessGuide& guide) {
        QTest::mouseClick(guide.ui().stepNext, Qt::LeftButton);
    }
    State folder_ = State::Denied;
    QWidget page_;
};

TEST_F(GuideTest, StepsBuildUpAndStep3WaitsForAccess) {
    FullDiskAccessGuide guide(*engine_, FullDiskAccessGuide::Variant::MiscCleaning, &page_);
    bool opened = false;
    guide.setSettingsOpener([&] { return opened = true; });
    guide.showFullDiskAccessNag();
    auto& ui = guide.ui();
    ASSERT_TRUE(guide.isVisible());
    EXPECT_EQ(guide.currentStep(), 1);
    EXPECT_TRUE(ui.stepCancel->isHidden());
    EXPECT_TRUE(ui.boxStep1->isVisible());
    EXPECT_FALSE(ui.boxStep2->isVisible());
    EXPECT_FALSE(ui.lblErrorFDAccess->isVisible());
    EXPECT_EQ(imageOf(ui.imgSteps), "s1-new.png");
    EXPECT_EQ(ui.btnOpenSecurityPrivacy->text(), "Open Privacy && Security");
    screenshot(*guide.window(), "guide_step1");
    QTest::mouseClick(ui.btnOpenSecurityPrivacy, Qt::LeftButton);
    EXPECT_TRUE(opened);

    next(guide);
    EXPECT_EQ(guide.currentStep(), 2);
    EXPECT_TRUE(ui.stepCancel->isVisible());
    EXPECT_TRUE(ui.boxStep1->isVisible() && ui.boxStep2->isVisible());
    EXPECT_EQ(imageOf(ui.imgSteps), "s2-new.png");
    screenshot(*guide.window(), "guide_step2");
    next(guide);
    EXPECT_EQ(guide.currentStep(), 3);
    EXPECT_TRUE(ui.boxStep3->isVisible());

    // Access still missing: the error and the alert picture, as often as Next is pressed.
    for (int attempt = 0; attempt < 2; ++attempt) {
        next(guide);
        EXPECT_EQ(guide.currentStep(), 3);
        EXPECT_TRUE(ui.lblErrorFDAccess->isVisible());
        EXPECT_FALSE(ui.boxStep4->isVisible());
        EXPECT_EQ(imageOf(ui.imgAlert), "fdaalert");
        EXPECT_EQ(imageOf(ui.imgSteps), "s3-new.png");
    }
    screenshot(*guide.window(), "guide_step3_error");

    folder_ = State::Readable;
    next(guide);
    EXPECT_EQ(guide.currentStep(), 4);
    EXPECT_FALSE(ui.lblErrorFDAccess->isVisible());
    EXPECT_TRUE(ui.boxStep4->isVisible());
    EXPECT_TRUE(ui.stepCancel->isHidden());
    EXPECT_EQ(ui.stepNext->text(), "Close");
    EXPECT_EQ(imageOf(ui.imgFDAlogo), "logo_complete");
    EXPECT_EQ(imageOf(ui.imgAlert), "");
    screenshot(*guide.window(), "guide_step4");
    next(guide);
    EXPECT_FALSE(guide.isVisible());
}

TEST_F(GuideTest, ReopeningKeepsAnOpenGuideAndRestartsAClosedOneCentred) {
    FullDiskAccessGuide guide(*engine_, FullDiskAccessGuide::Variant::InternetPrivacy, &page_);
    int closings = 0;
    QObject::connect(&guide, &FullDiskAccessGuide::closed, [&] { ++closings; });
    guide.showFullDiskAccessNag();
    next(guide);
    guide.showFullDiskAccessNag();
    EXPECT_EQ(guide.currentStep(), 2);

    QTest::mouseClick(guide.ui().stepCancel, Qt::LeftButton);
    EXPECT_FALSE(guide.isVisible());
    EXPECT_EQ(closings, 1);
    guide.showFullDiskAccessNag();
    EXPECT_EQ(guide.currentStep(), 1);
    const QRect p = page_.geometry();
    const QRect g = guide.window()->geometry();
    EXPECT_NEAR(g.x(), p.x() + (p.width() - g.width()) / 2, 1);
    EXPECT_NEAR(g.y(), p.y() + (p.height() - g.height()) / 2 + 22, 1);

    // Escape closes it too, where no window manager draws a close button.
    QApplication::setActiveWindow(guide.window());
    QTest::keyClick(guide.window(), Qt::Key_Escape);
    EXPECT_FALSE(guide.isVisible());
    EXPECT_EQ(closings, 2);
}

TEST_F(GuideTest, OnlyTheMiscCleaningCopyResetsItsLogo) {
    folder_ = State::Readable;
    for (auto variant : {FullDiskAccessGuide::Variant::MiscCleaning,
                         FullDiskAccessGuide::Variant::InternetPrivacy}) {
        FullDiskAccessGuide guide(*engine_, variant, &page_);
        guide.showFullDiskAccessNag();
        next(guide);
        next(guide);
        next(guide);
        next(guide);
        ASSERT_FALSE(guide.isVisible());
        guide.showFullDiskAccessNag();
        EXPECT_EQ(imageOf(guide.ui().imgFDAlogo),
                  variant == FullDiskAccessGuide::Variant::MiscCleaning ? "logo_alert"
                                                                        : "logo_complete");
        guide.window()->close();
    }
}

TEST_F(GuideTest, BeforeVersion13ThePicturesAndTextsAreTheOlderOnes) {
    const ScopedSystemVersion monterey(qcore::SystemVersion(12, 6, 0));
    FullDiskAccessGuide guide(*engine_, FullDiskAccessGuide::Variant::MiscCleaning, &page_);
    guide.showFullDiskAccessNag();
    EXPECT_EQ(imageOf(guide.ui().imgSteps), "s1.png");
    EXPECT_EQ(guide.ui().btnOpenSecurityPrivacy->text(), "Open Security && Privacy");
    EXPECT_EQ(guide.ui().lblFullDiskStep1Title->text(), "Step 1: Open Security & Privacy");
}

} // namespace
