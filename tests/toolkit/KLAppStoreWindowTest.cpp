#include "toolkit/KLAppStoreWindow.h"
#include "toolkit/CustomSheetWindow.h"
#include "toolkit/KLTitlebarContainer.h"
#include "toolkit/KLTitlebarView.h"
#include "toolkit/KLWindowButton.h"

#include "platform/core/NotificationCenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

using qtk::KLAppStoreWindow;
using qtk::KLTitlebarView;
using qtk::WAYAppStoreWindow;
using Kind = WAYAppStoreWindow::StandardButton;

const qcore::SystemVersion kTenNine(10, 9, 5); // AppKit 1265
const qcore::SystemVersion kTenSix(10, 6, 8);  // AppKit 1038

constexpr qui::PointRect kLaunchFrame{100, 200, 833, 560};

// The shell's launch calls.
void launch(KLAppStoreWindow& window) {
    window.setFrame(kLaunchFrame, true);
    window.setTitleBarHeight(40);
    window.setCenterTrafficLightButtons(false);
    window.setTrafficLightButtonsLeftMargin(8);
    window.setTrafficLightButtonsTopMargin(5);
}

QColor pixel(QWidget* widget, int x, int yFromTop) {
    return widget->grab().toImage().pixelColor(x, yFromTop);
}

TEST(KLAppStoreWindowLayout, SetUpStartsWithTheSystemBar) {
    KLAppStoreWindow window(kTenNine);
    EXPECT_EQ(window.titleBarHeight(), 22);
    EXPECT_EQ(window.cachedTitleBarHeight(), 22);
    EXPECT_TRUE(window.centerTrafficLightButtons());
    EXPECT_TRUE(window.showsBaselineSeparator());
    EXPECT_FALSE(window.showsTitle());
    EXPECT_EQ(window.trafficLightSeparation(), 6);
    EXPECT_EQ(window.fullScreenButtonRightMargin(), 3);
    EXPECT_NE(qobject_cast<KLTitlebarView*>(window.titleBarView()), nullptr);
    EXPECT_EQ(window.titleBarView()->parentWidget(), window.titleBarContainer());
}

TEST(KLAppStoreWindowLayout, LaunchSettingsPlaceBarButtonsAndContent) {
    KLAppStoreWindow window(kTenNine);
    launch(window);
    // The top margin applies from the next layout, here a resize.
    window.setFrame({100, 200, 833, 560}, true);
    window.show();
    QApplication::processEvents();

    EXPECT_EQ(window.frame().height, 560) << "the bar lies inside the frame";
    EXPECT_EQ(window.titleBarContainer()->geometry(), QRect(0, 0, 833, 40));
    EXPECT_EQ(window.titleBarView()->geometry(), QRect(0, 0, 833, 40));
    EXPECT_EQ(window.contentView()->geometry(), QRect(0, 40, 833, 520));
    const double xs[] = {8, 28, 48};
    const Kind kinds[] = {Kind::Close, Kind::Miniaturize, Kind::Zoom};
    for (int i = 0; i < 3; ++i) {
        const qui::PointRect f = qui::frameOf(window.standardWindowButton(kinds[i]));
        EXPECT_EQ(f.x, xs[i]);
        EXPECT_EQ(f.y, 560 - 40 + 40 - 14 - 5);
    }
}

TEST(KLAppStoreWindowLayout, TrafficLightArithmetic) {
    const qui::PointRect bar{0, 520, 833, 40};
    const std::array<QSizeF, 3> sizes{QSizeF(14, 14), QSizeF(14, 14), QSizeF(14, 14)};
    auto frames = KLAppStoreWindow::trafficLightFrames(bar, sizes, {8, 5, 6, true, false});
    EXPECT_EQ(frames[0], (qui::PointRect{8, 533, 14, 14}));
    EXPECT_EQ(frames[2].x, 48);
    // Centring rounds: 520 + 20.5 - 7 = 533.5 becomes 534.
    frames = KLAppStoreWindow::trafficLightFrames({0, 520, 833, 41}, sizes, {8, 5, 6, true, false});
    EXPECT_EQ(frames[1].y, 534);

    // Stacked: zoom at the bottom, close on top, gaps of separation - 2.
    frames = KLAppStoreWindow::trafficLightFrames({0, 0, 100, 80}, sizes, {3, 5, 6, false, true});
    const double total = 3 * 14 + 2 * 4;
    EXPECT_EQ(frames[2], (qui::PointRect{3, 80 - total - 5, 14, 14}));
    EXPECT_EQ(frames[1].y, frames[2].y + 18);
    EXPECT_EQ(frames[0].y, frames[1].y + 18);
    frames = KLAppStoreWindow::trafficLightFrames({0, 0, 100, 80}, sizes, {3, 5, 6, true, true});
    EXPECT_EQ(frames[2].y, 15);
}

TEST(KLAppStoreWindowLayout, SettersActOnlyOnChange) {
    KLAppStoreWindow window(kTenNine);
    launch(window);
    QAbstractButton* close = window.standardWindowButton(Kind::Close);
    close->move(200, 0); // anything that lays out puts it back

    window.setTitleBarHeight(40);
    window.setCenterTrafficLightButtons(false);
    window.setTrafficLightButtonsLeftMargin(8);
    window.setTrafficLightSeparation(6);
    EXPECT_EQ(close->x(), 200);

    window.setTrafficLightSeparation(4);
    EXPECT_EQ(close->x(), 8);
    EXPECT_EQ(qui::frameOf(window.standardWindowButton(Kind::Zoom)).x, 8 + 14 + 4 + 14 + 4);
    window.setTrafficLightButtonsTopMargin(10); // a plain store
    EXPECT_EQ(close->y(), 5);
}

