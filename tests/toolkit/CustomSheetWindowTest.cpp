#include "toolkit/CustomSheetWindow.h"
#include "toolkit/BlackView.h"
#include "toolkit/WAYAppStoreWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using qtk::BlackView;
using qtk::CustomSheetWindow;

const qcore::SystemVersion kTenNine(10, 9, 5);
const qcore::SystemVersion kTenTwelve(10, 12, 6);

TEST(CustomSheetWindowTest, BorderlessFromYosemiteOnAndNeverOpaqueOrShadowed) {
    const CustomSheetWindow older({0, 0, 300, 200}, CustomSheetWindow::BorderlessWindowMask,
                                  kTenNine);
    EXPECT_EQ(older.styleMask(), CustomSheetWindow::TitledWindowMask);
    EXPECT_FALSE(older.isYosemite());
    for (const auto& profile : {kTenTwelve, qcore::SystemVersion()}) {
        const CustomSheetWindow sheet({0, 0, 300, 200}, 15, profile);
        EXPECT_TRUE(sheet.isYosemite());
        EXPECT_EQ(sheet.styleMask(), CustomSheetWindow::BorderlessWindowMask);
        EXPECT_FALSE(sheet.isOpaque());
        EXPECT_FALSE(sheet.hasShadow());
        EXPECT_TRUE(sheet.canBecomeKeyWindow());
        EXPECT_EQ(sheet.contentSize(), QSizeF(300, 200));
    }
    EXPECT_FALSE(older.isOpaque());
    EXPECT_FALSE(older.hasShadow());
}

// A main window with a sheet laid out the way the sheet runner does: the box centred on a
// tagged overlay that covers the content area below the 40-point bar.
class SheetRunTest : public testing::Test {
protected:
    void SetUp() override {
        WAYAppStoreWindow::resetClassChoiceForTesting();
        window_ = qtk::WAYAppStoreWindow::create();
        window_->setFrame({100, 100, 833, 560}, true);
        window_->setTitleBarHeight(40);
        window_->show();
        QApplication::processEvents();
        box_ = new QLineEdit(&sheet_);
        box_->resize(400, 30);
    }

    using WAYAppStoreWindow = qtk::WAYAppStoreWindow;

    void layOut() {
        BlackView::removeOverlay(sheet_.contentView());
        const QSize area = window_->contentView()->size();
        sheet_.setContentSize(area);
        auto* overlay = new BlackView(sheet_.contentView());
        overlay->setTTag(BlackView::kOverlayTag);
        overlay->setGeometry(QRect(QPoint(), area));
        box_->setParent(overlay);
        box_->move((area.width() - box_->width()) / 2, (area.height() - box_->height()) / 2);
        overlay->show();
        sheet_.setBackgroundColor(Qt::transparent);
        sheet_.beginSheet(window_.get());
    }

    std::unique_ptr<qtk::WAYAppStoreWindow> window_;
    CustomSheetWindow sheet_{{0, 0, 10, 10}};
    QLineEdit* box_ = nullptr;
};

TEST_F(SheetRunTest, ReturnsItsCodeWithTheOverlayShownUntilItEnds) {
    layOut();
    QPointer<BlackView> during;
    bool boxHadFocus = false;
    QRect overlayInWindow;
    QTimer::singleShot(0, [&] {
        during = BlackView::findOverlay(sheet_.contentView());
        if (during) overlayInWindow = QRect(during->mapTo(window_.get(), QPoint()), during->size());
        boxHadFocus = box_->hasFocus();
        sheet_.endSheet(1001);
    });
    EXPECT_EQ(sheet_.runModal(), 1001);
    ASSERT_FALSE(during.isNull());
    EXPECT_EQ(during->tTag(), 1551);
    EXPECT_EQ(during->property("tag").toLongLong(), 1551);
    EXPECT_EQ(overlayInWindow, QRect(0, 40, 833, window_->height() - 40)) << "covers the content";
    EXPECT_TRUE(boxHadFocus) << "the borderless sheet takes key focus";

    EXPECT_FALSE(sheet_.isRunning());
    EXPECT_FALSE(sheet_.isVisible());
    EXPECT_FALSE(during->isVisible()) << "ordered out with its sheet";
    EXPECT_EQ(sheet_.parentWidget(), nullptr) << "back with its former owner";
}

TEST_F(SheetRunTest, ASecondRunReplacesTheOverlayAndKeepsTheBox) {
    layOut();
    QTimer::singleShot(0, [&] { sheet_.endSheet(1000); });
    sheet_.runModal();
    const QPointer<BlackView> first = BlackView::findOverlay(sheet_.contentView());

    layOut();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    int overlays = 0;
    for (QObject* child : sheet_.contentView()->children())
        overlays += qobject_cast<BlackView*>(child) != nullptr;
    EXPECT_EQ(overlays, 1);
    ASSERT_NE(box_, nullptr);
    EXPECT_EQ(box_->parentWidget(), BlackView::findOverlay(sheet_.contentView()));

    QTimer::singleShot(0, [&] { sheet_.endSheet(7); });
    EXPECT_EQ(sheet_.runModal(), 7);
}

TEST(BlackViewTest, FillsWhatItDrawsWithSeventyPercentBlack) {
    QWidget behind;
    behind.setAutoFillBackground(true);
    QPalette white;
    white.setColor(QPalette::Window, Qt::white);
    behind.setPalette(white);
    behind.resize(40, 40);
    auto* overlay = new BlackView(&behind);
    overlay->setGeometry(0, 0, 20, 40);
    const QImage shot = behind.grab().toImage();
    EXPECT_NEAR(shot.pixelColor(10, 10).redF(), 0.3, 0.01);
    EXPECT_EQ(shot.pixelColor(30, 10), QColor(Qt::white));
    EXPECT_EQ(BlackView::findOverlay(&behind), nullptr) << "untagged";
    overlay->setTTag(BlackView::kOverlayTag);
    EXPECT_EQ(BlackView::findOverlay(&behind), overlay);
}

} // namespace
