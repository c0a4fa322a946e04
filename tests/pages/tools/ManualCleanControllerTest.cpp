// The Misc Cleaning page in use: scan, tabs, ticks, sorting, both confirmations and the clean,
// driven through its visible controls on a fixture home.
#include "tests/pages/support/PageJourney.h"
#include "tests/support/GuiDriving.h"

#include "engine/Pacer.h"
#include "pages/tools/FullDiskAccess.h"
#include "pages/tools/FullDiskAccessGuide.h"
#include "pages/tools/ManualCleanController.h"
#include "platform/core/FileManager.h"
#include "toolkit/IMGButton.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <unistd.h>

using qcore::FileManager;
using qpages::ManualCleanController;

namespace {

const std::string kBackups = "Library/Application Support/MobileSync/Backup/";

class MiscCleaningPage : public PageJourney {
protected:
    void SetUp() override {
        PageJourney::SetUp();
        // 10.14 shows the backups tab; the access test runs on the fixture home.
        version_ = std::make_unique<ScopedSystemVersion>(qcore::SystemVersion(10, 14, 6));
    }
    void TearDown() override {
        if (page_) waitIdle();
        page_.reset();
        version_.reset();
        qpages::FullDiskAccess::setProbeForTesting({});
        PageJourney::TearDown();
    }
    void open() {
        page_ = std::make_unique<ManualCleanController>(*engine_);
        page_->view();
        showPage(*page_);
    }
    template <typename T> T* find(const char* name) const {
        auto* w = page_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) const {
        auto* button = find<QAbstractButton>(name);
        ASSERT_TRUE(button->isEnabled()) << name;
        PageJourney::click(button);
    }
    void tick(int row) const {
        auto* table = find<QTableView>("tableView");
        clickCheckBoxOf(table, table->model()->index(row, 0));
    }
    bool waitIdle() {
        return waitFor([this] { return !page_->isBusy(); }) && waitUntilIdle({"Misc Cleaning"});
    }
    void writeBackup(const std::string& folder, const std::string& device) const {
        write(kBackups + folder + "/Manifest.db", "manifest of " + device);
        write(kBackups + folder + "/ab/cdef", std::string(2000, 'd'));
        ASSERT_TRUE(qcore::Value(qcore::Dictionary{{"Device Name", device}, {"IMEI", "3569"}})
                        .writeXmlPlistAtomically(home_.file(kBackups + folder + "/Info.plist")));
    }
    void writeHome() const {
        writeBackup("0a1b", "Ann's phone");
        writeBackup("2c3d", "Old iPad");
        write("Library/Mail Downloads/report.pdf", std::string(700, 'p'));
        write(".Trash/old.txt", "old text");
        write(".Trash/old folder/a.txt", std::string(3000, 'a'));
        write(".Trash/.DS_Store", "finder");
        ASSERT_EQ(::symlink(outside_.write("precious.txt", "keep me").c_str(),
                            home_.file(".Trash/link").c_str()),
                  0);
    }
    // Clean Now, OK in the alert, then the confirmation number typed in the sheet and its
    // `button` pressed.
    void cleanAndAnswerSheet(const char* button) {
        auto* sheet = find<QWidget>("confirmWindow");
        answerNextAlert("OK");
        whenReady([sheet] { return sheet->isVisible(); },
                  [this, button] {
                      QTest::keyClicks(find<QLineEdit>("txtConfirm"),
                                       QString::number(page_->randomConfirmNo()));
                      QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
                  });
        click("removeButton");
    }
    std::vector<std::string> names(int list) const {
        std::vector<std::string> out;
        for (const auto& row : page_->list(list).snapshot())
            out.push_back(row.name);
        return out;
    }