TEST(KLAppStoreWindowLayout, UserButtonsAreAcceptedAndChangeNothing) {
    KLAppStoreWindow window(kTenNine);
    qtk::KLWindowButton mine({14, 14}, {}, window.titleBarView());
    testing::internal::CaptureStderr();
    window.setCloseButton(&mine);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(window.closeButton(), nullptr);
    EXPECT_TRUE(window.standardWindowButton(Kind::Close)->isVisibleTo(&window));
}

TEST(KLAppStoreWindowDelegate, SheetsOpenBelowTheBarUnlessTheControllerPlacesThem) {
    KLAppStoreWindow window(kTenNine);
    launch(window);
    const qui::PointRect asked{10, 0, 300, 200};
    EXPECT_EQ(window.positionForSheet(nullptr, asked), (qui::PointRect{10, 520, 300, 200}));

    struct Placing : qtk::WindowDelegate {
        std::optional<qui::PointRect> windowWillPositionSheet(WAYAppStoreWindow&, QWidget*,
                                                              const qui::PointRect&) override {
            return qui::PointRect{1, 2, 3, 4};
        }
    } controller;
    window.setDelegate(&controller);
    EXPECT_EQ(window.delegate(), &controller);
    EXPECT_EQ(window.positionForSheet(nullptr, asked), (qui::PointRect{1, 2, 3, 4}));
}

TEST(KLAppStoreWindowDelegate, EndOfASheetLaysTheWindowOut) {
    KLAppStoreWindow window(kTenNine);
    launch(window);
    QAbstractButton* close = window.standardWindowButton(Kind::Close);
    close->move(200, 0);
    qcore::NotificationCenter::defaultCenter().post(
        qtk::CustomSheetWindow::kWindowDidEndSheetNotification,
        static_cast<const QWidget*>(&window));
    EXPECT_EQ(close->x(), 8);
}

TEST(KLTitlebarViewPainting, DefaultGreysByVersionAndState) {
    auto near = [](const QColor& c, double grey) { return std::abs(c.redF() - grey) < 0.002; };
    const auto oldActive = KLTitlebarView::defaultColours(true, 1038);
    EXPECT_TRUE(near(oldActive.start, 0.659));
    EXPECT_TRUE(near(oldActive.end, 0.812));
    EXPECT_TRUE(near(oldActive.baseline, 0.318));
    const auto newInactive = KLTitlebarView::defaultColours(false, 1265);
    EXPECT_TRUE(near(newInactive.start, 0.878));
    EXPECT_TRUE(near(newInactive.end, 0.976));
    EXPECT_TRUE(near(newInactive.baseline, 0.655));
}

TEST(KLTitlebarViewPainting, ActiveOldSystemBarIsAPlainGradientWithBaseline) {
    KLAppStoreWindow window(kTenSix);
    launch(window);
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
    ASSERT_TRUE(window.drawsAsMainWindow());
    QWidget* bar = window.titleBarView();
    const int h = bar->height();
    // Bottom row: the baseline; just above it the start of the gradient; near the top its end.
    EXPECT_NEAR(pixel(bar, 400, h - 1).redF(), 0.318, 0.01);
    EXPECT_NEAR(pixel(bar, 400, h - 2).redF(), 0.659, 0.02);
    EXPECT_NEAR(pixel(bar, 400, 2).redF(), 0.812, 0.02);
    // No noise and no highlight line on this system: one row is one grey.
    EXPECT_EQ(pixel(bar, 100, 20), pixel(bar, 700, 20));
    // The top row and the rounded corners are left to what lies behind.
    EXPECT_NE(pixel(bar, 400, 0), pixel(bar, 400, 2));
    EXPECT_NE(pixel(bar, 0, 2), pixel(bar, 400, 2));
}

TEST(KLTitlebarViewPainting, InactiveWindowDisablesItsBarControls) {
    KLAppStoreWindow window(kTenNine);
    launch(window);
    auto* button = new qtk::KLWindowButton({14, 14}, {}, window.titleBarView());
    window.show();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
    window.updateTitlebarView();
    EXPECT_TRUE(button->isEnabled());

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    EXPECT_FALSE(window.drawsAsMainWindow());
    EXPECT_FALSE(button->isEnabled());
}

TEST(KLTitlebarViewPainting, NoiseIsTheSameEveryTime) {
    const QImage& noise = KLTitlebarView::noiseImage();
    EXPECT_EQ(noise.size(), QSize(124, 124));
    EXPECT_EQ(&noise, &KLTitlebarView::noiseImage());
    int distinct = 0;
    for (int x = 1; x < 124; ++x)
        distinct += noise.pixel(x, 0) != noise.pixel(0, 0);
    EXPECT_GT(distinct, 100);
}

TEST(KLTitlebarViewMouse, DoubleClickMiniaturizes) {
    KLAppStoreWindow window(kTenNine);
    launch(window);
    window.show();
    QApplication::processEvents();
    QWidget* bar = window.titleBarView();
    const QPointF at(400, 20);
    const QPointF global = bar->mapToGlobal(at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(bar, &dbl);
    QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(bar, &up);
    EXPECT_TRUE(window.isMinimized());
}

} // namespace
