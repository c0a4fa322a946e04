#include "EngineTestSupport.h"

#include "engine/OutlineViewNode.h"
#include "engine/TextFormat.h"

using qengine::DataFiller;

using TextTables = EngineTest;

TEST_F(TextTables, LookUpsRemoveBlanksAndFallBackToNA) {
    EXPECT_EQ(engine_->getTokenForGroup("GRP_CMN", "ID_DISK USAGE"), "Disk usage");
    EXPECT_EQ(engine_->getTokenForGroup("GRP_CMN", " ID_DISKUSAGE "), "Disk usage");
    EXPECT_EQ(engine_->DISKUSAGE(), "NA"); // "ID_DISK_USAGE" is not in the fixture
    EXPECT_EQ(engine_->getTokenForGroup("GRP_CMN", "ID_MISSING"), "NA");
    EXPECT_EQ(engine_->getTokenForGroup("GRP_NOPE", "ID_DISKUSAGE"), "NA");
    EXPECT_EQ(engine_->getTokenForGroup("[GRP_CMN]", "ID_DISKUSAGE"), "NA");
    EXPECT_EQ(engine_->langCode(), "EN");
    EXPECT_EQ(engine_->sizeLangTokens().at("KB").toString(), "KB");
    EXPECT_EQ(engine_->getStaticValueForKey("rowHeight").toInt(), 22);
    EXPECT_TRUE(engine_->getStaticValueForKey("missing").isNull());

    TempDir emptyBundle;
    const DataFiller bare{qcore::Bundle(emptyBundle.path())};
    EXPECT_EQ(bare.getTokenForGroup("GRP_CMN", "ID_KB"), "NA");
    EXPECT_EQ(bare.sizeLangTokens().at("bytes").toString(), "NA");
    EXPECT_TRUE(bare.getStaticValueForKey("rowHeight").isNull());
    EXPECT_TRUE(bare.formatListDict().empty());
}

TEST_F(TextTables, ModuleDisplayNames) {
    EXPECT_EQ(engine_->getModuleName("Old Downloads", true), "Old Downloads Page");
    EXPECT_EQ(engine_->getModuleName("Old Downloads", false), "Old Downloads Row");
    EXPECT_EQ(engine_->getModuleName("Trash Cleaner", true), "Crash Reports");
    EXPECT_EQ(engine_->getModuleName("Trashes & Leftovers", true), "NA");
}

TEST_F(TextTables, StatusLinesFillPlaceholdersLiterally) {
    // Two placeholders: display name and the patience text of the operation.
    EXPECT_EQ(engine_->getTokenForActivity("Trash Cleaner", false, true),
              "Scanning Crash Reports (be patient)");
    EXPECT_EQ(engine_->getTokenForActivity("Trash Cleaner", true, false),
              "Cleaning Crash Reports with this takes time");
    EXPECT_EQ(engine_->getTokenForActivity("Trash Cleaner", true, true), "NA");
    // None: as it stands; a missing key stays "NA".
    EXPECT_EQ(engine_->getTokenForActivity("Trash Cleaner", false, false), "No placeholder here");
    EXPECT_EQ(engine_->getTokenForActivity("Large Files", false, true), "NA");
    // One, next to stray directives that must be left alone.
    EXPECT_EQ(engine_->getTokenForActivity("Logs Cleaner", false, true),
              "Scanning Logs, 100%d done %s");
}

TEST(TextFormat, PlaceholderHelpers) {
    using namespace qengine::text;
    EXPECT_EQ(countPlaceholders("a %@ b %@"), 2);
    EXPECT_EQ(countPlaceholders("%d %s %"), 0);
    EXPECT_EQ(fillPlaceholders("%@-%@-%@", {"1", "2"}), "1-2-%@");
    EXPECT_EQ(fillPlaceholders("x %@", {"%@ %s"}), "x %@ %s");
    EXPECT_EQ(fillPlaceholders("end %", {"1"}), "end %");
    EXPECT_EQ(moduleStem("Trashes & Leftovers"), "TRASHES_&_LEFTOVERS");
}

TEST_F(TextTables, ConvertLanguageTokenRetitlesChildren) {
    qengine::OutlineViewNode group;
    auto child = std::make_shared<qengine::OutlineViewNode>();
    child->setTitle("Internet History");
    auto other = std::make_shared<qengine::OutlineViewNode>();
    other->setTitle("Cookies");
    group.children() = {child, other};
    engine_->convertLanguageToken(group);
    EXPECT_EQ(child->title(), "History");
    EXPECT_EQ(other->title(), "NA");
}
