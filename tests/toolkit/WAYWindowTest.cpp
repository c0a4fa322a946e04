#include "toolkit/WAYWindow.h"
#include "toolkit/KLAppStoreWindow.h"
#include "toolkit/KLWindowButton.h"
#include "toolkit/WAYDefensiveWindow.h"
#include "toolkit/WAYSelectorStack.h"

#include <QAbstractButton>
#include <QApplication>

#include <gtest/gtest.h>

#include <vector>

namespace {

using qtk::WAYAppStoreWindow;
using qtk::WAYDefensiveWindow;
using qtk::WAYWindow;
using qtk::WindowDelegate;

const qcore::SystemVersion kTenNine(10, 9, 5);
const qcore::SystemVersion kDefaultProfile; // the default profile

std::unique_ptr<WAYAppStoreWindow> freshWindow(const qcore::SystemVersion& profile) {
    WAYAppStoreWindow::resetClassChoiceForTesting();
    return WAYAppStoreWindow::create(profile);
}

// The frame the shell gives the main window before its title-bar calls.
constexpr qui::PointRect kLaunchFrame{100, 200, 833, 560};

TEST(WAYAppStoreWindowFacade, ChoosesItsClassOnceFromTheProfile) {
    auto modern = freshWindow(kDefaultProfile);
    EXPECT_NE(qobject_cast<WAYDefensiveWindow*>(modern.get()), nullptr);
    EXPECT_TRUE(WAYAppStoreWindow::isYosemiteOrGreater(kDefaultProfile));

    auto older = freshWindow(kTenNine);
    EXPECT_NE(qobject_cast<qtk::KLAppStoreWindow*>(older.get()), nullptr);
    EXPECT_EQ(qobject_cast<WAYWindow*>(older.get()), nullptr);

    // Later windows reuse the first answer whatever profile they are given.
    auto again = WAYAppStoreWindow::create(kDefaultProfile);
    EXPECT_NE(qobject_cast<qtk::KLAppStoreWindow*>(again.get()), nullptr);
    WAYAppStoreWindow::resetClassChoiceForTesting();
}

TEST(WAYWindowTitleBar, SetUpCentresTheButtonsAndHidesTheTitle) {
    WAYWindow window(kDefaultProfile);
    EXPECT_TRUE(window.centerTrafficLightButtons());
    EXPECT_TRUE(window.hidesTitle());
    EXPECT_EQ(window.titleVisibility(), 1);
    EXPECT_TRUE(window.styleMask() & WAYAppStoreWindow::FullSizeContentViewWindowMask);
    EXPECT_EQ(window.titleBarHeight(), 0);
    EXPECT_EQ(window.titleBarView()->height(), 22);
    EXPECT_FLOAT_EQ(WAYWindow::defaultTitleBarHeight(), 22.f);
    // The margins come from where the close button stood in the system's bar.
    EXPECT_EQ(window.trafficLightButtonsLeftMargin(),
              WAYWindow::defaultTrafficLightButtonsLeftMargin());
    EXPECT_EQ(window.trafficLightButtonsTopMargin(),
              WAYWindow::defaultTrafficLightButtonsTopMargin());
    EXPECT_FLOAT_EQ(WAYWindow::defaultTrafficLightButtonsTopMargin(), 4.f);
    EXPECT_EQ(window.delegate(), nullptr);
}

TEST(WAYWindowTitleBar, FirstHeightGrowsTheWindowUpwardsAndTheSameHeightAgainChangesNothing) {
    WAYWindow window(kDefaultProfile);
    window.setFrame(kLaunchFrame, true);
    const qui::PointRect before = window.frame();

    window.setTitleBarHeight(40);
    qui::PointRect after = window.frame();
    EXPECT_EQ(after.height, before.height + 40); // the stored height started at 0
    EXPECT_EQ(after.y, before.y - 40);
    EXPECT_EQ(after.maxY(), before.maxY()); // the top edge stays
    EXPECT_EQ(window.titleBarHeight(), 40);
    EXPECT_EQ(window.titleBarView()->height(), 40);
    ASSERT_NE(window.titlebarAccessoryView(), nullptr);
    EXPECT_EQ(window.titlebarAccessoryView()->height(), 18);
    EXPECT_EQ(window.titlebarAccessoryView()->width(), 10);
    EXPECT_EQ(window.titlebarAccessoryFullScreenMinimumHeight(), 40);

    const QPointer<QWidget> firstAccessory = window.titlebarAccessoryView();
    window.setTitleBarHeight(40);
    EXPECT_EQ(window.frame(), after);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(firstAccessory.isNull()) << "the accessory is replaced";
    ASSERT_NE(window.titlebarAccessoryView(), nullptr);
    EXPECT_EQ(window.titlebarAccessoryView()->height(), 18);
}

TEST(WAYWindowTitleBar, HeightNeverGoesBelowTheSystemBar) {
    WAYWindow window(kDefaultProfile);
    window.setFrame(kLaunchFrame, false);
    window.setTitleBarHeight(40);
    const qui::PointRect tall = window.frame();

    window.setTitleBarHeight(10);
    EXPECT_EQ(window.titleBarHeight(), 22);
    EXPECT_EQ(window.titleBarView()->height(), 22);
    EXPECT_EQ(window.titlebarAccessoryView()->height(), 0);
    EXPECT_EQ(window.frame().height, tall.height - 18);
    EXPECT_EQ(window.frame().maxY(), tall.maxY());
}

TEST(WAYWindowButtons, UncentredButtonsFollowTheMarginsFromTheNextLayout) {
    WAYWindow window(kDefaultProfile);
    window.setFrame(kLaunchFrame, true);
    window.setTitleBarHeight(40);
    window.setCenterTrafficLightButtons(false);
    window.setTrafficLightButtonsLeftMargin(8);
    window.setTrafficLightButtonsTopMargin(5);
    // Margins alone do not move the buttons.
    EXPECT_NE(qui::frameOf(window.standardButtons()[0]).x, 8);

    window.setFrame(window.frame(), false);
    const std::vector<double> xs{8, 28, 48};
    for (std::size_t i = 0; i < 3; ++i) {
        const qui::PointRect f = qui::frameOf(window.standardButtons()[i]);
        EXPECT_EQ(f.x, xs[i]) << i;
        EXPECT_EQ(f.y, 21) << i;
        EXPECT_EQ(f.width, 14);
    }
    EXPECT_EQ(window.standardButtons()[0]->geometry().top(), 5);
}

TEST(WAYWindowButtons, CentredButtonsSitInTheMiddleOfTheBar) {
    WAYWindow window(kDefaultProfile);
    window.setFrame(kLaunchFrame, true);
    window.setTitleBarHeight(40);
    window.setTrafficLightButtonsLeftMargin(8);
    window.setCenterTrafficLightButtons(true); // lays out at once
    for (std::size_t i = 0; i < 3; ++i) {
        const qui::PointRect f = qui::frameOf(window.standardButtons()[i]);
        EXPECT_EQ(f.x, 8 + 20.0 * i);
        EXPECT_EQ(f.y, 13);
    }
    // A missing bar counts as height 0.
    EXPECT_EQ(WAYWindow::buttonFrame(2, {14, 16}, 0, 3, 5, true), (qui::PointRect{43, -8, 14, 16}));
    EXPECT_EQ(WAYWindow::buttonFrame(1, {14, 16}, 50, 3, 5, false),
              (qui::PointRect{23, 29, 14, 16}));
}

TEST(WAYWindowButtons, ResizingLaysTheButtonsOutThroughTheWindowOrItsProxy) {
    WAYWindow window(kDefaultProfile);
    window.setFrame(kLaunchFrame, true);
    window.setTitleBarHeight(40);
    window.show();
    QApplication::processEvents();
    window.setCenterTrafficLightButtons(false);
    window.setTrafficLightButtonsLeftMargin(30);
    window.resize(900, window.height());
    QApplication::processEvents();
    EXPECT_EQ(qui::frameOf(window.standardButtons()[0]).x, 30);

    WindowDelegate controller;
    window.setDelegate(&controller);
    EXPECT_EQ(window.delegate(), &controller);
    window.setTrafficLightButtonsLeftMargin(12);
    window.resize(850, window.height());
    QApplication::processEvents();
    EXPECT_EQ(qui::frameOf(window.standardButtons()[0]).x, 12);
}

TEST(WAYDefensiveWindowTest, SelfDrawnBarOperationsOnlyLogAWarning) {
    WAYDefensiveWindow window(kDefaultProfile);
    window.setFrame(kLaunchFrame, false);
    const qui::PointRect frame = window.frame();
    qtk::KLWindowButton button({14, 14});
    for (int call = 0; call < 2; ++call) {
        testing::internal::CaptureStderr();
        window.setCloseButton(&button);
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("WARNING: Instances of 'WAYWindow' do not implement setCloseButton:; "
                           "yet. Prevented an exception for sending unrecognized selector."),
                  std::string::npos)
            << log;
    }
    EXPECT_TRUE(WAYDefensiveWindow::hasResolvedMethod("setCloseButton:"));
    EXPECT_EQ(window.frame(), frame);
    EXPECT_TRUE(window.standardButtons()[0]->isVisibleTo(&window));
    // Operations that neither window knows are not made up.
    EXPECT_FALSE(WAYDefensiveWindow::resolveInstanceMethod("performMagic:"));
    EXPECT_FALSE(WAYDefensiveWindow::resolveInstanceMethod("setTitleBarHeight:"));
}

