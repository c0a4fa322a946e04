// The results models against odd lists: rows that changed under a view, sizes that are no
// numbers, items that stand for paths they do not list, requests beyond the rows; and what a
// reload of a long tree costs its view.
#include "tests/pages/support/PageTestSupport.h"

#include "engine/ModuleKeys.h"
#include "pages/care/ResultsTableModel.h"
#include "pages/care/ResultsTreeModel.h"
#include "pages/care/TrashController.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTreeView>

using qengine::modules::kSystemCleaner;
using qengine::modules::kTrashCleaner;
using qpages::ResultsTableModel;
using qpages::ResultsTreeModel;

namespace {

class ResultsModels : public PageTest {
protected:
    void addRows(const std::vector<std::pair<std::string, std::string>>& rows) const {
        for (const auto& [path, size] : rows)
            engine_->mainDataSource(kTrashCleaner)
                .appendRow(qengine::row::makeTrashCleanerRow(path, size));
    }
    void addGroup(const std::string& title, const std::vector<std::string>& items) const {
        auto group = std::make_shared<qengine::OutlineViewNode>();
        group->setTitle(title);
        group->setIsDirectory(true);
        const auto index = engine_->mainDataSource(kSystemCleaner).appendNode(group);
        for (const auto& path : items) {
            auto item = std::make_shared<qengine::OutlineViewNode>();
            item->setTitle(path);
            item->setFullPath(path);
            item->setSize("10");
            engine_->mainDataSource(kSystemCleaner).appendChild(index, item);
        }
    }
};

TEST_F(ResultsModels, ATickOnARowThatMovedIsRefusedAndTheViewCatchesUp) {
    addRows({{"/h/a.crash", "1"}, {"/h/b.crash", "2"}});
    ResultsTableModel model(*engine_, kTrashCleaner);
    // The list changes behind the snapshot: row 0 is another report now.
    engine_->mainDataSource(kTrashCleaner).eraseRow(0);
    EXPECT_FALSE(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(qengine::row::state(*engine_->mainDataSource(kTrashCleaner).rowAt(0)), 1);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_TRUE(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(qengine::row::state(*engine_->mainDataSource(kTrashCleaner).rowAt(0)), 0);
}

TEST_F(ResultsModels, RowsAppendedByAScanAreAddedWithoutRereadingTheRest) {
    addRows({{"/h/a.crash", "1"}});
    ResultsTableModel model(*engine_, kTrashCleaner);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    addRows({{"/h/b.crash", "2"}, {"/h/c.crash", "3"}});
    model.reload();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(inserts.count(), 1);
    EXPECT_EQ(resets.count(), 0);
    // A list that changed otherwise is read again as a whole.
    engine_->mainDataSource(kTrashCleaner).eraseRow(0);
    addRows({{"/h/d.crash", "4"}});
    model.reload();
    EXPECT_EQ(resets.count(), 1);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(qengine::row::fullPath(*model.rowAt(0)), "/h/b.crash");
}

TEST_F(ResultsModels, TicksAndSortsWaitWhileTheModuleWorks) {
    addRows({{"/h/b.crash", "2"}, {"/h/a.crash", "1"}});
    ResultsTableModel model(*engine_, kTrashCleaner);
    ASSERT_TRUE(engine_->claimModule(kTrashCleaner));
    EXPECT_FALSE(model.tick(0, 0));
    EXPECT_FALSE(model.tickAll(0));
    EXPECT_FALSE(model.sortBy(model.columnIndex("size"), false));
    engine_->cancelModuleClaim(kTrashCleaner);
    EXPECT_TRUE(model.sortBy(model.columnIndex("size"), false));
    EXPECT_EQ(qengine::row::fullPath(*engine_->mainDataSource(kTrashCleaner).rowAt(0)),
              "/h/a.crash");
}

TEST_F(ResultsModels, ASizeThatIsNoNumberCountsAsNothing) {
    addRows({{"/h/a.crash", "12"}, {"/h/odd.crash", "lots"}});
    qpages::TrashController page(*engine_);
    page.view();
    auto* model = page.findChild<QAbstractItemView*>("tableView")->model();
    EXPECT_EQ(model->index(1, 3).data().toString().toStdString(), "0 bytes");
    qcore::NotificationCenter::defaultCenter().post(
        {"ReloadNotification", engine_.get(), {{"notificationGroup", kTrashCleaner}}});
    EXPECT_EQ(page.findChild<QLabel*>("lblSize")->text().toStdString(), "12 bytes");
}

TEST_F(ResultsModels, RequestsBeyondTheRowsAnswerNothing) {
    addGroup("Group", {"/h/one"});
    ResultsTreeModel tree(*engine_, kSystemCleaner);
    EXPECT_FALSE(tree.index(1, 0).isValid());
    EXPECT_FALSE(tree.index(1, 0, tree.index(0, 0)).isValid());
    EXPECT_EQ(tree.nodeAt(QModelIndex()), nullptr);
    EXPECT_FALSE(tree.data(tree.index(0, 9), Qt::DisplayRole).isValid());
    ResultsTableModel table(*engine_, kTrashCleaner);
    EXPECT_EQ(table.rowAt(0), nullptr);
    EXPECT_FALSE(table.setData(table.index(3, 0), Qt::Unchecked, Qt::CheckStateRole));
}

TEST_F(ResultsModels, GroupTicksFollowTheirItems) {
    addGroup("Two", {"/h/a", "/h/b"});
    addGroup("Empty", {});
    ResultsTreeModel tree(*engine_, kSystemCleaner);
    QSignalSpy ticks(&tree, &ResultsTreeModel::ticksChanged);
    const QModelIndex two = tree.index(0, 0);
    ASSERT_TRUE(tree.tick(tree.index(0, 0, two), 0));
    EXPECT_EQ(tree.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::PartiallyChecked);
    ASSERT_TRUE(tree.tick(tree.index(1, 0, two), 0));
    EXPECT_EQ(tree.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    ASSERT_TRUE(tree.tick(tree.index(1, 0, two), 1));
    ASSERT_TRUE(tree.tick(tree.index(0, 0, two), 1));
    EXPECT_EQ(tree.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    // A group without items stays unticked whatever is asked of it.
    ASSERT_TRUE(tree.tick(tree.index(1, 0), 1));
    EXPECT_EQ(tree.index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    ASSERT_TRUE(tree.tickAll(1));
    EXPECT_EQ(tree.index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(ticks.count(), 6);
}

// What a reload costs a tree view: the model's signals for one reload of a list of `groups`
// groups of three items after every item was unticked, with a group open and a row selected.
struct ReloadSignals {
    int dataChanged = 0;
    int layoutChanged = 0;
    int resets = 0;
    bool openGroupStaysOpen = false;
    bool selectionStays = false;
    bool ticksShown = false;
};

class TreeReloads : public ResultsModels {
protected:
    ReloadSignals untickAll(int groups) {
        engine_->mainDataSource(kSystemCleaner).clear();
        for (int g = 0; g < groups; ++g) {
            const std::string folder = "/h/" + std::to_string(g);
            addGroup("Group " + std::to_string(g), {folder + "/a", folder + "/b", folder + "/c"});
        }
        ResultsTreeModel model(*engine_, kSystemCleaner);
        QTreeView view;
        view.setModel(&model);
        view.show();
        view.expand(model.index(1, 0));
        const QModelIndex selected = model.index(2, 2, model.index(0, 0));
        view.setCurrentIndex(selected);
        QCoreApplication::processEvents();

        QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        EXPECT_TRUE(model.tickAll(0));
        ReloadSignals out{static_cast<int>(data.count()), static_cast<int>(layouts.count()),
                          static_cast<int>(resets.count())};
        out.openGroupStaysOpen = view.isExpanded(model.index(1, 0));
        out.selectionStays =
            view.currentIndex() == selected && view.selectionModel()->isSelected(selected);
        const QModelIndex last = model.index(groups - 1, 0);
        out.ticksShown = last.data(Qt::CheckStateRole).toInt() == Qt::Unchecked &&
                         model.index(2, 0, last).data(Qt::CheckStateRole).toInt() == Qt::Unchecked;
        return out;
    }
};

TEST_F(TreeReloads, AReloadOfAnyLengthCostsTheViewAFewSignalsAndKeepsItsOpenGroupsAndSelection) {
    for (const int groups : {3, 12, 300}) {
        SCOPED_TRACE(groups);
        const auto reload = untickAll(groups);
        EXPECT_LE(reload.dataChanged + reload.layoutChanged, 10);
        EXPECT_EQ(reload.resets, 0);
        EXPECT_TRUE(reload.openGroupStaysOpen);
        EXPECT_TRUE(reload.selectionStays);
        EXPECT_TRUE(reload.ticksShown);
    }
}

TEST_F(TreeReloads, ATickAnnouncesItsOwnRowsAndAReloadWithoutChangeNothing) {
    for (int g = 0; g < 20; ++g)
        addGroup("Group " + std::to_string(g), {"/h/a" + std::to_string(g), "/h/b"});
    ResultsTreeModel model(*engine_, kSystemCleaner);
    QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);
    model.reload();
    EXPECT_EQ(data.count() + layouts.count(), 0);

    const QModelIndex group = model.index(7, 0);
    ASSERT_TRUE(model.tick(model.index(1, 0, group), 0));
    EXPECT_EQ(layouts.count(), 0);
    ASSERT_EQ(data.count(), 2);
    // The group's row, then the item's.
    EXPECT_EQ(data[0][0].value<QModelIndex>(), model.index(7, 0));
    EXPECT_EQ(data[0][1].value<QModelIndex>().row(), 7);
    EXPECT_EQ(data[1][0].value<QModelIndex>(), model.index(1, 0, group));
    EXPECT_EQ(data[1][1].value<QModelIndex>().parent(), group);
    EXPECT_EQ(data[1][1].value<QModelIndex>().row(), 1);
    EXPECT_EQ(group.data(Qt::CheckStateRole).toInt(), Qt::PartiallyChecked);
}

} // namespace
