#include "platform/ui/Autoresizing.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

using qui::Autoresizing;
using qui::Resizing;

TEST(AutoresizingTest, AxisSharesTheChangeAmongFlexibleParts) {
    using Flex = std::array<bool, 3>;
    // lead, size, trail = 10, 30, 60; parent grows by 20
    EXPECT_EQ(Autoresizing::resizeAxis(10, 30, 60, 20, Flex{false, false, false}),
              (std::array<double, 2>{10, 30}));
    EXPECT_EQ(Autoresizing::resizeAxis(10, 30, 60, 20, Flex{false, true, false}),
              (std::array<double, 2>{10, 50}));
    EXPECT_EQ(Autoresizing::resizeAxis(10, 30, 60, 20, Flex{true, false, false}),
              (std::array<double, 2>{30, 30}));
    // Both margins flexible: shared 10:60, so a centred view stays centred in proportion.
    const auto both = Autoresizing::resizeAxis(10, 30, 60, 70, Flex{true, false, true});
    EXPECT_DOUBLE_EQ(both[0], 20);
    EXPECT_DOUBLE_EQ(both[1], 30);
    // All flexible parts of size 0 share equally.
    const auto zero = Autoresizing::resizeAxis(0, 0, 0, 30, Flex{true, true, true});
    EXPECT_DOUBLE_EQ(zero[0], 10);
    EXPECT_DOUBLE_EQ(zero[1], 10);
    // Shrinking never gives a negative size.
    EXPECT_EQ(Autoresizing::resizeAxis(0, 10, 0, -50, Flex{false, true, false})[1], 0);
}

TEST(AutoresizingTest, HeaderPanelKeepsItsTopAndFollowsTheWidth) {
    QWidget parent;
    parent.resize(200, 100);
    QWidget header(&parent);
    header.setGeometry(0, 0, 200, 40);
    QWidget centred(&parent);
    centred.setGeometry(80, 0, 40, 40);
    Autoresizing::apply(&header, 10); // flexible width and bottom margin
    Autoresizing::apply(&centred, static_cast<unsigned>(Resizing::FlexibleLeftMargin) |
                                      static_cast<unsigned>(Resizing::FlexibleRightMargin) |
                                      static_cast<unsigned>(Resizing::FlexibleBottomMargin));
    EXPECT_EQ(Autoresizing::maskOf(&header), 10u);

    // Hidden widgets get one resize event when shown; that one step must do.
    parent.resize(300, 150);
    parent.show();
    EXPECT_EQ(header.geometry(), QRect(0, 0, 300, 40));
    EXPECT_EQ(centred.geometry(), QRect(130, 0, 40, 40));

    // Many small steps do not drift from where one large step puts the view.
    for (int w = 301; w <= 400; ++w)
        parent.resize(w, 150);
    EXPECT_EQ(centred.geometry(), QRect(180, 0, 40, 40));
}

TEST(AutoresizingTest, AViewMovedByHandIsFollowedFromItsNewFrame) {
    QWidget parent;
    parent.resize(100, 100);
    QWidget child(&parent);
    child.setGeometry(0, 60, 20, 40);
    Autoresizing::apply(&child, Resizing::FlexibleTopMargin); // sticks to the bottom
    parent.show();
    parent.resize(100, 120);
    EXPECT_EQ(child.geometry(), QRect(0, 80, 20, 40));
    child.setGeometry(10, 10, 20, 40);
    parent.resize(100, 140);
    EXPECT_EQ(child.geometry(), QRect(10, 30, 20, 40));
}

} // namespace
