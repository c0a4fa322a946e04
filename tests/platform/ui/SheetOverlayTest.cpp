#include "platform/ui/SheetOverlay.h"
#include "platform/ui/QtMainThread.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

using qui::SheetOverlay;

// A window with a button above the host (as a title bar would hold) and a field in the host.
class SheetOverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(400, 340);
        outsideButton_ = new QPushButton("outside", window_.get());
        outsideButton_->setGeometry(0, 0, 100, 40);
        host_ = new QWidget(window_.get());
        host_->setGeometry(0, 40, 400, 300);
        hostField_ = new QLineEdit(host_);
        hostField_->setGeometry(10, 10, 100, 20);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        hostField_->setFocus();

        overlay_ = new SheetOverlay(host_);
        box_ = new QWidget;
        box_->resize(100, 50);
        boxField_ = new QLineEdit(box_);
        boxField_->setGeometry(5, 5, 90, 20);
        overlay_->setContentWidget(box_);
    }

    // Runs `during` once the sheet's loop is running, then returns runModal's answer.
    int runWith(std::function<void()> during) {
        QTimer::singleShot(0, window_.get(), std::move(during));
        return overlay_->runModal();
    }

    std::unique_ptr<QWidget> window_;
    QPushButton* outsideButton_ = nullptr;
    QWidget* host_ = nullptr;
    QLineEdit* hostField_ = nullptr;
    SheetOverlay* overlay_ = nullptr;
    QWidget* box_ = nullptr;
    QLineEdit* boxField_ = nullptr;
};

TEST_F(SheetOverlayTest, RunModalReturnsTheCodeGivenToEndSheet) {
    EXPECT_FALSE(overlay_->isRunning());
    const int code = runWith([this] {
        EXPECT_TRUE(overlay_->isRunning());
        EXPECT_TRUE(overlay_->isVisible());
        QMetaObject::invokeMethod(
            overlay_, [this] { overlay_->endSheet(42); }, Qt::QueuedConnection);
    });
    EXPECT_EQ(code, 42);
    EXPECT_FALSE(overlay_->isRunning());
    EXPECT_FALSE(overlay_->isVisible());
    overlay_->endSheet(7); // not running: ignored, nothing pending for the next run
    EXPECT_EQ(runWith([this] { overlay_->endSheet(3); }), 3);
}

TEST_F(SheetOverlayTest, CoversTheHostAndKeepsTheBoxCentredAcrossResizes) {
    runWith([this] {
        EXPECT_EQ(overlay_->geometry(), QRect(0, 0, 400, 300));
        EXPECT_EQ(box_->geometry(), QRect(150, 125, 100, 50));
        host_->resize(600, 400);
        EXPECT_EQ(overlay_->geometry(), QRect(0, 0, 600, 400));
        EXPECT_EQ(box_->geometry(), QRect(250, 175, 100, 50));
        overlay_->setBoxAlignment(Qt::AlignTop | Qt::AlignHCenter);
        EXPECT_EQ(box_->geometry(), QRect(250, 0, 100, 50));
        overlay_->endSheet(0);
    });
}

TEST_F(SheetOverlayTest, WindowBelowTakesNoInputWhileTheBoxDoes) {
    int outsideClicks = 0;
    QObject::connect(outsideButton_, &QPushButton::clicked, [&] { ++outsideClicks; });
    auto* endButton = new QPushButton("end", box_);
    endButton->setGeometry(5, 25, 90, 20);
    QObject::connect(endButton, &QPushButton::clicked, [this] { overlay_->endSheet(5); });

    const int code = runWith([&] {
        EXPECT_EQ(window_->focusWidget(), boxField_);
        QTest::mouseClick(outsideButton_, Qt::LeftButton);
        QTest::keyClicks(hostField_, "typed below");
        QTest::keyClicks(boxField_, "ok");
        QTest::mouseClick(endButton, Qt::LeftButton);
    });
    EXPECT_EQ(code, 5);
    EXPECT_EQ(outsideClicks, 0);
    EXPECT_TRUE(hostField_->text().isEmpty());
    EXPECT_EQ(boxField_->text(), "ok");

    // After the sheet, the window works again and has its focus back.
    EXPECT_EQ(window_->focusWidget(), hostField_);
    QTest::mouseClick(outsideButton_, Qt::LeftButton);
    EXPECT_EQ(outsideClicks, 1);
}

TEST_F(SheetOverlayTest, EscapeEndsOnlyWhenGivenACode) {
    int code = runWith([this] {
        QTest::keyClick(window_->focusWidget(), Qt::Key_Escape);
        QTimer::singleShot(0, overlay_, [this] { overlay_->endSheet(9); });
    });
    EXPECT_EQ(code, 9);

    overlay_->setEscapeCode(3);
    code = runWith([this] { QTest::keyClick(window_->focusWidget(), Qt::Key_Escape); });
    EXPECT_EQ(code, 3);
}

TEST_F(SheetOverlayTest, AWorkerWaitingOnTheMainThreadIsServedWhileTheSheetRuns) {
    qui::QtMainThread mainThread;
    std::thread worker;
    const int code = runWith([&] {
        worker = std::thread([&] { mainThread.postAndWait([this] { overlay_->endSheet(11); }); });
    });
    worker.join();
    EXPECT_EQ(code, 11);
}

TEST_F(SheetOverlayTest, DestroyingTheWindowEndsTheSheet) {
    const int code = runWith([this] { window_.reset(); });
    EXPECT_EQ(code, SheetOverlay::kCancelledCode);
}

} // namespace
