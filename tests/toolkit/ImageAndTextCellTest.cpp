#include "toolkit/ImageAndTextCell.h"

#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

using qtk::ImageAndTextCell;

namespace {

ImageAndTextCell::TextLookup texts() {
    return [](const QString& group, const QString& key) -> QString {
        if (group != "GRP_CMN") return "NA";
        if (key == "ID_OPTIMIZATION") return "OPTIMIZATION";
        if (key == "ID_MANUAL_CLEANING") return "MANUAL CLEANING";
        if (key == "ID_CLEANING") return "CLEANING";
        return "NA";
    };
}

TEST(ImageAndTextCellLayout, IconSitsThreeInAndTextTwentyOneIn) {
    const QRectF row(0, 48, 200, 24);
    const auto layout = ImageAndTextCell::iconRowLayout(row, {16, 16}, {80, 15});
    EXPECT_EQ(layout.imageRect, QRectF(3, 48 + 4, 16, 16));
    EXPECT_DOUBLE_EQ(layout.textRect.x(), 21);
    EXPECT_DOUBLE_EQ(layout.textRect.y(), 48 + 4); // floor((24 - 15) / 2)
    EXPECT_DOUBLE_EQ(layout.textRect.height(), 20);
    // An odd free height rounds the icon's half point up (towards the bottom, top-down).
    EXPECT_DOUBLE_EQ(
        ImageAndTextCell::iconRowLayout({0, 0, 200, 25}, {16, 16}, {80, 15}).imageRect.y(), 5);
}

TEST(ImageAndTextCellLayout, TextTooWideMovesDownOnlyHalfTheOffset) {
    const QRectF row(0, 0, 120, 24);
    // Space right of the icon: 120 - 19 = 101; 97 leaves less than 5 to spare.
    const auto tight = ImageAndTextCell::iconRowLayout(row, {16, 16}, {97, 14});
    EXPECT_DOUBLE_EQ(tight.textRect.y(), 2.5);
    const auto roomy = ImageAndTextCell::iconRowLayout(row, {16, 16}, {95, 14});
    EXPECT_DOUBLE_EQ(roomy.textRect.y(), 5);
}

TEST(ImageAndTextCellLayout, OnlyTheTwoHeadingsGetTheSeparatorAndTheNarrowFrame) {
    ImageAndTextCell cell(texts());
    EXPECT_TRUE(cell.hasSeparator("OPTIMIZATION"));
    EXPECT_TRUE(cell.hasSeparator("MANUAL CLEANING"));
    EXPECT_FALSE(cell.hasSeparator("CLEANING"));

    const QRectF row(0, 300, 240, 24);
    const auto marked = ImageAndTextCell::headingLayout(row, 14, true);
    ASSERT_TRUE(marked.separator);
    EXPECT_EQ(*marked.separator, QRectF(0, 300 + 12 - 17, 173, 1));
    EXPECT_DOUBLE_EQ(marked.textRect.width(), 173);
    EXPECT_EQ(marked.textRect, QRectF(0, 305, 173, 14));

    const auto plain = ImageAndTextCell::headingLayout(row, 14, false);
    EXPECT_FALSE(plain.separator);
    EXPECT_DOUBLE_EQ(plain.textRect.width(), 240);
}

TEST(ImageAndTextCellCell, ImageSizeDrivesGroupTitleRectAndWidth) {
    ImageAndTextCell cell(texts());
    EXPECT_EQ(cell.font().pixelSize(), 12);
    EXPECT_EQ(cell.textOriginYOffset(), 5);
    EXPECT_TRUE(cell.isGroupCell("CLEANING"));
    EXPECT_FALSE(cell.isGroupCell(""));
    EXPECT_EQ(cell.titleRectForBounds({0, 0, 200, 24}), QRect(5, 5, 197, 20));
    const int bare = cell.cellSize("Logs Cleaner").width();

    QPixmap big(64, 40);
    big.fill(Qt::blue);
    cell.setImage(big);
    EXPECT_EQ(cell.image().size(), QSize(16, 16));
    EXPECT_FALSE(cell.isGroupCell("Logs Cleaner"));
    EXPECT_EQ(cell.titleRectForBounds({0, 0, 200, 24}), QRect(21, 5, 181, 20));
    EXPECT_EQ(cell.cellSize("Logs Cleaner").width(), bare + 16);
}

TEST(ImageAndTextCellCell, HitTestAsksTheSelectedRowNotTheClickedOne) {
    ImageAndTextCell cell(texts());
    EXPECT_EQ(cell.hitTestForEvent(nullptr), ImageAndTextCell::HitContentArea);

    QStandardItemModel model;
    auto* draggable = new QStandardItem("System Cleaner");
    draggable->setData(true, ImageAndTextCell::DraggableRole);
    model.appendRow(draggable);
    model.appendRow(new QStandardItem("CLEANING"));
    QTreeView view;
    view.setModel(&model);

    EXPECT_EQ(cell.hitTestForEvent(&view), ImageAndTextCell::HitTrackableArea); // no selection
    view.selectionModel()->select(model.index(0, 0), QItemSelectionModel::Select);
    EXPECT_EQ(cell.hitTestForEvent(&view), ImageAndTextCell::HitContentArea);
    view.selectionModel()->clearSelection();
    view.selectionModel()->select(model.index(1, 0), QItemSelectionModel::Select);
    EXPECT_EQ(cell.hitTestForEvent(&view), ImageAndTextCell::HitTrackableArea);
}

TEST(ImageAndTextCellCell, RowHeightComesFromTheModel) {
    ImageAndTextCell cell(texts());
    QStandardItemModel model;
    auto* spacer = new QStandardItem(" ");
    spacer->setData(QSize(0, 6), Qt::SizeHintRole);
    model.appendRow(spacer);
    EXPECT_EQ(cell.sizeHint({}, model.index(0, 0)).height(), 6);
}

// The first column of a row drawn by the cell that is not left white.
int leftmostInk(const ImageAndTextCell& cell, const QModelIndex& index) {
    QImage row(200, 24, QImage::Format_ARGB32);
    row.fill(Qt::white);
    QPainter painter(&row);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 200, 24);
    cell.paint(&painter, option, index);
    painter.end();
    for (int x = 0; x < row.width(); ++x)
        for (int y = 0; y < row.height(); ++y)
            if (row.pixel(x, y) != qRgb(255, 255, 255)) return x;
    return -1;
}

TEST(ImageAndTextCellCell, LeftInsetMovesHeadingsAndIconsOffTheEdge) {
    QStandardItemModel model;
    QPixmap icon(16, 16);
    icon.fill(Qt::blue);
    auto* moduleRow = new QStandardItem("System Cleaner");
    moduleRow->setData(icon, Qt::DecorationRole);
    model.appendRow(moduleRow);
    model.appendRow(new QStandardItem("CLEANING"));
    const QModelIndex module = model.index(0, 0);
    const QModelIndex heading = model.index(1, 0);

    ImageAndTextCell cell(texts());
    EXPECT_EQ(leftmostInk(cell, module), 3);
    EXPECT_LT(leftmostInk(cell, heading), 8);
    const int width = cell.sizeHint({}, module).width();

    cell.setLeftInset(8);
    EXPECT_EQ(leftmostInk(cell, module), 8 + 3) << "the icon keeps its place within the inset";
    EXPECT_GE(leftmostInk(cell, heading), 8);
    EXPECT_EQ(cell.sizeHint({}, module).width(), width + 8);
}

} // namespace
