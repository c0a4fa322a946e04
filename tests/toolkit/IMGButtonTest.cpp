#include "toolkit/IMGButton.h"

#include "tests/support/GuiDriving.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using qtk::IMGButton;

namespace {

struct IMGButtonPress : ::testing::Test {
    IMGButton button{QStringLiteral("Scan"), nullptr};
    void SetUp() override {
        button.resize(120, 40);
        button.setStandardImages();
    }
    void press(QPoint at = {10, 10}) { QTest::mousePress(&button, Qt::LeftButton, {}, at); }
    void release(QPoint at) { QTest::mouseRelease(&button, Qt::LeftButton, {}, at); }
};

TEST_F(IMGButtonPress, ActionRunsBeforeTheToggleOnAMouseUpInside) {
    button.setState(1);
    std::vector<int> statesSeen;
    QObject::connect(&button, &IMGButton::clicked, [&] { statesSeen.push_back(button.state()); });

    press();
    EXPECT_TRUE(button.isMouseDown());
    release({60, 20});
    EXPECT_FALSE(button.isMouseDown());
    ASSERT_EQ(statesSeen, std::vector<int>{1});
    EXPECT_EQ(button.state(), 0);

    press();
    release({60, 20});
    EXPECT_EQ(statesSeen, (std::vector<int>{1, 0}));
    EXPECT_EQ(button.state(), 1);
}

TEST_F(IMGButtonPress, AnAssistiveToolsPressActsAndTogglesLikeTheMouseAndHearsTheTitle) {
    button.setState(1);
    std::vector<int> statesSeen;
    QObject::connect(&button, &IMGButton::clicked, [&] { statesSeen.push_back(button.state()); });
    EXPECT_EQ(gui_driving::accessibleName(&button), "Scan");

    ASSERT_TRUE(
        gui_driving::accessibilityAction(&button, QAccessibleActionInterface::pressAction()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !statesSeen.empty(); }));
    EXPECT_EQ(statesSeen, std::vector<int>{1});
    EXPECT_EQ(button.state(), 0);

    button.setText(QStringLiteral("Stop Scan"));
    EXPECT_EQ(gui_driving::accessibleName(&button), "Stop Scan");
    button.setEnabled(false);
    EXPECT_FALSE(
        gui_driving::accessibilityAction(&button, QAccessibleActionInterface::pressAction()));
    EXPECT_EQ(button.state(), 0);
}

TEST_F(IMGButtonPress, EdgesCountAsInsideAndAnythingBeyondDoesNot) {
    QSignalSpy clicks(&button, &IMGButton::clicked);
    press();
    release({120, 40}); // right and bottom edges included
    EXPECT_EQ(clicks.count(), 1);

    press();
    release({121, 20});
    press();
    release({30, -1});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button.state(), 1);       // only the first click toggled
    EXPECT_FALSE(button.isMouseDown()); // redraws unpressed even outside
}

TEST_F(IMGButtonPress, DisabledButtonNeverActsNorShowsPressed) {
    QSignalSpy clicks(&button, &IMGButton::clicked);
    button.setEnabled(false);
    press();
    EXPECT_FALSE(button.isMouseDown());
    release({60, 20});
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button.state(), 0);
    EXPECT_EQ(button.appearance()->middle, QStringLiteral("btn_dis_middle.png"));
}

TEST_F(IMGButtonPress, OnlyTheLeftButtonPresses) {
    QSignalSpy clicks(&button, &IMGButton::clicked);
    QTest::mousePress(&button, Qt::RightButton, {}, {10, 10});
    QTest::mouseRelease(&button, Qt::RightButton, {}, {10, 10});
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(button.isMouseDown());
}

