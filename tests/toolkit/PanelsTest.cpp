#include "toolkit/CCDColoredButtonCell.h"
#include "toolkit/CommonFuncs.h"
#include "toolkit/GradientBox.h"
#include "toolkit/GradientButton.h"
#include "toolkit/IMGButton.h"
#include "toolkit/LinkButton.h"
#include "toolkit/LinkButtonBlack.h"
#include "toolkit/NSOutlineView_NEW.h"

#include <QApplication>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyle>

#include <gtest/gtest.h>

namespace {

TEST(GradientBox, OneNameFillsAllThreeParts) {
    qtk::GradientBox box;
    box.setGradientImageName("header_bg_middle.png");
    EXPECT_EQ(box.bgImage_St(), "header_bg_middle.png");
    EXPECT_EQ(box.bgImage(), "header_bg_middle.png");
    EXPECT_EQ(box.bgImage_En(), "header_bg_middle.png");
    box.setGradientImageName("l.png", "m.png", "r.png");
    EXPECT_EQ(box.bgImage_St(), "l.png");
    EXPECT_EQ(box.bgImage(), "m.png");
    EXPECT_EQ(box.bgImage_En(), "r.png");

    // Names without images leave the panel empty rather than failing.
    box.setGradientImageName("no-such-image.png");
    box.resize(50, 20);
    const QImage shot = box.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(50, 20));
}

TEST(LinkButton, EverySetTitleBringsTheLinkColourBack) {
    qtk::LinkButton link(QStringLiteral("Fix Now"), nullptr);
    EXPECT_EQ(link.titleColor(), QColor(0, 0, 255));
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);

    qtk::CommonFuncs::changeButtonTextColor(&link, Qt::white);
    EXPECT_EQ(link.titleColor(), QColor(Qt::white));
    link.setTitle(QStringLiteral("Recover Now"));
    EXPECT_EQ(link.titleColor(), QColor(0, 0, 255));
    EXPECT_EQ(link.title(), "Recover Now");

    qtk::LinkButtonBlack black(QStringLiteral("Help"), nullptr);
    EXPECT_EQ(black.titleColor(), QColor(Qt::black));
}

TEST(CommonFuncs, ColourReachesPlainAndImageButtonsAndBoldUsesTheSize) {
    QPushButton plain(QStringLiteral("Scan"));
    qtk::CommonFuncs::changeButtonTextColor(&plain, Qt::white);
    EXPECT_EQ(plain.palette().color(QPalette::ButtonText), QColor(Qt::white));

    qtk::IMGButton image(QStringLiteral("Stop Scan"), nullptr);
    qtk::CommonFuncs::changeButtonTextColor(&image, Qt::yellow);
    EXPECT_EQ(image.colorOnState(), QColor(Qt::yellow));
    EXPECT_EQ(image.colorOffState(), QColor(Qt::yellow));

    QPushButton empty;
    qtk::CommonFuncs::changeButtonTextColor(&empty, Qt::white);
    EXPECT_TRUE(empty.text().isEmpty());

    qtk::CommonFuncs::setBoldFont(&plain, 14);
    EXPECT_TRUE(plain.font().bold());
    EXPECT_EQ(plain.font().pixelSize(), 14);
    qtk::CommonFuncs::changeButtonTextColor(nullptr, Qt::white); // tolerated
}

TEST(GradientButton, FaceIsDarkestAtTheBottomWithAHardStep) {
    qtk::GradientButton button;
    button.resize(40, 40);
    const QImage face = button.grab().toImage();
    const auto grey = [&](int y) { return qRed(face.pixel(20, y)); };
    EXPECT_EQ(qRed(face.pixel(0, 20)), 0); // black outline
    EXPECT_LT(grey(37), grey(22));
    EXPECT_LT(grey(22), grey(2));
    EXPECT_NEAR(grey(38), 0.15 * 255, 3);
    EXPECT_NEAR(grey(1), 0.25 * 255, 3);
}

QImage renderCell(const qtk::CCDColoredButtonCell& cell, const QString& text) {
    QImage image(80, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QStyleOptionButton button;
    button.rect = image.rect();
    button.text = text;
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.palette = QApplication::palette();
    cell.drawWithFrame(&painter, button, nullptr);
    return image;
}

TEST(CCDColoredButtonCell, ClearColourDrawsAnOrdinaryButton) {
    qtk::CCDColoredButtonCell plain;
    qtk::CCDColoredButtonCell clear;
    clear.setButtonColor(QColor(Qt::transparent));
    EXPECT_EQ(renderCell(plain, "OK"), renderCell(clear, "OK"));

    qtk::CCDColoredButtonCell red;
    red.setButtonColor(QColor(Qt::red));
    EXPECT_NE(renderCell(red, "OK"), renderCell(plain, "OK"));
}

TEST(CCDColoredButtonCell, TintKeepsTheColourOnLightPartsAndShadesDarkOnes) {
    QImage button(3, 1, QImage::Format_ARGB32_Premultiplied);
    button.setPixel(0, 0, qRgba(255, 255, 255, 255));
    button.setPixel(1, 0, qRgba(0, 0, 0, 255));
    button.setPixel(2, 0, qRgba(0, 0, 0, 0));
    const QImage out = qtk::CCDColoredButtonCell::tinted(button, QColor(200, 100, 50));
    EXPECT_EQ(out.pixel(0, 0), qRgba(200, 100, 50, 255));
    EXPECT_EQ(out.pixel(1, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(qAlpha(out.pixel(2, 0)), 0);
}

TEST(NSOutlineView_NEW, NoTriangleExpandsAndTheSelectionIsFlatGrey) {
    QStandardItemModel model;
    auto* section = new QStandardItem("CLEANING");
    section->appendRow(new QStandardItem("System Cleaner"));
    model.appendRow(section);
    qtk::NSOutlineView_NEW view;
    view.setModel(&model);
    view.resize(200, 100);
    EXPECT_FALSE(view.itemsExpandable());
    view.expandAll();
    view.selectionModel()->select(model.index(0, 0), QItemSelectionModel::Select);
    const QImage shot = view.viewport()->grab().toImage();
    const QRect row = view.visualRect(model.index(0, 0));
    EXPECT_EQ(shot.pixel(1, row.center().y()), qtk::NSOutlineView_NEW::selectionColor().rgb());
    EXPECT_EQ(shot.pixel(190, 95), qtk::NSOutlineView_NEW::backgroundColor().rgb());
}

} // namespace
