#include "platform/ui/Geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using qui::PointRect;

TEST(GeometryTest, BottomLeftFramesBecomeTopLeftAndBack) {
    struct Case {
        PointRect frame;
        double parentHeight;
        QRect qt;
    };
    const Case cases[] = {
        {{10, 20, 30, 40}, 100, QRect(10, 40, 30, 40)},
        {{0, 0, 833, 40}, 40, QRect(0, 0, 833, 40)},   // fills a 40-high bar
        {{0, 0, 50, 10}, 560, QRect(0, 550, 50, 10)},  // bottom edge
        {{13, 14, 14, 14}, 40, QRect(13, 12, 14, 14)}, // a window button in the title bar
        {{5, -10, 20, 20}, 100, QRect(5, 90, 20, 20)}, // partly below the parent
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qui::toQt(c.frame, c.parentHeight), c.qt) << c.frame.x << "," << c.frame.y;
        EXPECT_EQ(qui::fromQt(c.qt, static_cast<int>(c.parentHeight)), c.frame);
        EXPECT_EQ(qui::fromQt(qui::toQtF(c.frame, c.parentHeight), c.parentHeight), c.frame);
    }
    EXPECT_EQ(qui::toQt(QPointF(3, 10), 40), QPointF(3, 30));
    EXPECT_EQ(qui::fromQt(qui::toQt(QPointF(3, 10), 40), 40), QPointF(3, 10));
}

TEST(GeometryTest, FractionalFramesThatTouchStillTouchAfterRounding) {
    const QRect left = qui::toQt({0, 0.4, 10.5, 9.3}, 20);
    const QRect right = qui::toQt({10.5, 0.4, 10.5, 9.3}, 20);
    EXPECT_EQ(left.right() + 1, right.left());
    EXPECT_EQ(left.top(), right.top());
    EXPECT_EQ(left.height(), right.height());
}

TEST(GeometryTest, ChildFramesFollowTheParentsHeight) {
    QWidget parent;
    parent.resize(200, 100);
    QWidget child(&parent);
    qui::setFrame(&child, {10, 0, 50, 20});
    EXPECT_EQ(child.geometry(), QRect(10, 80, 50, 20));
    EXPECT_EQ(qui::frameOf(&child), (PointRect{10, 0, 50, 20}));

    // The child keeps its Qt position, so measured from the bottom it has moved up.
    parent.resize(200, 150);
    EXPECT_EQ(qui::frameOf(&child), (PointRect{10, 50, 50, 20}));
    EXPECT_EQ(qui::boundsOf(&child), (PointRect{0, 0, 50, 20}));
}

TEST(GeometryTest, WindowFramesAreMeasuredFromTheScreensBottom) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QWidget window;
    EXPECT_EQ(qui::referenceHeight(&window), screen.height());
    qui::setFrame(&window, {100, 50, 300, 200});
    EXPECT_EQ(window.geometry().topLeft(), screen.topLeft() + QPoint(100, screen.height() - 250));
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_EQ(qui::frameOf(&window), (PointRect{100, 50, 300, 200}));
}

} // namespace
