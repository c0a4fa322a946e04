#include "shell/views/SheetRunner.h"

#include "platform/ui/Geometry.h"
#include "toolkit/BlackView.h"
#include "toolkit/CustomSheetWindow.h"

namespace qshell {

void SheetRunner::runSheetWindow(qtk::CustomSheetWindow& sheet, QWidget& box) const {
    // An earlier run's overlay goes; the box it held stays in the sheet.
    qtk::BlackView::removeOverlay(sheet.contentView());
    const qui::PointRect window = qui::frameOf(&mainWindow_);
    const QSizeF content(window.width, window.height - kTitleBarHeight);
    sheet.setContentMinSize(content);
    sheet.setContentMaxSize(content);
    sheet.setContentSize(content);
    placeBox(sheet, box);
    box.show();
    if (isYosemite_) {
        layOverlay(sheet, box);
    } else {
        box.update();
        sheet.setBackgroundColor(QColor::fromRgbF(0, 0, 0, 0.7f));
    }
    sheet.beginSheet(&mainWindow_);
    sheet.setBackgroundColor(Qt::transparent);
    sheet.runModal();
}

void SheetRunner::placeBox(qtk::CustomSheetWindow& sheet, QWidget& box) const {
    const qui::PointRect frame = qui::frameOf(&box);
    if (isOSXGreaterThan11_) {
        // The sheet is just the box; the size limits follow, or they would keep it larger.
        const QSizeF size(frame.width, frame.height);
        sheet.setContentMinSize(size);
        sheet.setContentMaxSize(size);
        sheet.setContentSize(size);
        qui::setFrame(&box, {0, 0, frame.width, frame.height});
        return;
    }
    const QSizeF content = sheet.contentSize();
    qui::setFrame(&box, {(content.width() - frame.width) / 2, (content.height() - frame.height) / 2,
                         frame.width, frame.height});
}

void SheetRunner::layOverlay(qtk::CustomSheetWindow& sheet, QWidget& box) const {
    const qui::PointRect boxFrame = qui::frameOf(&box);
    const qui::PointRect window = qui::frameOf(&mainWindow_);
    auto* overlay = new qtk::BlackView(sheet.contentView());
    overlay->setTTag(qtk::BlackView::kOverlayTag);
    qui::setFrame(overlay, {0, 0, window.width, window.height - kTitleBarHeight});
    box.setParent(overlay);
    qui::setFrame(&box, boxFrame);
    box.show();
    overlay->show();
    sheet.setStyleMask(qtk::CustomSheetWindow::BorderlessWindowMask);
    sheet.setOpaque(false);
    sheet.setHasShadow(false);
    sheet.setBackgroundColor(Qt::transparent);
}

void SheetRunner::closeSheet(qtk::CustomSheetWindow& sheet) {
    sheet.endSheet(0);
}

} // namespace qshell
