#include "shell/common/SettingsRegistry.h"
#include "shell/preferences/LanguageTableModel.h"
#include "shell/preferences/MyPrefsWindowController.h"
#include "shell/preferences/PreferenceController.h"

#include "platform/core/Bundle.h"
#include "tests/support/GuiDriving.h"

#include "ui_Preferences.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using qshell::MyPrefsWindowController;
using qshell::PreferenceModel;

namespace {

const std::string kHome = "/home/tester";

qcore::Dictionary table() {
    const auto section = [](qcore::Dictionary d) { return qcore::Value(std::move(d)); };
    return {
        {"[GRP_CMN]", section({{"ID_MNAME_DUPLICATES_FINDER", "Duplicates Finder"},
                               {"ID_MNAME_PARTIAL_DOWNLOADS", "Partial Downloads"},
                               {"ID_MNAME_UNINSTALLER", "Uninstaller"},
                               {"ID_MNAME_LARGE_FILES", "Large Files"},
                               {"ID_MNAME_OLD_DOWNLOADS", "Old Downloads"},
                               {"ID_RESET_DEFAULTS", "Reset to Defaults"},
                               {"ID_DAY", "Day"},
                               {"ID_WEEK", "Week"},
                               {"ID_MONTH", "Month"},
                               {"ID_YEAR", "Year"}})},
        {"[GRP_PREFS_UNUSED_LANGUAGES]", section({{"ID_ENABLE_DEEP_SCAN", "Enable deep scan"}})}};
}

struct PreferencesWindow : ::testing::Test {
    qcore::UserDefaults defaults{""};
    qcore::NotificationCenter center;
    std::vector<PreferenceModel::PanelRequest> panels;
    std::optional<QString> chosen;
    std::unique_ptr<MyPrefsWindowController> window;

    PreferencesWindow() {
        // Images and tables come from the source tree, whatever the environment says.
        qcore::Bundle::setMainResourcePath(QUENDRIX_TEST_RESOURCES);
        qshell::SettingsRegistry::registerDefaults(defaults, kHome, {"en-GB"});
        MyPrefsWindowController::Environment environment;
        environment.defaults = &defaults;
        environment.home = kHome;
        environment.center = &center;
        window = std::make_unique<MyPrefsWindowController>(qshell::PrefsTexts(table()),
                                                           std::move(environment));
        window->preferenceController().setFolderChooser(
            [this](const PreferenceModel::PanelRequest& request, QWidget*) {
                panels.push_back(request);
                return chosen;
            });
        window->showWindow();
    }

    Ui::PreferencesInterface& ui() { return window->preferenceController().ui(); }
    QAction* toolbarItem(const QString& identifier) {
        for (QAction* action : window->toolbar()->actions())
            if (action->objectName() == identifier) return action;
        return nullptr;
    }
    void type(QLineEdit* field, const QString& text) {
        field->setText(text);
        emit field->textEdited(text);
    }
};

} // namespace

TEST_F(PreferencesWindow, TheToolbarSwitchesPanesAndTheWindowFitsEach) {
    ASSERT_EQ(window->toolbar()->actions().size(), 5);
    for (QAction* action : window->toolbar()->actions())
        EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
    EXPECT_EQ(window->windowTitle(), "Duplicates Finder");
    EXPECT_EQ(window->currentView(), ui().duplicatesPrefsView);

    QAction* large = toolbarItem("Large Files");
    ASSERT_NE(large, nullptr);
    large->trigger();
    EXPECT_EQ(window->windowTitle(), "Large Files");
    QWidget* pane = ui().largeFilesPrefsView;
    ASSERT_EQ(window->currentView(), pane);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->parentWidget(), window->contentSubview());
    EXPECT_EQ(pane->pos(), QPoint(0, 0)) << "flush with the top";
    EXPECT_FALSE(ui().duplicatesPrefsView->isVisible());
    EXPECT_EQ(window->width(), pane->width());
    EXPECT_EQ(window->height(), pane->height() + window->toolbar()->height());
    EXPECT_TRUE(large->isChecked());

    const QSize before = window->size();
    large->trigger(); // the pane already shown: nothing changes
    EXPECT_EQ(window->size(), before);
    EXPECT_EQ(window->currentView(), pane);

    window->showWindow(); // opening again starts on the first pane
    EXPECT_EQ(window->currentView(), ui().duplicatesPrefsView);
    EXPECT_EQ(window->windowTitle(), "Duplicates Finder");
}

