#include "toolkit/KLWindowButton.h"
#include "toolkit/KLWindowButtonGroup.h"

#include "platform/core/NotificationCenter.h"
#include "platform/ui/FramelessMainWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

using qtk::KLWindowButton;
using qtk::KLWindowButtonGroup;

QPixmap swatch(Qt::GlobalColor colour) {
    QPixmap p(14, 14);
    p.fill(colour);
    return p;
}

// One colour per image so the image shown can be told apart; made once the application is up.
struct Images {
    QPixmap active = swatch(Qt::green);
    QPixmap notKey = swatch(Qt::gray);
    QPixmap inactive = swatch(Qt::darkGray);
    QPixmap rollover = swatch(Qt::yellow);
    QPixmap pressed = swatch(Qt::black);
};

const Images& images() {
    static const Images made;
    return made;
}

void giveImages(KLWindowButton& b) {
    b.setActiveImage(images().active);
    b.setActiveNotKeyWindowImage(images().notKey);
    b.setInactiveImage(images().inactive);
    b.setRolloverImage(images().rollover);
    b.setPressedImage(images().pressed);
}

bool shows(const KLWindowButton& b, const QPixmap& image) {
    return b.image().cacheKey() == image.cacheKey();
}

// Three buttons of one group in the bar of an active window, as the shell makes them.
class KLWindowButtonGroupTest : public testing::Test {
protected:
    void SetUp() override {
        group_ = QStringLiteral("test.group.%1").arg(++serial_);
        window_.resize(300, 40);
        for (int i = 0; i < 3; ++i) {
            buttons_[i] = KLWindowButton::windowButtonWithSize({14, 14}, group_, &window_);
            buttons_[i]->move(13 + 20 * i, 12);
            giveImages(*buttons_[i]);
        }
        window_.show();
        QApplication::setActiveWindow(&window_);
        QApplication::processEvents();
    }

    KLWindowButtonGroup& group() { return KLWindowButtonGroup::groupWithIdentifier(group_); }

    void moveMouseInBar(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), window_.mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window_, &move);
    }

    static inline int serial_ = 0;
    QString group_;
    QWidget window_;
    std::array<KLWindowButton*, 3> buttons_{};
};

TEST_F(KLWindowButtonGroupTest, EnteringOneRollsOverAllAndLeavingRestoresThem) {
    ASSERT_TRUE(window_.isActiveWindow());
    for (auto* b : buttons_)
        EXPECT_TRUE(shows(*b, images().active));

    buttons_[1]->mouseEntered();
    EXPECT_EQ(group().numberOfCaptures(), 1);
    for (auto* b : buttons_)
        EXPECT_TRUE(shows(*b, images().rollover));

    buttons_[1]->mouseExited();
    EXPECT_EQ(group().numberOfCaptures(), 0);
    for (auto* b : buttons_)
        EXPECT_TRUE(shows(*b, images().active));
}

TEST_F(KLWindowButtonGroupTest, ADisabledButtonNeverRollsOver) {
    buttons_[2]->setEnabled(false);
    EXPECT_TRUE(shows(*buttons_[2], images().inactive));
    buttons_[0]->mouseEntered();
    EXPECT_TRUE(shows(*buttons_[0], images().rollover));
    EXPECT_TRUE(shows(*buttons_[2], images().inactive));
    buttons_[0]->mouseExited();
}

TEST_F(KLWindowButtonGroupTest, TheMouseCountsWithinFourPointsAroundAButton) {
    EXPECT_EQ(buttons_[0]->trackingArea(), QRect(9, 8, 22, 22));
    moveMouseInBar({10, 20}); // left of the button, inside its reach
    EXPECT_TRUE(buttons_[0]->isMouseInside());
    EXPECT_TRUE(shows(*buttons_[2], images().rollover));
    // Between two buttons both reaches overlap, so both capture.
    moveMouseInBar({30, 20});
    EXPECT_EQ(group().numberOfCaptures(), 2);
    moveMouseInBar({150, 20});
    EXPECT_EQ(group().numberOfCaptures(), 0);
    for (auto* b : buttons_)
        EXPECT_TRUE(shows(*b, images().active));
}

TEST_F(KLWindowButtonGroupTest, MiniaturizingClearsTheRollOver) {
    moveMouseInBar({20, 20});
    ASSERT_TRUE(group().shouldDisplayRollOver());
    window_.showMinimized();
    EXPECT_EQ(group().numberOfCaptures(), 0);
    window_.showNormal();
    QApplication::setActiveWindow(&window_);
    QApplication::processEvents();
    for (auto* b : buttons_)
        EXPECT_TRUE(shows(*b, images().active));
}

TEST_F(KLWindowButtonGroupTest, EndOfALiveResizeClearsTheRollOver) {
    moveMouseInBar({20, 20});
    ASSERT_TRUE(group().shouldDisplayRollOver());
    QEvent ended(qui::FramelessMainWindow::liveResizeEndedEventType());
    QApplication::sendEvent(&window_, &ended);
    EXPECT_EQ(group().numberOfCaptures(), 0);
    for (auto* b : buttons_)
        EXPECT_TRUE(shows(*b, images().active));
}

TEST_F(KLWindowButtonGroupTest, NotKeyImageUntilSetEnabledShowsTheActiveOne) {
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    ASSERT_FALSE(window_.isActiveWindow());
    buttons_[1]->setEnabled(false);
    for (auto* b : {buttons_[0], buttons_[2]})
        EXPECT_TRUE(shows(*b, images().notKey));
    EXPECT_TRUE(shows(*buttons_[1], images().inactive))
        << "setEnabled does not look at the key state";
    buttons_[0]->setEnabled(true); // unchanged, still acts
    EXPECT_TRUE(shows(*buttons_[0], images().active));
}

TEST_F(KLWindowButtonGroupTest, PressedImageShowsWhileHeldDown) {
    buttons_[0]->setDown(true);
    const QImage drawn = buttons_[0]->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(7, 7), QColor(Qt::black));
    buttons_[0]->setDown(false);
    EXPECT_EQ(buttons_[0]->grab().toImage().pixelColor(7, 7), QColor(Qt::green));
}

TEST(KLWindowButtonGroupRegistry, DefaultGroupAndCaptureCounting) {
    KLWindowButtonGroup& byNil = KLWindowButtonGroup::groupWithIdentifier();
    KLWindowButtonGroup& byName =
        KLWindowButtonGroup::groupWithIdentifier(KLWindowButtonGroup::kDefaultIdentifier);
    EXPECT_EQ(&byNil, &byName);
    EXPECT_EQ(byNil.identifier(), QString(KLWindowButtonGroup::kDefaultIdentifier));

    KLWindowButtonGroup& group = KLWindowButtonGroup::groupWithIdentifier("test.counting");
    int posted = 0;
    int token = 0;
    qcore::NotificationCenter::defaultCenter().addObserver(
        &token, KLWindowButtonGroup::kDidUpdateRolloverStateNotification,
        [&](const qcore::Notification& n) { posted += n.object == &group; });
    group.didCaptureMousePointer();
    group.didReleaseMousePointer();
    group.didReleaseMousePointer(); // more releases than captures
    group.resetMouseCaptures();
    group.setNumberOfCaptures(-3);
    EXPECT_EQ(group.numberOfCaptures(), 0);
    EXPECT_EQ(posted, 2);
    qcore::NotificationCenter::defaultCenter().removeObserversOf(&token);
}

} // namespace
