// What a Duplicates Finder clean costs the results view: the model's signals from the click on
// Clean Now to the settled list must not grow with the number of groups, since the view pays
// for each signal with a walk of its rows. Driven through the page's controls, then the disk
// checked.
#include "tests/pages/support/PageJourney.h"
#include "tests/pages/tools/DuplicatesPageTest.h"

#include "engine/DupOVNode.h"
#include "engine/ModuleKeys.h"
#include "toolkit/IMGButton.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <filesystem>

using qengine::modules::kDuplicatesFinder;

namespace {

class DuplicatesReload : public DuplicatesPageTest {
protected:
    void SetUp() override {
        DuplicatesPageTest::SetUp();
        showPage();
    }

    struct Clean {
        int modelSignals = 0;
        int copiesLeft = 0;
    };

    // Finds `groups` pairs of copies in a folder of their own, ticks all but the first copy of
    // each, cleans, and counts the model's signals during the clean.
    Clean cleanOf(const std::string& folder, int groups) {
        std::vector<std::string> copies;
        for (int g = 0; g < groups; ++g) {
            const std::string name = "file" + std::to_string(g) + ".txt";
            const std::string bytes = "the bytes of copy set " + std::to_string(g);
            for (const char* place : {"/one/", "/two/"}) {
                copies.push_back(write(folder + place + name, bytes));
                finders::setFixtureTime(copies.back());
            }
        }
        finders::useDuplicatesSettings(home_.path() + "/" + folder + "/");
        if (!page_->isFolderFaceShown())
            QTest::mouseClick(page_->findChild<QWidget*>("rescanButton"), Qt::LeftButton);
        QTest::mouseClick(page_->btnFindDups(), Qt::LeftButton);
        EXPECT_TRUE(runUntilIdle({kDuplicatesFinder}));
        auto* model = outline_->model();
        EXPECT_EQ(model->rowCount(), groups);
        EXPECT_TRUE(PageJourney::chooseFromContextMenu(outline_, model->index(0, 2),
                                                       "Select All but First"));

        QSignalSpy data(model, &QAbstractItemModel::dataChanged);
        QSignalSpy layouts(model, &QAbstractItemModel::layoutChanged);
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        PageJourney::answerNextAlert("OK");
        QTest::mouseClick(page_->removeButton(), Qt::LeftButton);
        EXPECT_TRUE(runUntilIdle({kDuplicatesFinder}));
        Clean clean{static_cast<int>(data.count() + layouts.count() + resets.count()), 0};
        for (const auto& path : copies)
            if (std::filesystem::exists(path)) ++clean.copiesLeft;
        return clean;
    }

    // A notification of the Duplicates Finder as its scan posts it, with the page's hand-overs run.
    void post(const std::string& name, qcore::Dictionary info) {
        info["notificationGroup"] = kDuplicatesFinder;
        info["activityName"] = kDuplicatesFinder;
        qcore::NotificationCenter::defaultCenter().post(name, engine_.get(), std::move(info));
        mainThread_->drain();
    }
    void addGroup(int g) {
        auto& list = engine_->mainDataSource(kDuplicatesFinder);
        auto group = std::make_shared<qengine::DupOVNode>();
        group->setTitle("file" + std::to_string(g));
        group->setIsDirectory(true);
        const auto index = list.appendNode(group);
        for (const char* place : {"/one/", "/two/"}) {
            auto copy = std::make_shared<qengine::OutlineViewNode>();
            copy->setFullPath(home_.path() + place + group->title());
            copy->setTitle(copy->fullPath());
            list.appendChild(index, copy);
        }
    }
};

TEST_F(DuplicatesReload, ACleanOfManyGroupsCostsTheViewNoMoreSignalsThanOneOfAFew) {
    const Clean few = cleanOf("few", 3);
    const Clean many = cleanOf("many", 60);
    EXPECT_EQ(few.copiesLeft, 3);
    EXPECT_EQ(many.copiesLeft, 60);
    EXPECT_EQ(outline_->model()->rowCount(), 0);
    EXPECT_GT(few.modelSignals, 0);
    EXPECT_LE(many.modelSignals, few.modelSignals);
}

// A scan posts a reload for every copy it finds, and each reload reads the whole list.
TEST_F(DuplicatesReload, AScanReadsItsListAtMostTenTimesASecondAndAllOfItAtItsStop) {
    page_->showChangeFolderControls(false);
    post("ActivityStartStopNotification", {{"operation", "start"}, {"activityType", "scan"}});
    auto* model = outline_->model();
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QElapsedTimer clock;
    clock.start();
    for (int g = 0; g < 40; ++g) {
        addGroup(g);
        post("ReloadNotification", {});
    }
    // The bound holds however slowly the reloads ran.
    EXPECT_LE(resets.count(), 2 + clock.elapsed() / 100);
    post("ActivityStartStopNotification", {{"operation", "stop"}, {"activityType", "scan"}});
    EXPECT_EQ(model->rowCount(), 40);
    EXPECT_EQ(model->rowCount(model->index(39, 0)), 2);
}

} // namespace