TEST_F(PreferencesWindow, NumericFieldsAcceptWholeNumbersAndRestoreTheirLastValidText) {
    QLineEdit* music = ui().minLargeFileSizeM;
    EXPECT_EQ(music->text(), "1");
    type(music, "-5");
    EXPECT_EQ(music->text(), "1");
    EXPECT_EQ(defaults.stringForKey("searchFileMinSize_LargeM"), "1");
    type(music, "007");
    EXPECT_EQ(music->text(), "7");
    EXPECT_EQ(defaults.stringForKey("searchFileMinSize_LargeM"), "7");
    type(music, "abc");
    EXPECT_EQ(music->text(), "7") << "its own last text, not another field's";
    type(music, "");
    EXPECT_EQ(music->text(), "0");
}

TEST_F(PreferencesWindow, ResetsBringDefaultsBackIntoTheControls) {
    type(ui().minLargeFileSize, "75");
    emit ui().popLargeUnit->activated(3);
    EXPECT_EQ(defaults.stringForKey("searchSizeUnit_Large"), "3");
    QTest::mouseClick(ui().btnResetLarge, Qt::LeftButton);
    EXPECT_EQ(ui().minLargeFileSize->text(), "50");
    EXPECT_EQ(defaults.stringForKey("searchFileMinSize_Large"), "50");
    EXPECT_EQ(ui().popLargeUnit->currentIndex(), 2);

    type(ui().oldDownloadsVal, "9");
    ui().secureDeleteAlgo2->click();
    EXPECT_EQ(defaults.integerForKey("secureDeleteAlgoIndex"), 2);
    QTest::mouseClick(ui().btnResetAll, Qt::LeftButton);
    EXPECT_EQ(ui().oldDownloadsVal->text(), "2");
    EXPECT_TRUE(ui().secureDeleteAlgo0->isChecked());
}

TEST_F(PreferencesWindow, FolderListsAddFromThePanelAndRemoveOnlyASelectedRow) {
    QListWidget* list = ui().tvFoldersForAppCleaner;
    chosen = QString("/opt/apps");
    QTest::mouseClick(ui().btnAddBinFolder, Qt::LeftButton);
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_EQ(panels[0].startFolder, "/Applications");
    ASSERT_EQ(list->count(), 2);
    chosen.reset();
    QTest::mouseClick(ui().btnAddBinFolder, Qt::LeftButton); // cancelled panel
    EXPECT_EQ(list->count(), 2);

    list->clearSelection();
    QTest::mouseClick(ui().btnRemoveBinFolder, Qt::LeftButton);
    EXPECT_EQ(defaults.stringArrayForKey("directoryForAppCleaner").size(), 2u);
    list->setCurrentRow(0);
    QTest::mouseClick(ui().btnRemoveBinFolder, Qt::LeftButton);
    EXPECT_EQ(defaults.stringArrayForKey("directoryForAppCleaner"),
              std::vector<std::string>{"/opt/apps"});
    EXPECT_EQ(list->count(), 1);
}