// Records the order of callbacks; optionally resizes the window from inside its resize.
class RecordingDelegate : public WindowDelegate {
public:
    explicit RecordingDelegate(std::vector<std::string>& log, std::string name)
        : log_(log), name_(std::move(name)) {}
    void windowDidResize(WAYAppStoreWindow& window) override {
        log_.push_back(name_ + ":resize");
        if (resizeAgain_) {
            resizeAgain_ = false;
            window.resize(window.width() + 10, window.height());
        }
    }
    std::optional<bool> windowShouldClose(WAYAppStoreWindow&) override {
        log_.push_back(name_ + ":shouldClose");
        return answer_;
    }
    bool resizeAgain_ = false;
    std::optional<bool> answer_;

private:
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(WAYWindowDelegateProxyTest, TheWindowHearsFirstThenTheController) {
    std::vector<std::string> log;
    RecordingDelegate window(log, "window");
    RecordingDelegate controller(log, "controller");
    qtk::WAYWindowDelegateProxy proxy;
    proxy.setFirstDelegate(&window);
    proxy.setSecondaryDelegate(&controller);
    WAYWindow realWindow(kDefaultProfile);

    proxy.windowDidResize(realWindow);
    EXPECT_EQ(log, (std::vector<std::string>{"window:resize", "controller:resize"}));

    log.clear();
    window.answer_ = true;
    controller.answer_ = false;
    EXPECT_EQ(proxy.windowShouldClose(realWindow), false) << "the controller is asked last";
    controller.answer_.reset();
    EXPECT_EQ(proxy.windowShouldClose(realWindow), true) << "no answer keeps the window's";
    EXPECT_FALSE(proxy.isForwarding(WindowDelegate::Callback::ShouldClose));
}

TEST(WAYWindowDelegateProxyTest, ANestedResizeIsDroppedWhileTheFirstIsForwarded) {
    WAYWindow window(kDefaultProfile);
    window.setFrame(kLaunchFrame, false);
    window.show();
    QApplication::processEvents();
    std::vector<std::string> log;
    RecordingDelegate controller(log, "controller");
    window.setDelegate(&controller);

    controller.resizeAgain_ = true;
    window.resize(window.width() + 5, window.height());
    QApplication::processEvents();
    EXPECT_EQ(log, std::vector<std::string>{"controller:resize"});
    EXPECT_EQ(window.width(), 833 + 15) << "the nested resize itself happened";

    // Only the callback being forwarded is blocked; the next resize comes through again.
    window.resize(window.width() + 1, window.height());
    QApplication::processEvents();
    EXPECT_EQ(log.size(), 2u);
}

TEST(WAYWindowDelegateProxyTest, UserClosesAskTheControllerThroughTheProxy) {
    WAYWindow window(kDefaultProfile);
    window.show();
    std::vector<std::string> log;
    RecordingDelegate controller(log, "controller");
    controller.answer_ = false;
    window.setDelegate(&controller);
    window.performClose();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(log, std::vector<std::string>{"controller:shouldClose"});
}

TEST(WAYSelectorStackTest, IsALastInFirstOutStackSearchedByIdentity) {
    using Callback = WindowDelegate::Callback;
    qtk::WAYSelectorStack stack;
    EXPECT_FALSE(stack.containsSelector(Callback::DidResize));
    stack.pushSelector(Callback::DidResize);
    stack.pushSelector(Callback::DidMove);
    EXPECT_TRUE(stack.containsSelector(Callback::DidResize));
    EXPECT_FALSE(stack.containsSelector(Callback::WillClose));
    EXPECT_EQ(stack.pop(), Callback::DidMove);
    EXPECT_EQ(stack.pop(), Callback::DidResize);
    EXPECT_TRUE(stack.isEmpty());
}

} // namespace
