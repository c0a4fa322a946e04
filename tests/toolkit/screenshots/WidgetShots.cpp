// Panels, buttons, the sidebar cell, the coloured button cell and the chart in their states.
#include "ShotRegistry.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/CCDColoredButtonCell.h"
#include "toolkit/CustomButtonCell.h"
#include "toolkit/CustomView.h"
#include "toolkit/GradientBox.h"
#include "toolkit/GradientButton.h"
#include "toolkit/HandCursorButton.h"
#include "toolkit/IMGButton.h"
#include "toolkit/ImageAndTextCell.h"
#include "toolkit/LinkButton.h"
#include "toolkit/LinkButtonBlack.h"
#include "toolkit/NSOutlineView_NEW.h"
#include "toolkit/PNLineChart.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>

#include <memory>

namespace {

void save(QWidget& host, const QString& outDir, const QString& name) {
    host.grab().save(outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QLabel* caption(const QString& text, QWidget* parent, QRect where) {
    auto* label = new QLabel(text, parent);
    label->setFont(qui::systemFont(11));
    label->setGeometry(where);
    return label;
}

void pressOn(QWidget* widget) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

void hoverOn(QWidget* widget) {
    widget->setAttribute(Qt::WA_UnderMouse, true);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(widget, &enter);
}

// Rows: one-line and two-line titles; columns: the states a page shows.
void imgButtonShots(const QString& outDir) {
    QWidget host;
    host.resize(760, 230);
    host.setAutoFillBackground(true);
    host.setPalette(QColor(246, 246, 246));
    const QStringList columns{"on",  "on hover",    "on pressed",  "on disabled",
                              "off", "off pressed", "off disabled"};
    for (int c = 0; c < columns.size(); ++c)
        caption(columns[c], &host, QRect(10 + c * 105, 6, 100, 16));
    const QList<std::pair<QString, QSize>> rows{
        {"Start Scan", {96, 36}}, {"Clean Now", {96, 30}}, {"Stop Scanning Now", {96, 56}}};
    int y = 28;
    for (const auto& [title, size] : rows) {
        for (int c = 0; c < columns.size(); ++c) {
            auto* button = new qtk::IMGButton(title, &host);
            button->setStandardImages();
            button->setGeometry(10 + c * 105, y, size.width(), size.height());
            button->setState(c < 4 ? 1 : 0);
            if (c == 1) hoverOn(button);
            if (c == 2 || c == 5) pressOn(button);
            if (c == 3 || c == 6) button->setEnabled(false);
        }
        y += size.height() + 14;
    }
    auto* blue = new qtk::IMGButton(QStringLiteral("Show Details"), &host);
    blue->setGeometry(10, y, 120, 28);
    blue->setIsBlackColor(true);
    caption(QStringLiteral("isBlackColor, no images"), &host, QRect(140, y + 6, 200, 16));
    save(host, outDir, QStringLiteral("imgbutton_states"));
}
QUENDRIX_REGISTER_SHOTS(imgButtonShots);

void panelShots(const QString& outDir) {
    QWidget host;
    host.resize(520, 300);
    host.setAutoFillBackground(true);
    host.setPalette(Qt::white);

    auto* header = new qtk::GradientBox(&host);
    header->setGradientImageName("header_bg_left.png", "header_bg_middle.png",
                                 "header_bg_right.png");
    header->setGeometry(0, 0, 520, 40);
    auto* logo = new QLabel(&host);
    logo->setPixmap(qui::namedImage("header_logo.png"));
    logo->setGeometry(163, 0, 194, 40);

    auto* info = new qtk::GradientBox(&host);
    info->setGradientImageName("yellow_bg_left.png", "yellow_bg_middle.png", "yellow_bg_right.png");
    info->setGeometry(10, 50, 300, 36);
    caption(QStringLiteral("three-part panel"), &host, QRect(320, 60, 190, 16));

    auto* band = new qtk::GradientBox(&host);
    band->setGradientImageName("footer.png");
    band->setGeometry(10, 96, 300, 52);
    caption(QStringLiteral("one image for all parts"), &host, QRect(320, 114, 190, 16));

    auto* missing = new qtk::GradientBox(&host);
    missing->setGradientImageName("no-such-image.png");
    missing->setGeometry(10, 154, 300, 20);
    caption(QStringLiteral("missing image: empty"), &host, QRect(320, 156, 190, 16));

    auto* grey = new qtk::CustomView(&host);
    grey->setGeometry(10, 184, 150, 50);
    caption(QStringLiteral("CustomView"), grey, QRect(10, 16, 120, 16));

    auto* dark = new qtk::GradientButton(&host);
    dark->setGeometry(180, 190, 100, 30);
    caption(QStringLiteral("GradientButton"), &host, QRect(290, 196, 120, 16));

    auto* link = new qtk::LinkButton(QStringLiteral("Fix Now"), &host);
    link->setGeometry(10, 250, 80, 20);
    auto* black = new qtk::LinkButtonBlack(QStringLiteral("Learn more"), &host);
    black->setGeometry(100, 250, 90, 20);
    auto* disabled = new qtk::LinkButton(QStringLiteral("Recover Now"), &host);
    disabled->setGeometry(200, 250, 100, 20);
    disabled->setEnabled(false);
    auto* hand = new qtk::HandCursorButton(QStringLiteral("Backups"), &host);
    hand->setGeometry(310, 246, 90, 28);
    static qtk::CustomButtonCell bezelless;
    auto* flat = new QPushButton(QStringLiteral("No bezel"), &host);
    flat->setStyle(&bezelless);
    flat->setGeometry(410, 246, 90, 28);
    save(host, outDir, QStringLiteral("panels_links_buttons"));
}
QUENDRIX_REGISTER_SHOTS(panelShots);

QStandardItem* row(const QString& title, const QString& icon, int height) {
    auto* item = new QStandardItem(title);
    if (!icon.isEmpty()) item->setData(qui::namedImage(icon), Qt::DecorationRole);
    item->setData(QSize(0, height), Qt::SizeHintRole);
    return item;
}

// The sidebar as the shell builds it: 22 rows, headings, spacers, one selected row.
void sidebarShots(const QString& outDir) {
    QStandardItemModel model;
    const auto section = [&](const QString& title, int headingHeight,
                             const QList<std::pair<QString, int>>& children) {
        QStandardItem* heading = row(title, {}, headingHeight);
        for (const auto& [name, height] : children)
            heading->appendRow(
                row(name == " " ? " " : name, name == " " ? QString() : name + ".png", height));
        model.appendRow(heading);
    };
    section(" ", 20, {});
    section("CLEANING", 24,
            {{" ", 6},
             {"System Status", 24},
             {"One Click Cleaning", 24},
             {"System Cleaner", 24},
             {"Logs Cleaner", 24},
             {"Trash Cleaner", 24},
             {"Partial Downloads", 24},
             {" ", 10}});
    section("MANUAL CLEANING", 24,
            {{" ", 6},
             {"Internet Privacy", 24},
             {"Misc Cleaning", 24},
             {"Large Files", 24},
             {"Old Downloads", 24},
             {" ", 10}});
    section("OPTIMIZATION", 24,
            {{" ", 6}, {"Duplicates Finder", 24}, {"Uninstaller", 24}, {" ", 10}});

    QWidget host;
    host.resize(200, 480);
    auto* view = new qtk::NSOutlineView_NEW(&host);
    view->setGeometry(0, 0, 200, 480);
    view->setIndentation(0);
    view->setModel(&model);
    view->expandAll();
    auto* cell = new qtk::ImageAndTextCell(view);
    view->setItemDelegate(cell);
    // Row 3, System Status.
    view->selectionModel()->select(model.index(1, 0, model.index(1, 0)),
                                   QItemSelectionModel::Select);
    // Two paints: the first places the headings' separators.
    host.grab();
    save(host, outDir, QStringLiteral("sidebar_cells"));
}
QUENDRIX_REGISTER_SHOTS(sidebarShots);

void coloredCellShots(const QString& outDir) {
    QStandardItemModel model;
    for (const char* text : {"No colour", "Clear colour", "Red tint", "Green tint", "Blue tint"})
        model.appendRow(new QStandardItem(text));
    QWidget host;
    host.resize(360, 200);
    const QList<std::optional<QColor>> colours{std::nullopt, QColor(Qt::transparent),
                                               QColor(220, 60, 60), QColor(60, 170, 90),
                                               QColor(40, 110, 230)};
    for (int i = 0; i < colours.size(); ++i) {
        auto* cell = new qtk::CCDColoredButtonCell(&host);
        cell->setButtonColor(colours[i]);
        QStyleOptionButton button;
        button.rect = QRect(10 + (i % 3) * 115, 10 + (i / 3) * 50, 105, 32);
        button.text = model.item(i)->text();
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        button.palette = host.palette();
        button.fontMetrics = host.fontMetrics();
        auto* face = new QLabel(&host);
        QImage image(button.rect.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QStyleOptionButton local = button;
        local.rect = QRect(QPoint(0, 0), button.rect.size());
        cell->drawWithFrame(&painter, local, &host);
        painter.end();
        face->setPixmap(QPixmap::fromImage(image));
        face->setGeometry(button.rect);
    }
    // As an item delegate of a list.
    auto* list = new QListView(&host);
    list->setGeometry(10, 110, 340, 80);
    list->setModel(&model);
    auto* delegate = new qtk::CCDColoredButtonCell(list);
    delegate->setButtonColor(QColor(230, 150, 30));
    list->setItemDelegate(delegate);
    save(host, outDir, QStringLiteral("colored_button_cell"));
}
QUENDRIX_REGISTER_SHOTS(coloredCellShots);

std::shared_ptr<qtk::PNLineChartData> loadSeries(std::shared_ptr<std::vector<double>> points) {
    auto series = std::make_shared<qtk::PNLineChartData>();
    series->setColor(
        QColor::fromRgbF(0.6470588235294118f, 0.5647058823529412f, 0.7686274509803922f));
    series->setAlpha(1.0);
    series->setLineWidth(1.0);
    series->setItemCount(points->size());
    series->setInflexionPointStyle(0);
    series->setGetData([points](std::uint64_t i) {
        return qtk::PNLineChartDataItem::dataItemWithY((*points)[i]);
    });
    return series;
}

void finish(QVariantAnimation* animation) {
    if (animation) animation->setCurrentTime(animation->duration());
}

// The popover's processor-load chart: one point at first, then three per sample up to 22.
void chartShots(const QString& outDir) {
    QWidget popover;
    popover.resize(160, 52);
    popover.setAutoFillBackground(true);
    popover.setPalette(Qt::white);
    auto* chart = new qtk::PNLineChart(qui::PointRect{0, 5, 160, 42}, &popover);
    chart->setYLabelFormat("%1.1f");
    chart->setXUnit("x");
    chart->setYUnit("y");
    chart->setYFixedValueMax(100);
    chart->setYFixedValueMin(0);
    auto points = std::make_shared<std::vector<double>>(std::vector<double>{0.0});
    chart->setChartData({loadSeries(points)});
    chart->strokeChart();
    chart->setShowCoordinateAxis(false);
    chart->setShowLabel(false);
    finish(chart->strokeAnimation());

    const double loads[] = {12, 35, 18, 64, 41, 22, 9};
    for (double load : loads) {
        if (points->size() >= 21) points->erase(points->begin(), points->begin() + 3);
        points->insert(points->end(), 3, load);
        const double m = *std::max_element(points->begin(), points->end());
        chart->setYFixedValueMax(m < 10 ? 10 : m < 20 ? 20 : m < 50 ? 50 : m < 70 ? 90 : 100);
        chart->setYFixedValueMin(0);
        auto fresh = std::make_shared<std::vector<double>>(*points);
        chart->updateChartData({loadSeries(fresh)});
        finish(chart->pathAnimation());
    }
    save(popover, outDir, QStringLiteral("linechart_popover"));

    // The same, three times larger so the segments can be inspected.
    QPixmap large = popover.grab().scaled(480, 156, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    large.save(outDir + QStringLiteral("/linechart_popover_x3.png"));

    // A larger chart halfway through its first stroke, default colour.
    QWidget wide;
    wide.resize(320, 140);
    wide.setAutoFillBackground(true);
    wide.setPalette(Qt::white);
    auto* big = new qtk::PNLineChart(qui::PointRect{0, 0, 320, 140}, &wide);
    auto values = std::make_shared<std::vector<double>>(
        std::vector<double>{5, 20, 15, 40, 35, 60, 30, 45, 80, 55, 70});
    auto series = loadSeries(values);
    series->setColor(std::nullopt);
    series->setLineWidth(2.0);
    big->setChartData({series});
    big->setShowLabel(false);
    big->strokeChart();
    big->strokeAnimation()->setCurrentTime(500);
    save(wide, outDir, QStringLiteral("linechart_stroke_halfway"));
}
QUENDRIX_REGISTER_SHOTS(chartShots);

} // namespace