TEST_F(PreferencesWindow, TheLanguageCheckColumnWritesTheExcludedListButSparesRootLanguages) {
    auto* languages = window->preferenceController().languageTable();
    const auto rowOf = [&](const QString& code) {
        for (int r = 0; r < languages->rowCount(); ++r)
            if (languages->index(r, qshell::LanguageTableModel::LangID).data() == code) return r;
        return -1;
    };
    const int fr = rowOf("fr");
    const int en = rowOf("en-us");
    ASSERT_GE(fr, 0);
    ASSERT_GE(en, 0);
    EXPECT_EQ(languages->index(en, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_TRUE(languages->setData(languages->index(fr, 0), Qt::Checked, Qt::CheckStateRole));
    const auto excluded = defaults.stringArrayForKey("excludedLangaugeList");
    EXPECT_NE(std::find(excluded.begin(), excluded.end(), "fr"), excluded.end());
    EXPECT_FALSE(languages->setData(languages->index(en, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(languages->index(en, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

TEST_F(PreferencesWindow, UpdateAndAnalysisSwitchesSitOnTheirPanesAndStoreTheirKeys) {
    EXPECT_TRUE(ui().miscPrefsView->isAncestorOf(ui().chkAutoUpdates));
    EXPECT_TRUE(ui().miscPrefsView->isAncestorOf(ui().popUpdateOccurence));
    EXPECT_TRUE(ui().miscPrefsView->isAncestorOf(ui().chkCheckNow));
    EXPECT_TRUE(ui().largeFilesPrefsView->isAncestorOf(ui().analyzeAutomaticallyDiskUsage));
    EXPECT_TRUE(ui().languagePrefsView->isAncestorOf(ui().chkLangDeepScan));
    EXPECT_EQ(ui().chkLangDeepScan->text(), "Enable deep scan");

    QComboBox* occurence = ui().popUpdateOccurence;
    ASSERT_EQ(occurence->count(), 4);
    EXPECT_EQ(occurence->itemText(3), "Year");
    EXPECT_EQ(occurence->currentIndex(), 1) << "the registered week";
    EXPECT_FALSE(ui().chkAutoUpdates->isChecked());
    EXPECT_FALSE(occurence->isEnabled()) << "no frequency without automatic checks";

    ui().chkAutoUpdates->click();
    EXPECT_EQ(defaults.stringForKey("SUEnableAutomaticChecks"), "1");
    EXPECT_TRUE(occurence->isEnabled());
    emit occurence->activated(0);
    EXPECT_EQ(defaults.stringForKey("updateOccurenceIndex"), "0");
    ui().analyzeAutomaticallyDiskUsage->click();
    EXPECT_EQ(defaults.stringForKey("analyzeAutomaticallyDiskUsage"), "1");
    ui().analyzeAutomaticallyDiskUsage->click();
    EXPECT_EQ(defaults.stringForKey("analyzeAutomaticallyDiskUsage"), "0");

    ui().chkAutoUpdates->click();
    EXPECT_EQ(defaults.stringForKey("SUEnableAutomaticChecks"), "0");
    QTest::mouseClick(ui().btnResetAll, Qt::LeftButton);
    EXPECT_TRUE(ui().chkAutoUpdates->isChecked());
    EXPECT_EQ(occurence->currentIndex(), 1);
    EXPECT_EQ(defaults.stringForKey("SUAllowsAutomaticUpdates"), "1");
}

TEST_F(PreferencesWindow, AnAssistiveToolsTogglesChangeWhatTheControlsShowAndStore) {
    const auto toggle = [](QWidget* control) {
        return gui_driving::accessibilityAction(control,
                                                QAccessibleActionInterface::toggleAction());
    };
    const auto buttonOf = [this](const char* identifier) {
        return qobject_cast<QToolButton*>(
            window->toolbar()->widgetForAction(toolbarItem(QString::fromLatin1(identifier))));
    };
    QToolButton* large = buttonOf("Large Files");
    QToolButton* duplicates = buttonOf("Duplicates Finder");
    ASSERT_NE(large, nullptr);
    ASSERT_NE(duplicates, nullptr);

    ASSERT_TRUE(toggle(large));
    EXPECT_EQ(window->currentView(), ui().largeFilesPrefsView);
    EXPECT_EQ(window->windowTitle(), "Large Files");
    EXPECT_TRUE(large->isChecked());
    EXPECT_TRUE(toolbarItem("Large Files")->isChecked());
    EXPECT_FALSE(duplicates->isChecked());
    EXPECT_FALSE(toolbarItem("Duplicates Finder")->isChecked());
    // The shown pane's button cannot be cleared: it stays checked with its pane.
    ASSERT_TRUE(toggle(large));
    EXPECT_TRUE(large->isChecked());
    EXPECT_EQ(window->currentView(), ui().largeFilesPrefsView);
    QTest::mouseClick(duplicates, Qt::LeftButton);
    EXPECT_EQ(window->currentView(), ui().duplicatesPrefsView);
    EXPECT_TRUE(duplicates->isChecked());
    EXPECT_FALSE(large->isChecked());

    // Check boxes and the algorithm choice store what they show.
    ASSERT_TRUE(toggle(ui().chkAutoUpdates));
    EXPECT_TRUE(ui().chkAutoUpdates->isChecked());
    EXPECT_EQ(defaults.stringForKey("SUEnableAutomaticChecks"), "1");
    EXPECT_TRUE(ui().popUpdateOccurence->isEnabled());
    const bool analyze = ui().analyzeAutomaticallyDuplicates->isChecked();
    ASSERT_TRUE(toggle(ui().analyzeAutomaticallyDuplicates));
    EXPECT_EQ(defaults.stringForKey("analyzeAutomaticallyDuplicates"), analyze ? "0" : "1");
    const bool showSystemApps = ui().chkUninShowOSX->isChecked();
    ASSERT_TRUE(toggle(ui().chkUninShowOSX));
    EXPECT_EQ(defaults.stringForKey("showOSXAppsInUninstaller"), showSystemApps ? "0" : "1");
    ASSERT_TRUE(toggle(ui().secureDeleteAlgo1));
    EXPECT_TRUE(ui().secureDeleteAlgo1->isChecked());
    EXPECT_EQ(defaults.integerForKey("secureDeleteAlgoIndex"), 1);
}
