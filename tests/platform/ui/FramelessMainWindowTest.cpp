#include "platform/ui/FramelessMainWindow.h"
#include "platform/ui/TitleBar.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSizeGrip>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using qui::FramelessMainWindow;
using qui::TitleBar;

void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons,
               Qt::MouseButton button = Qt::LeftButton) {
    const QPointF global = target->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(FramelessMainWindowTest, TitleBarOnTopAndContentBelow) {
    FramelessMainWindow window;
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    window.resize(833, 560);
    auto* page = new QLabel("page");
    window.setContentWidget(page);
    window.show();
    EXPECT_EQ(window.titleBarHeight(), 40);
    EXPECT_EQ(window.titleBarView()->geometry(), QRect(0, 0, 833, 40));
    EXPECT_EQ(window.contentView()->geometry(), QRect(0, 40, 833, 520));
    EXPECT_EQ(page->parentWidget(), window.contentView());
    EXPECT_EQ(page->size(), QSize(833, 520));

    window.setTitleBarHeight(60);
    QApplication::processEvents();
    EXPECT_EQ(window.titleBarHeight(), 60);
    EXPECT_EQ(window.contentView()->geometry(), QRect(0, 60, 833, 500));
}

TEST(FramelessMainWindowTest, CloseHandlerDecidesOnlyUserCloses) {
    FramelessMainWindow window;
    int asked = 0;
    window.setCloseHandler([&] {
        ++asked;
        return false; // hide-instead-of-close
    });
    window.show();
    window.performClose();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window.isVisible());

    window.close(); // from code, as at quit
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(window.isVisible());
}

TEST(FramelessMainWindowTest, DragTargetFollowsThePointer) {
    EXPECT_EQ(TitleBar::dragTarget({100, 200}, {150, 210}, {180, 190}), QPoint(130, 180));
    EXPECT_EQ(TitleBar::dragTarget({100, 200}, {150, 210}, {150, 210}), QPoint(100, 200));
}

TEST(FramelessMainWindowTest, DraggingTheTitleBarOrAViewInItMovesTheWindow) {
    FramelessMainWindow window;
    window.setGeometry(100, 100, 400, 300);
    auto* logo = new QLabel("logo", window.titleBarView()); // takes no mouse itself
    logo->setGeometry(150, 0, 100, 40);
    window.show();
    const QPoint start = window.pos();

    QWidget* bar = window.titleBarView();
    sendMouse(bar, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    sendMouse(bar, QEvent::MouseMove, {11, 10}, Qt::LeftButton); // under the drag distance
    EXPECT_EQ(window.pos(), start);
    sendMouse(bar, QEvent::MouseMove, {60, 30}, Qt::LeftButton);
    sendMouse(bar, QEvent::MouseButtonRelease, {60, 30}, Qt::NoButton);
    // Where the platform cannot move windows itself we move it by the pointer's travel.
    EXPECT_EQ(window.pos(), start + QPoint(50, 20));

    const QPoint before = window.pos();
    sendMouse(logo, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    sendMouse(logo, QEvent::MouseMove, {35, 5}, Qt::LeftButton);
    sendMouse(logo, QEvent::MouseButtonRelease, {35, 5}, Qt::NoButton);
    EXPECT_EQ(window.pos(), before + QPoint(30, 0));

    // Moving without the button held after a release moves nothing.
    sendMouse(bar, QEvent::MouseMove, {200, 30}, Qt::NoButton);
    EXPECT_EQ(window.pos(), before + QPoint(30, 0));
}

TEST(FramelessMainWindowTest, ZoomFillsTheAvailableAreaAndTogglesBack) {
    FramelessMainWindow window;
    window.setGeometry(50, 60, 400, 300);
    window.show();
    const QRect before = window.geometry();
    const QRect available = window.screen()->availableGeometry();
    sendMouse(window.titleBarView(), QEvent::MouseButtonDblClick, {10, 10}, Qt::LeftButton);
    EXPECT_EQ(window.geometry(), available);
    EXPECT_TRUE(window.isZoomed());
    window.performZoom();
    EXPECT_EQ(window.geometry(), before);
    EXPECT_FALSE(window.isZoomed());
}

TEST(FramelessMainWindowTest, ReleasingTheGripEndsALiveResize) {
    FramelessMainWindow window;
    window.resize(400, 300);
    window.show();
    int ended = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == FramelessMainWindow::liveResizeEndedEventType()) ++*count;
            return false;
        }
    } counter(&ended);
    window.installEventFilter(&counter);
    QWidget* grip = window.findChild<QSizeGrip*>();
    ASSERT_NE(grip, nullptr);
    QTest::mousePress(grip, Qt::LeftButton, {}, {4, 4});
    EXPECT_EQ(ended, 0);
    QTest::mouseRelease(grip, Qt::LeftButton, {}, {4, 4});
    EXPECT_EQ(ended, 1);
}

TEST(FramelessMainWindowTest, MiniaturizeAnnouncesItselfFirst) {
    FramelessMainWindow window;
    window.show();
    std::vector<std::string> events;
    QObject::connect(&window, &FramelessMainWindow::willMiniaturize,
                     [&] { events.push_back(window.isMinimized() ? "will-after" : "will"); });
    QObject::connect(&window, &FramelessMainWindow::didMiniaturize,
                     [&] { events.push_back("did"); });
    window.performMiniaturize();
    QApplication::processEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "will");
    EXPECT_EQ(events, (std::vector<std::string>{"will", "did"}));
}

} // namespace
