#include "EngineTestSupport.h"

#include "engine/DupOVNode.h"
#include "engine/OutlineViewNode.h"
#include "platform/core/SystemVersion.h"
#include "platform/core/Workspace.h"

#include <unistd.h>

using qengine::DataFiller;
using qengine::NodeIcon;
using qengine::OutlineViewNode;

using Registry = EngineTest;

TEST_F(Registry, ElevenModulesInOrderWithEveryFlagCleared) {
    const std::vector<std::string> expected{
        "System Cleaner", "Logs Cleaner",        "Partial Downloads", "Duplicates Finder",
        "Uninstaller",    "Trashes & Leftovers", "Trash Cleaner",     "Large Files",
        "Misc Cleaning",  "Internet Privacy",    "Old Downloads"};
    EXPECT_EQ(DataFiller::moduleKeys(), expected);
    for (const auto& key : expected) {
        EXPECT_TRUE(engine_->mainDataSource(key).empty()) << key;
        const auto& f = engine_->flags(key);
        EXPECT_FALSE(f.isFilling || f.stopFilling || f.isRemoving || f.stopRemoving || f.pause ||
                     f.aborted)
            << key;
        EXPECT_FALSE(engine_->isModuleBusy(key));
    }
    EXPECT_THROW(engine_->mainDataSource("Nope"), std::invalid_argument);
    EXPECT_FALSE(engine_->showUninstallInMenu());
    EXPECT_FALSE(engine_->showSpeedTestButton());
    EXPECT_EQ(engine_->speedTestURL(), "");
    EXPECT_EQ(engine_->lowColor(), (qengine::Rgb{0.298, 0.4706, 0.1451, 1.0}));
}

TEST_F(Registry, NamedAccessorsShareTheModulesFlags) {
    engine_->setStopFillingLogsCleaner(true);
    EXPECT_TRUE(engine_->flags("Logs Cleaner").stopFilling);
    engine_->setIsRemovingOldDownload(true);
    EXPECT_TRUE(engine_->flags("Old Downloads").isRemoving);
    EXPECT_TRUE(engine_->isRemovingOldDownload());
    engine_->flags("Duplicates Finder").aborted = true;
    EXPECT_TRUE(engine_->abortedDuplicateFiles());
    engine_->setPauseCacheCleaner(true);
    EXPECT_TRUE(engine_->pauseCacheCleaner());
    EXPECT_FALSE(engine_->pauseLogsCleaner());
}

TEST_F(Registry, CategoryTablesAndOsFlags) {
    EXPECT_EQ(engine_->catMusicDict().size(), 20u); // 19 extensions and CAT_NAME
    EXPECT_EQ(engine_->catPicturesDict().size(), 32u);
    EXPECT_EQ(engine_->catVideoDict().size(), 19u);
    EXPECT_EQ(engine_->catDocumentsDict().size(), 25u);
    EXPECT_EQ(engine_->catMusicDict().at("CAT_NAME").toString(), "Music");
    EXPECT_TRUE(engine_->catMusicDict().count("AUDIO CD"));
    EXPECT_TRUE(engine_->catDocumentsDict().count("HTM"));
    EXPECT_FALSE(engine_->catDocumentsDict().count("Htm"));

    EXPECT_FALSE(engine_->isOSX_Less_Then_10_7());
    EXPECT_TRUE(engine_->isOSX_10_10_And_Above());
    qcore::SystemVersion::setCurrent(qcore::SystemVersion(10, 6, 8));
    const DataFiller old{qcore::Bundle(bundleDir_.path())};
    qcore::SystemVersion::setCurrent(qcore::SystemVersion());
    EXPECT_TRUE(old.isOSX_Less_Then_10_7());
    EXPECT_FALSE(old.isOSX_10_5());
    EXPECT_TRUE(old.isOSX_10_10_And_Above());
}

