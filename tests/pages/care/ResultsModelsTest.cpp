// The results models against odd lists: rows that changed under a view, sizes that are no
// numbers, items that stand for paths they do not list, requests beyond the rows.
#include "tests/pages/support/PageTestSupport.h"

#include "engine/ModuleKeys.h"
#include "pages/care/ResultsTableModel.h"
#include "pages/care/ResultsTreeModel.h"
#include "pages/care/TrashController.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QSignalSpy>

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

} // namespace
