#include "toolkit/ViewFormatter.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/TextMetrics.h"
#include "toolkit/IMGButton.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

using qcore::Dictionary;
using qcore::Value;
using qtk::ViewFormatter;

namespace {

Dictionary table(Dictionary components, Dictionary imgSettings = {}) {
    return Dictionary{{"static", Dictionary{}},
                      {"components", std::move(components)},
                      {"IMGSettings", std::move(imgSettings)}};
}

struct Page : ::testing::Test {
    QWidget view;
    QWidget* panel = new QWidget(&view);
    QLabel* label = new QLabel(QStringLiteral("Caches"), panel);
    qtk::IMGButton* scan = new qtk::IMGButton(QStringLiteral("Scan"), panel);
    QPushButton* plain = new QPushButton(QStringLiteral("Plain"), &view);

    void SetUp() override {
        view.resize(400, 300);
        panel->setGeometry(0, 0, 400, 300);
        qui::setFrame(label, {20, 100, 120, 20});
        label->setProperty("tag", 11);
        qui::setFrame(scan, {200, 20, 100, 40});
        scan->setProperty("tag", 12);
        plain->setProperty("tag", 13);
    }
};

TEST_F(Page, ZeroSizeKeepsThatSideAndOffsetAddsAfterOrigin) {
    ViewFormatter formatter(table({
        {"11", Dictionary{{"Size", Dictionary{{"Width", 0}, {"Height", 30}}}}},
        {"12", Dictionary{{"Origin", Dictionary{{"X", 50}, {"Y", 0}}},
                          {"Offset", Dictionary{{"X", 5}, {"Y", -4}}}}},
        {"99", Dictionary{{"Size", Dictionary{{"Width", 10}, {"Height", 10}}}}},
    }));
    formatter.updateFormattedComponentsForView(&view);

    EXPECT_EQ(qui::frameOf(label), (qui::PointRect{20, 100, 120, 30}));
    EXPECT_EQ(qui::frameOf(scan), (qui::PointRect{55, 16, 100, 40}));
}

TEST_F(Page, FontPrefersBoldThenLabelThenNamed) {
    ViewFormatter formatter(table({
        {"11", Dictionary{{"Font", Dictionary{{"IsBold", true}, {"IsLabel", true}, {"Size", 15}}}}},
        {"13", Dictionary{{"Font", Dictionary{{"IsLabel", true}, {"Size", 11}}}}},
        {"12", Dictionary{{"Font", Dictionary{{"Name", "NoSuchFamily"}, {"Size", 18}}}}},
    }));
    const qui::PointRect before = qui::frameOf(label);
    formatter.updateFormattedComponentsForView(&view);

    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pixelSize(), 15);
    EXPECT_FALSE(plain->font().bold());
    EXPECT_EQ(plain->font().pixelSize(), 11);
    EXPECT_EQ(scan->font().pixelSize(), 18);
    EXPECT_EQ(qui::frameOf(label), before); // no frame keys, no frame change
}

TEST_F(Page, ImageSettingsDefaultEveryMarginAndTheSeparator) {
    scan->setMarginLeft(40);
    scan->setMarginTopML(9);
    scan->setMultiLineStr("_");
    scan->setColorOnState(Qt::red);
    scan->setColorOffState(Qt::green);
    scan->setIsMultiLine(true);
    ViewFormatter formatter(table({}, {{"12", Dictionary{{"colorOnState", "ignored"}}}}));
    formatter.updateFormattedIMGButtonsForView(&view);

    EXPECT_EQ(scan->colorOnState(), QColor(Qt::white));
    EXPECT_EQ(scan->colorOffState(), QColor(Qt::green)); // absent key keeps the colour
    EXPECT_EQ(scan->multiLineStr(), " ");
    EXPECT_EQ(scan->marginLeft(), 5);
    EXPECT_EQ(scan->marginRight(), 5);
    EXPECT_EQ(scan->marginTop(), 5);
    EXPECT_EQ(scan->marginBottom(), 5);
    EXPECT_EQ(scan->marginTopML(), 2);
    EXPECT_EQ(scan->marginBottomML(), 2);
    EXPECT_TRUE(scan->isMultiLine()); // absent: left as it was
}

TEST_F(Page, ImageSettingsReadValuesAndSkipOtherControls) {
    ViewFormatter formatter(table({}, {{"12", Dictionary{{"marginLeft", "12"},
                                                         {"marginBottomML", 7},
                                                         {"isMultiLine", 2},
                                                         {"multiLineStr", "-"},
                                                         {"colorOffStateDis", true}}},
                                       {"13", Dictionary{{"marginLeft", 30}}}}));
    scan->setIsMultiLine(true);
    formatter.updateFormattedObjectsForView(&view);

    EXPECT_EQ(scan->marginLeft(), 12);
    EXPECT_EQ(scan->marginBottomML(), 7);
    EXPECT_FALSE(scan->isMultiLine()); // anything but 1 switches it off
    EXPECT_EQ(scan->multiLineStr(), "-");
    EXPECT_EQ(scan->colorOffStateDis(), QColor::fromRgbF(1.0f / 3, 1.0f / 3, 1.0f / 3));
}