TEST_F(Registry, NodeInitialisersOnMissingAndExistingPaths) {
    const auto missing = OutlineViewNode::initWithPath(home_.file("gone/item.cache"), false);
    EXPECT_EQ(missing->title(), "item.cache");
    EXPECT_EQ(missing->size(), "0");
    EXPECT_EQ(missing->icon().kind, NodeIcon::Kind::GenericFolder);
    EXPECT_EQ(missing->state(), 1);

    home_.write("Caches/app/a", std::string(300, 'a'));
    home_.write("Caches/app/b/c", std::string(20, 'c'));
    const auto folder = OutlineViewNode::initWithPath(home_.file("Caches/app"), false);
    EXPECT_FALSE(folder->isDirectory());
    EXPECT_EQ(folder->size(), "320");
    EXPECT_EQ(folder->icon(), NodeIcon::fileIcon(home_.file("Caches/app")));
    const auto unsized = OutlineViewNode::initWithPath(home_.file("Caches/app"), true, false);
    EXPECT_EQ(unsized->size(), "0");
    EXPECT_EQ(unsized->icon().kind, NodeIcon::Kind::GenericFolder);
    EXPECT_TRUE(unsized->isDirectory());

    qengine::DupOVNode group;
    EXPECT_EQ(group.indexToRetain(), -1);
    EXPECT_EQ(group.state(), 1);
    group.setIndexToRetain(2);
    group.children().push_back(folder);
    const auto copy = group.clone();
    EXPECT_EQ(std::dynamic_pointer_cast<qengine::DupOVNode>(copy)->indexToRetain(), 2);
    EXPECT_NE(copy->children()[0].get(), folder.get()); // deep copy
}

TEST_F(Registry, ParentIndexUpkeepAndItemCounts) {
    auto& list = engine_->mainDataSource("Large Files");
    for (int g = 0; g < 3; ++g) {
        auto group = std::make_shared<OutlineViewNode>();
        group->setIsDirectory(true);
        const auto index = list.appendNode(group);
        for (int c = 0; c <= g; ++c)
            list.appendChild(index, std::make_shared<OutlineViewNode>());
    }
    EXPECT_EQ(engine_->getItemsCountOfModule("Large Files"), 6);
    list.withLock([](auto& nodes, auto&) { std::swap(nodes[0], nodes[2]); });
    engine_->updateParentIndex("Large Files");
    const auto snapshot = list.nodesSnapshot();
    for (std::size_t g = 0; g < snapshot.size(); ++g)
        for (const auto& child : snapshot[g]->children())
            EXPECT_EQ(child->parentIndex(), static_cast<std::int64_t>(g));

    list.withLock([](auto& nodes, auto&) {
        nodes.erase(nodes.begin());
        DataFiller::updateChildPIndexArrayAfterParentDeletion(0, nodes);
        EXPECT_EQ(nodes[1]->children()[0]->parentIndex(), 1);
        nodes[1]->children()[0]->setParentIndex(7);
        DataFiller::updateChildPIndexArrayAfterParentDeletion(2, nodes); // == count: no change
        EXPECT_EQ(nodes[1]->children()[0]->parentIndex(), 7);
    });

    auto& rows = engine_->mainDataSource("Old Downloads");
    rows.appendRow({{"fullPath", "/x"}});
    rows.appendRow({{"fullPath", "/y"}});
    EXPECT_EQ(engine_->getItemsCountOfModule("Old Downloads"), 2);
    EXPECT_EQ(engine_->getItemsCountOfModule("Logs Cleaner"), 0);
}

TEST_F(Registry, UpdatePayloadsTravelAsRunningTotalsInText) {
    engine_->sendUpdateNotification("Trash Cleaner", 3, 5000000000ull);
    engine_->sendActivityStartStopNotification("Trash Cleaner", "start", "scan");
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].info("count"), "3");
    EXPECT_EQ(updates[0].info("size"), "5000000000");
    EXPECT_EQ(updates[0].info("notificationGroup"), "Trash Cleaner");
    const auto starts = recorder_->named("ActivityStartStopNotification");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].info("activityType"), "scan");
    EXPECT_EQ(starts[0].object, engine_.get());
}

TEST_F(Registry, CheckAppOpenComparesBundleIdentifiersIgnoringCase) {
    TempDir proc;
    const std::string executable = proc.write("Apps/Foo.app/Contents/MacOS/foo", "#!/bin/sh\n");
    ASSERT_TRUE(qcore::Value(qcore::Dictionary{{"CFBundleIdentifier", "Com.Example.Foo"},
                                               {"CFBundleName", "Foo"}})
                    .writeXmlPlistAtomically(proc.file("Apps/Foo.app/Contents/Info.plist")));
    proc.mkdir("proc/4242");
    proc.write("proc/4242/comm", "foo\n");
    ASSERT_EQ(::symlink(executable.c_str(), proc.file("proc/4242/exe").c_str()), 0);
    qcore::Workspace::setProcRootForTesting(proc.file("proc"));
    EXPECT_TRUE(engine_->checkAppOpen("com.example.foo"));
    EXPECT_TRUE(engine_->checkAppOpen("COM.EXAMPLE.FOO"));
    EXPECT_FALSE(engine_->checkAppOpen("com.example.bar"));
    qcore::Workspace::setProcRootForTesting(proc.file("empty"));
    EXPECT_FALSE(engine_->checkAppOpen("com.example.foo"));
    qcore::Workspace::setProcRootForTesting("");
}