    std::unique_ptr<ScopedSystemVersion> version_;
    std::unique_ptr<ManualCleanController> page_;
};

TEST_F(MiscCleaningPage, CleansTheTickedBackupAndTheTrashAfterBothConfirmations) {
    writeHome();
    open();
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(names(0), (std::vector<std::string>{"Ann's phone", "Old iPad"}));
    EXPECT_EQ(names(1), (std::vector<std::string>{"report.pdf"}));
    EXPECT_EQ(names(2), (std::vector<std::string>{"link", "old folder", "old.txt"}));
    EXPECT_EQ(page_->indexBtnSelection(), 0);
    EXPECT_TRUE(find<qtk::IMGButton>("scanButton")->isHidden());
    EXPECT_FALSE(find<qtk::IMGButton>("removeButton")->isEnabled());
    EXPECT_EQ(find<QLabel>("textFieldName")->text(), "Ann's phone");
    screenshot(*page_, "misc_backups_tab");

    tick(0);
    // A second backup is refused with an alert.
    QString refusal;
    answerNextAlert("OK", [&](QMessageBox* box) { refusal = box->text(); });
    tick(1);
    EXPECT_EQ(refusal, "Only one item of Device Backups can be cleaned at a time.");
    EXPECT_EQ(page_->list(0).checkedCount(), 1u);
    EXPECT_TRUE(find<qtk::IMGButton>("removeButton")->isEnabled());

    click("btnDownloads");
    EXPECT_EQ(page_->indexBtnSelection(), 2);
    click("checkUncheckTrash");
    EXPECT_EQ(page_->list(2).checkedCount(), 3u);
    screenshot(*page_, "misc_trash_tab");
    click("btnMailDownloads");
    EXPECT_EQ(find<QLabel>("textFieldName")->text(), "report.pdf");
    screenshot(*page_, "misc_mail_tab");

    auto expected = homeContents();
    std::erase_if(expected, [](const auto& file) {
        return file.first.starts_with(kBackups + "0a1b") || file.first.starts_with(".Trash/old");
    });
    const QString number = QString::number(page_->randomConfirmNo());
    auto* typed = find<QLineEdit>("txtConfirm");
    auto* sheet = find<QWidget>("confirmWindow");
    auto* ok = find<QPushButton>("btnConfirmOK");
    bool typedTwice = false;
    answerNextAlert("OK", [](QMessageBox* box) { screenshot(*box, "misc_confirm_alert"); });
    whenReady([sheet] { return sheet->isVisible(); },
              [&] {
                  EXPECT_EQ(find<QLabel>("lblItemDB")->text(), "Ann's phone in Device Backups");
                  EXPECT_EQ(find<QLabel>("lblItemOD")->text(), "3 items in Trash");
                  QTest::keyClicks(typed, " " + number);
                  QTest::mouseClick(ok, Qt::LeftButton);
                  // A wrong number keeps the sheet.
                  whenReady([sheet] { return sheet->isVisible(); },
                            [&] {
                                typed->clear();
                                QTest::keyClicks(typed, number);
                                screenshot(*page_, "misc_confirm_number");
                                typedTwice = true;
                                QTest::mouseClick(ok, Qt::LeftButton);
                            });
              });
    click("removeButton");
    EXPECT_TRUE(typedTwice);
    ASSERT_TRUE(waitIdle());

    // Exactly the ticked items went; everything else is as it was.
    EXPECT_EQ(homeContents(), expected);
    EXPECT_FALSE(FileManager::exists(home_.file(kBackups + "0a1b")));
    EXPECT_TRUE(FileManager::exists(home_.file(kBackups + "2c3d/ab/cdef")));
    EXPECT_FALSE(FileManager::exists(home_.file(".Trash/old.txt")));
    EXPECT_FALSE(FileManager::exists(home_.file(".Trash/old folder")));
    EXPECT_FALSE(FileManager::exists(home_.file(".Trash/link")));
    EXPECT_TRUE(FileManager::exists(home_.file(".Trash/.DS_Store")));
    EXPECT_TRUE(FileManager::exists(home_.file("Library/Mail Downloads/report.pdf")));
    EXPECT_EQ(FileManager::readFile(outside_.file("precious.txt")).value_or(""), "keep me");
    EXPECT_EQ(names(0), (std::vector<std::string>{"Old iPad"}));
    EXPECT_TRUE(page_->list(2).isEmpty());
    // Rows are left, none ticked: the clean button stays, disabled.
    EXPECT_TRUE(find<qtk::IMGButton>("scanButton")->isHidden());
    EXPECT_TRUE(find<qtk::IMGButton>("removeButton")->isVisible());
    EXPECT_FALSE(find<qtk::IMGButton>("removeButton")->isEnabled());
    EXPECT_EQ(find<qtk::IMGButton>("removeButton")->state(), 1);
    EXPECT_EQ(find<QLabel>("lblSelectedItems")->text(), "4 of 6 items cleaned");
    screenshot(*page_, "misc_after_clean");
}

TEST_F(MiscCleaningPage, AnAssistiveToolsToggleOfAListsBoxTicksAndUnticksItsRows) {
    writeHome();
    open();
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    click("btnDownloads");
    auto* box = find<QCheckBox>("checkUncheckTrash");
    const auto toggle = [box] {
        return gui_driving::accessibilityAction(box, QAccessibleActionInterface::toggleAction());
    };
    ASSERT_TRUE(toggle());
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(page_->list(2).checkedCount(), 3u);
    EXPECT_TRUE(find<qtk::IMGButton>("removeButton")->isEnabled());
    ASSERT_TRUE(toggle());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(page_->list(2).checkedCount(), 0u);
}

TEST_F(MiscCleaningPage, CancelInTheAlertOrTheSheetRemovesNothing) {
    writeHome();
    open();
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    click("btnDownloads");
    click("checkUncheckTrash");
    answerNextAlert("Cancel");
    click("removeButton");
    cleanAndAnswerSheet("btnConfirmCancel");
    waitUntilIdle({"Misc Cleaning"});
    EXPECT_FALSE(page_->isBusy());
    EXPECT_EQ(page_->list(2).count(), 3u);
    EXPECT_EQ(page_->list(2).checkedCount(), 3u);
    EXPECT_TRUE(FileManager::exists(home_.file(".Trash/old.txt")));
    EXPECT_EQ(find<qtk::IMGButton>("removeButton")->state(), 1);
    EXPECT_TRUE(find<qtk::IMGButton>("removeButton")->isEnabled());
}

TEST_F(MiscCleaningPage, MissingFoldersEndTheScanOnAllThreeStops) {
    open();
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(activities_->activities("Misc Cleaning", "start"), 1);
    EXPECT_EQ(activities_->activities("Misc Cleaning", "stop"), 3);
    EXPECT_EQ(page_->totalItems(), 0);
    EXPECT_EQ(page_->indexBtnSelection(), 0);
    EXPECT_TRUE(find<qtk::IMGButton>("scanButton")->isVisible());
    EXPECT_EQ(find<qtk::IMGButton>("scanButton")->state(), 1);
    EXPECT_TRUE(find<qtk::IMGButton>("removeButton")->isHidden());
    EXPECT_FALSE(engine_->isModuleBusy("Misc Cleaning"));
}

TEST_F(MiscCleaningPage, WithRowsOnlyInMailTheScanSelectsTheMailTab) {
    write("Library/Mail Downloads/report.pdf", "pdf");
    open();
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(page_->indexBtnSelection(), 1);
    EXPECT_TRUE(find<QCheckBox>("checkUncheckMails")->isVisible());
    EXPECT_TRUE(find<QCheckBox>("checkUncheckMails")->isEnabled());
}

TEST_F(MiscCleaningPage, SizeHeaderSortsAllListsAndOtherColumnsKeepTheOrder) {
    write(".Trash/b-middle", std::string(500, 'm'));
    write(".Trash/a-large", std::string(900, 'l'));
    write(".Trash/c-small", "s");
    open();
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    auto* header = find<QTableView>("tableView")->horizontalHeader();
    const auto clickHeader = [header](int column) {
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    clickHeader(3);
    EXPECT_EQ(names(2), (std::vector<std::string>{"c-small", "b-middle", "a-large"}));
    clickHeader(3);
    EXPECT_EQ(names(2), (std::vector<std::string>{"a-large", "b-middle", "c-small"}));
    clickHeader(0);
    clickHeader(1);
    EXPECT_EQ(names(2), (std::vector<std::string>{"a-large", "b-middle", "c-small"}));
    clickHeader(2);
    EXPECT_EQ(names(2), (std::vector<std::string>{"a-large", "b-middle", "c-small"}));
}

TEST_F(MiscCleaningPage, StopDuringTheScanKeepsTheRowsFoundAndShowsTheStopImage) {
    for (int i = 0; i < 60; ++i)
        write(".Trash/file" + std::to_string(100 + i), "bytes");
    qengine::Pacer::setScale(1.0);
    open();
    click("scanButton");
    ASSERT_TRUE(waitFor([this] { return page_->list(2).count() >= 3; }));
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    qengine::Pacer::setScale(0);
    EXPECT_GE(page_->list(2).count(), 3u);
    EXPECT_LT(page_->list(2).count(), 60u);
    EXPECT_TRUE(engine_->abortedMiscCleaning());
    EXPECT_TRUE(find<QLabel>("imgStopScanClean")->isVisible());
    EXPECT_EQ(find<qtk::IMGButton>("scanButton")->state(), 1);
}

TEST_F(MiscCleaningPage, WithoutAccessTheGuideOpensAndNoScanStarts) {
    qpages::FullDiskAccess::setProbeForTesting(
        [](const std::string&) { return qpages::FullDiskAccess::FolderState::Denied; });
    write(".Trash/old.txt", "old");
    open();
    click("scanButton");
    EXPECT_TRUE(page_->guide().isVisible());
    EXPECT_EQ(page_->guide().currentStep(), 1);
    EXPECT_EQ(activities_->activities("Misc Cleaning", "start"), 0);
    EXPECT_EQ(find<qtk::IMGButton>("scanButton")->state(), 1);
    EXPECT_TRUE(find<qtk::IMGButton>("scanButton")->isEnabled());
    page_->guide().window()->close();
}

} // namespace

TEST_F(MiscCleaningPage, WhereTheBackupsTabIsHiddenNoBackupIsListedCountedOrRemoved) {
    version_.reset();
    const ScopedSystemVersion current(qcore::SystemVersion(13, 0, 0));
    writeHome();
    open();
    EXPECT_TRUE(find<QWidget>("boxBackups")->isHidden());
    EXPECT_EQ(page_->indexBtnSelection(), 1);
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(page_->list(0).isEmpty());
    EXPECT_EQ(page_->indexBtnSelection(), 1);
    EXPECT_EQ(page_->totalItems(), 4);
    EXPECT_EQ(find<QLabel>("textFieldName")->text(), "report.pdf");
    screenshot(*page_, "misc_without_backups_tab");

    // Ticking everything on both visible tabs and cleaning leaves every backup in place.
    click("checkUncheckMails");
    click("btnDownloads");
    click("checkUncheckTrash");
    auto expected = homeContents();
    std::erase_if(expected, [](const auto& file) {
        return file.first.starts_with("Library/Mail Downloads/") ||
               file.first.starts_with(".Trash/old");
    });
    auto* sheet = find<QWidget>("confirmWindow");
    answerNextAlert("OK");
    whenReady([sheet] { return sheet->isVisible(); },
              [&] {
                  EXPECT_FALSE(find<QLabel>("lblItemDB")->isVisible());
                  screenshot(*page_, "misc_confirm_without_backups");
                  QTest::keyClicks(find<QLineEdit>("txtConfirm"),
                                   QString::number(page_->randomConfirmNo()));
                  QTest::mouseClick(find<QPushButton>("btnConfirmOK"), Qt::LeftButton);
              });
    click("removeButton");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(homeContents(), expected);
    EXPECT_TRUE(FileManager::exists(home_.file(kBackups + "0a1b/Info.plist")));
    EXPECT_TRUE(FileManager::exists(home_.file(kBackups + "2c3d/Info.plist")));
}

namespace {

// Every entry below `root` with what it is: a file's bytes, a link's target, a folder's name.
std::vector<std::string> contentsOf(const std::string& root) {
    namespace fs = std::filesystem;
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = entry.path().lexically_relative(root).string();
        if (entry.is_symlink())
            entries.push_back(relative + " -> " + fs::read_symlink(entry.path()).string());
        else if (entry.is_directory())
            entries.push_back(relative + "/");
        else
            entries.push_back(relative + ": " + FileManager::readFile(entry.path()).value_or("?"));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

// A folder the page reads, made a link to a folder outside the home that holds what the list
// would show if the link were followed.
struct LinkedFolder {
    const char* label;
    std::string linkAt; // below the home
    std::vector<std::pair<std::string, std::string>> targetFiles;
    std::vector<int> listsLed; // the lists whose folder is, or lies behind, the link
};

std::ostream& operator<<(std::ostream& out, const LinkedFolder& linked) {
    return out << linked.label;
}

class MiscCleaningLinkedFolder : public MiscCleaningPage,
                                 public ::testing::WithParamInterface<LinkedFolder> {
protected:
    // One real item in every list the link does not lead away, so that a clean runs.
    void writeRealItems() const {
        const std::string& link = GetParam().linkAt;
        const auto behindLink = [&link](const std::string& path) {
            return path.starts_with(link + "/");
        };
        for (const auto& [path, bytes] : std::vector<std::pair<std::string, std::string>>{
                 {kBackups + "2c3d/Info.plist", "no plist"},
                 {kBackups + "2c3d/Manifest.db", "manifest"},
                 {"Library/Mail Downloads/report.pdf", "pdf"},
                 {".Trash/old.txt", "old text"}})
            if (!behindLink(path)) write(path, bytes);
    }
    // What a user does to tick everything: each tab, then its header box where it has rows.
    void tickAllOnEveryTab() {
        const char* tabs[] = {"btnBackups", "btnMailDownloads", "btnDownloads"};
        const char* boxes[] = {"checkUncheckiTuns", "checkUncheckMails", "checkUncheckTrash"};
        for (int list = 0; list < 3; ++list) {
            click(tabs[list]);
            auto* box = find<QCheckBox>(boxes[list]);
            if (box->isEnabled()) click(boxes[list]);
            EXPECT_EQ(page_->list(list).checkedCount(), page_->list(list).count()) << list;
        }
    }
};

// The log, read back when the scope ends or when asked, whatever the test's outcome.
class CapturedLog {
public:
    CapturedLog() { testing::internal::CaptureStderr(); }
    ~CapturedLog() {
        if (!taken_) testing::internal::GetCapturedStderr();
    }
    std::string take() {
        taken_ = true;
        return testing::internal::GetCapturedStderr();
    }

private:
    bool taken_ = false;
};

} // namespace

TEST_P(MiscCleaningLinkedFolder, IsNotFollowedAndATickedAllCleanLeavesItsTargetAsItWas) {
    const LinkedFolder& linked = GetParam();
    for (const auto& [path, bytes] : linked.targetFiles)
        outside_.write("target/" + path, bytes);
    writeRealItems();
    const std::string link = home_.file(linked.linkAt);
    ASSERT_TRUE(FileManager::createDirectories(FileManager::deletingLastPathComponent(link)));
    ASSERT_EQ(::symlink(outside_.file("target").c_str(), link.c_str()), 0);
    const auto outsideBefore = contentsOf(outside_.path());

    CapturedLog log;
    open();
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    for (int list : linked.listsLed)
        EXPECT_TRUE(page_->list(list).isEmpty()) << list;
    ASSERT_GT(page_->totalItems(), 0);
    screenshot(*page_, std::string("misc_linked_") + linked.label);
    tickAllOnEveryTab();
    cleanAndAnswerSheet("btnConfirmOK");
    ASSERT_TRUE(waitIdle());
    const std::string logged = log.take();

    EXPECT_EQ(contentsOf(outside_.path()), outsideBefore);
    // What was listed was real, ticked and removed.
    for (int list = 0; list < 3; ++list)
        EXPECT_TRUE(page_->list(list).isEmpty()) << list;
    EXPECT_NE(logged.find(link + " is a symbolic link, which is not followed"), std::string::npos)
        << logged;
    // The link itself stays: it was never listed.
    EXPECT_TRUE(FileManager::attributes(link).value_or(qcore::FileAttributes{}).isLink());
}

INSTANTIATE_TEST_SUITE_P(
    EachListFolder, MiscCleaningLinkedFolder,
    ::testing::Values(
        LinkedFolder{"Trash", ".Trash", {{"victim.txt", "keep"}, {"kept folder/a.txt", "a"}}, {2}},
        LinkedFolder{"MailDownloads", "Library/Mail Downloads", {{"victim.pdf", "keep"}}, {1}},
        LinkedFolder{"MailContainer",
                     "Library/Containers/com.apple.mail",
                     {{"Data/Library/Mail Downloads/victim.pdf", "keep"}},
                     {1}},
        LinkedFolder{"BackupsFolder",
                     kBackups.substr(0, kBackups.size() - 1),
                     {{"9f8e/Info.plist", "no plist"}, {"9f8e/Manifest.db", "keep"}},
                     {0}},
        LinkedFolder{"OneBackup",
                     kBackups + "9f8e",
                     {{"Info.plist", "no plist"}, {"Manifest.db", "keep"}},
                     {}},
        LinkedFolder{"Library",
                     "Library",
                     {{"Mail Downloads/victim.pdf", "keep"},
                      {"Application Support/MobileSync/Backup/9f8e/Info.plist", "no plist"}},
                     {0, 1}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MiscCleaningPage, AClickAnywhereOnATabSelectsIt) {
    writeHome();
    open();
    click("scanButton");
    ASSERT_TRUE(waitIdle());
    // On the tab's size, right of its title button.
    auto* size = find<QLabel>("lblSizeOD");
    ASSERT_TRUE(size->isVisible());
    QTest::mouseClick(size, Qt::LeftButton, {}, size->rect().center());
    EXPECT_EQ(page_->indexBtnSelection(), 2);
    EXPECT_EQ(find<QLabel>("textFieldName")->text(), "link");
    auto* mailTab = find<QWidget>("boxMailDownloads");
    QTest::mouseClick(mailTab, Qt::LeftButton, {}, QPoint(mailTab->width() - 4, 4));
    EXPECT_EQ(page_->indexBtnSelection(), 1);
}