TEST(ViewFormatterFit, ResizeMeAddsBothMarginsAndThirtyPoints) {
    EXPECT_DOUBLE_EQ(ViewFormatter::resizeMeWidth(100, 12, 8), 150);

    QWidget parent;
    parent.resize(500, 100);
    auto* right = new QPushButton(QStringLiteral("Recover Space"), &parent);
    right->setFont(qui::systemFont(13));
    qui::setFrame(right, {300, 10, 60, 30});
    const double text = qui::textWidth(right->font(), right->text());
    ViewFormatter::resizeMe(right, 12, 8, false);
    const qui::PointRect frame = qui::frameOf(right);
    EXPECT_NEAR(frame.width, 50 + text, 1);
    EXPECT_NEAR(frame.maxX(), 360, 1); // right edge stays

    auto* left = new QPushButton(QStringLiteral("Recover Space"), &parent);
    left->setFont(qui::systemFont(13));
    qui::setFrame(left, {10, 10, 60, 30});
    ViewFormatter::resizeMe(left, 12, 8, true);
    EXPECT_EQ(qui::frameOf(left).x, 10);
}

TEST(ViewFormatterFit, LabelsGrowOnlyWhenTheTextOverflows) {
    QWidget parent;
    parent.resize(500, 100);
    auto* label = new QLabel(QStringLiteral("A rather long description text"), &parent);
    label->setFont(qui::labelFont(13));
    const double text = qui::textWidth(label->font(), label->text());

    qui::setFrame(label, {10, 10, 40, 20});
    ViewFormatter::resizeLabel(label, false);
    EXPECT_NEAR(qui::frameOf(label).width, text + 10, 1);

    qui::setFrame(label, {10, 10, 40, 20});
    ViewFormatter::resizeLabel(label, true);
    EXPECT_EQ(qui::frameOf(label), (qui::PointRect{10, 10, 40, 40}));

    qui::setFrame(label, {10, 10, 400, 20});
    ViewFormatter::resizeLabel(label, false);
    EXPECT_EQ(qui::frameOf(label).width, 400);
}

TEST(ViewFormatterFit, NeighbourShiftsAndNarrowsByTheGrowth) {
    QWidget parent;
    parent.resize(500, 100);
    auto* label = new QLabel(QStringLiteral("Include hidden files"), &parent);
    auto* neighbour = new QLabel(QStringLiteral("x"), &parent);
    qui::setFrame(label, {10, 10, 30, 20});
    qui::setFrame(neighbour, {50, 10, 200, 20});
    ViewFormatter::resizeLabel(label, neighbour);
    const double growth = qui::frameOf(label).width - 30;
    EXPECT_GT(growth, 0);
    EXPECT_NEAR(qui::frameOf(neighbour).x, 50 + growth, 1);
    EXPECT_NEAR(qui::frameOf(neighbour).width, 200 - growth, 1);
}

TEST(ViewFormatterFit, ButtonFontStepsTwoBelowTheFirstOverflowingSize) {
    QWidget parent;
    parent.resize(300, 100);
    auto* button = new QPushButton(QStringLiteral("Clean"), &parent);
    button->resize(60, 30);
    ViewFormatter::updateFontForButton(button);
    const int chosen = button->font().pixelSize();
    EXPECT_GT(qui::textWidth(qui::systemFont(chosen + 2), "Clean"), 60);
    EXPECT_LE(qui::textWidth(qui::systemFont(chosen + 1), "Clean"), 60);

    auto* roomy = new QPushButton(QStringLiteral("Go"), &parent);
    roomy->resize(290, 30);
    const QFont before = roomy->font();
    ViewFormatter::updateFontForButton(roomy);
    EXPECT_EQ(roomy->font(), before);
}

TEST(ViewFormatterFit, DescriptionLabelDropsToTheBottomOnNewerSystems) {
    QWidget parent;
    parent.resize(300, 100);
    auto* label = new QLabel(QStringLiteral("Describes"), &parent);
    qui::setFrame(label, {10, 6, 200, 30});
    ViewFormatter::makeMultilingualChangesForYosemiteForLblDesc(label, false);
    EXPECT_EQ(qui::frameOf(label), (qui::PointRect{10, 6, 200, 30}));
    ViewFormatter::makeMultilingualChangesForYosemiteForLblDesc(label, true);
    EXPECT_EQ(qui::frameOf(label), (qui::PointRect{10, 0, 200, 38}));
}

TEST(ViewFormatterFind, TagSearchIncludesTheViewAndIgnoresUntagged) {
    QWidget view;
    view.setProperty("tag", 4);
    auto* inner = new QWidget(new QWidget(&view));
    inner->setProperty("tag", 9);
    EXPECT_EQ(ViewFormatter::viewWithTag(&view, 4), &view);
    EXPECT_EQ(ViewFormatter::viewWithTag(&view, 9), inner);
    EXPECT_EQ(ViewFormatter::viewWithTag(&view, 0), nullptr);
}

} // namespace