TEST(IMGButtonAppearance, ImagesAndColoursFollowStateEnabledAndPress) {
    IMGButton button;
    button.setButtonImages("onS", "onM", "onE", "onDS", "onDM", "onDE", "onXS", "onXM", "onXE",
                           "offS", "offM", "offE", "offDS", "offDM", "offDE", "offXS", "offXM",
                           "offXE");
    button.setColorOnState(Qt::yellow);
    button.setColorOffState(Qt::cyan);
    button.resize(100, 30);

    button.setState(1);
    EXPECT_EQ(button.appearance()->start, "onS");
    EXPECT_EQ(button.appearance()->titleColor, QColor(Qt::yellow));
    QTest::mousePress(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(button.appearance()->middle, "onDM");
    QTest::mouseRelease(&button, Qt::LeftButton, {}, {500, 5});

    button.setState(0);
    EXPECT_EQ(button.appearance()->end, "offE");
    EXPECT_EQ(button.appearance()->titleColor, QColor(Qt::cyan));
    button.setEnabled(false);
    EXPECT_EQ(button.appearance()->start, "offXS");
    EXPECT_EQ(button.appearance()->titleColor, QColor(96, 96, 96));

    button.setState(-1); // mixed keeps the last look
    EXPECT_FALSE(button.appearance().has_value());
}

TEST(IMGButtonTitle, SplitsAtTheSeparatorFewerWordsFirst) {
    const QString sp = QStringLiteral(" ");
    EXPECT_EQ(IMGButton::twoLineTitle("Clean", sp), "Clean");
    EXPECT_EQ(IMGButton::twoLineTitle("Stop Scan", sp), "Stop\nScan");
    EXPECT_EQ(IMGButton::twoLineTitle("Scan for junk", sp), "Scan\nfor junk");
    EXPECT_EQ(IMGButton::twoLineTitle("Scan my Mac now", sp), "Scan my\nMac now");
    EXPECT_EQ(IMGButton::twoLineTitle("a b c d e", sp), "a b\nc d e");
    EXPECT_EQ(IMGButton::twoLineTitle("Fix_all_now", "_"), "Fix\nall_now");
    EXPECT_EQ(IMGButton::twoLineTitle("Own\nbreak", sp), "Own\nbreak");

    EXPECT_FALSE(IMGButton::isTwoLineCandidate("Clean", sp));
    EXPECT_TRUE(IMGButton::isTwoLineCandidate("Own\nbreak", "_"));
    EXPECT_TRUE(IMGButton::isTwoLineCandidate("Stop Scan", sp));
}

TEST(IMGButtonTitle, LayoutUsesTheLargestFittingSizeCentredInTheMargins) {
    IMGButton button(QStringLiteral("Clean"), nullptr);
    button.setMarginLeft(10);
    button.setMarginRight(20);
    const QRectF bounds(0, 0, 160, 40);
    const auto layout = button.layoutTitle(bounds, false, Qt::white);
    ASSERT_TRUE(layout.has_value());
    // The next size up would overflow the text area.
    const QRectF area(10, 5, 130, 30);
    QFont bigger = layout->font;
    bigger.setPixelSize(layout->font.pixelSize() + 1);
    const QFontMetricsF metrics(bigger);
    EXPECT_TRUE(metrics.horizontalAdvance("Clean") > area.width() ||
                metrics.height() > area.height());
    EXPECT_LE(layout->size.width(), area.width());
    EXPECT_DOUBLE_EQ(layout->rect.x(), 10);
    EXPECT_DOUBLE_EQ(layout->rect.width(), 130);
    EXPECT_DOUBLE_EQ(layout->rect.y(), 5 + (30 - layout->size.height()) / 2);
}

TEST(IMGButtonTitle, TwoLinesOnlyWhenTheyComeOutLarger) {
    IMGButton button(QStringLiteral("Start Smart Scan"), nullptr);
    // Tall and narrow: two lines give the bigger text.
    const auto tall = button.chooseLayout(QRectF(0, 0, 110, 80), Qt::white);
    ASSERT_TRUE(tall);
    EXPECT_EQ(tall->text, "Start\nSmart Scan");
    // Wide and low: one line.
    const auto wide = button.chooseLayout(QRectF(0, 0, 400, 30), Qt::white);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->text, "Start Smart Scan");

    button.setText(QStringLiteral("Scan"));
    EXPECT_EQ(button.chooseLayout(QRectF(0, 0, 60, 200), Qt::white)->text, "Scan");
}

TEST(IMGButtonTitle, BlackColourDrawsBoldBlueWhateverTheState) {
    IMGButton button(QStringLiteral("Details"), nullptr);
    button.setIsBlackColor(true);
    const auto layout = button.layoutTitle(QRectF(0, 0, 120, 30), false, Qt::white);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->color, QColor(0, 126, 255));
    EXPECT_TRUE(layout->font.bold());
}

TEST(IMGButtonTitle, PressedTitleMovesOnePointAlongBothAxes) {
    IMGButton button(QStringLiteral("Scan"), nullptr);
    button.resize(120, 40);
    button.grab();
    const QRectF resting = button.rectText();
    QTest::mousePress(&button, Qt::LeftButton, {}, {5, 5});
    button.grab();
    EXPECT_EQ(button.rectText(), resting.translated(1, 1));
}

} // namespace
