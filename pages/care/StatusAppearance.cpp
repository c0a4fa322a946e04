#include "pages/care/StatusAppearance.h"

#include "engine/DataFiller.h"
#include "engine/TextFormat.h"
#include "pages/care/LevelIndicator.h"
#include "pages/care/OneClickTally.h"
#include "platform/ui/Autoresizing.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/CommonFuncs.h"
#include "toolkit/GradientBox.h"
#include "toolkit/IMGButton.h"
#include "toolkit/LinkButton.h"

#include "ui_Status.h"

#include <QPainter>

namespace qpages {

namespace {

const std::string kGroup = "GRP_ONE_CLICK_CLEANING";
const QColor kStripe = QColor::fromRgbF(1.0F, 0.9843F, 0.898F);

QString text(const qengine::DataFiller& engine, const std::string& group, const std::string& key) {
    return QString::fromStdString(engine.getTokenForGroup(group, key));
}

QString common(const qengine::DataFiller& engine, const std::string& key) {
    return text(engine, "GRP_CMN", key);
}

void setLabelFont(QWidget* widget, int pixelSize) {
    QFont font = widget->font();
    font.setPixelSize(pixelSize);
    widget->setFont(font);
}

void setArial(QWidget* widget, int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    widget->setFont(font);
}

QColor toColor(const qengine::Rgb& rgb) {
    return QColor::fromRgbF(static_cast<float>(rgb.red), static_cast<float>(rgb.green),
                            static_cast<float>(rgb.blue), static_cast<float>(rgb.alpha));
}

void fill(QWidget* box, const QColor& color) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, color);
    box->setPalette(palette);
}

// The eighteen names of a button whose on and off faces may differ.
void setImages(qtk::IMGButton* button, const QString& on, const QString& onDown, const QString& off,
               const QString& offDown) {
    const QString disabled = QStringLiteral("btn_dis_");
    const auto part = [](const QString& stem, const char* which) {
        return stem + QString::fromLatin1(which) + ".png";
    };
    button->setButtonImages(
        part(on, "left"), part(on, "middle"), part(on, "right"), part(onDown, "left"),
        part(onDown, "middle"), part(onDown, "right"), part(disabled, "left"),
        part(disabled, "middle"), part(disabled, "right"), part(off, "left"), part(off, "middle"),
        part(off, "right"), part(offDown, "left"), part(offDown, "middle"), part(offDown, "right"),
        part(disabled, "left"), part(disabled, "middle"), part(disabled, "right"));
    button->setState(0);
}

} // namespace

const QColor& StatusAppearance::green() {
    static const QColor color = QColor::fromRgbF(0.0F, 0.3333F, 0.0F);
    return color;
}

const QColor& StatusAppearance::red() {
    static const QColor color = QColor::fromRgbF(0.6353F, 0.0314F, 0.0314F);
    return color;
}

const QColor& StatusAppearance::darkGrey() {
    static const QColor color(85, 85, 85);
    return color;
}

void StatusAppearance::setTextColor(QWidget* widget, const QColor& color) {
    if (!widget) return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

void StatusAppearance::apply(Ui::StatusInterface& ui,
                             const std::array<OneClickControls, 4>& controls,
                             const qengine::DataFiller& engine) {
    updateLanguageTokens(ui, controls, engine);
    makeFontColorSettings(ui, controls, engine);
    makeLevelBarSettings(controls, engine);
    setButtonImages(ui);
    applyResizing(ui);
}

void StatusAppearance::updateLanguageTokens(Ui::StatusInterface& ui,
                                            const std::array<OneClickControls, 4>& controls,
                                            const qengine::DataFiller& engine) {
    ui.rescanButton->setText(common(engine, "ID_RESCAN"));
    ui.backButton->setText(common(engine, "ID_BACK"));
    ui.textAreas->setText(text(engine, kGroup, "ID_AREAS_TO_SCAN"));
    ui.textIssues->setText(text(engine, kGroup, "ID_ISSUES"));
    ui.textImpPot->setText(common(engine, "ID_SIZE"));
    ui.textStatus->setText(common(engine, "ID_STATUS"));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto& module = OneClickTally::modules()[i];
        const auto& c = controls[i];
        const auto stem = qengine::text::moduleStem(module);
        const auto name = common(engine, "ID_MNAME_" + stem);
        c.link->setTitle(name);
        c.desc->setText(text(engine, kGroup, "ID_" + stem + "_OC_DESC"));
        c.details->setText(text(engine, kGroup, "ID_DETAILS"));
        c.details->setAccessibleName(name + " " + c.details->text());
        c.button->setAccessibleName(name);
        c.levelWords[0]->setText(common(engine, "ID_LOW"));
        c.levelWords[1]->setText(common(engine, "ID_MED"));
        c.levelWords[2]->setText(common(engine, "ID_HIGH"));
    }
}

void StatusAppearance::makeFontColorSettings(Ui::StatusInterface& ui,
                                             const std::array<OneClickControls, 4>& controls,
                                             const qengine::DataFiller& engine) {
    setArial(ui.btnCleanOnAlert, 16);
    ui.btnCleanOnAlert->setText(common(engine, "ID_CLEAN_NOW"));
    setTextColor(ui.btnCleanOnAlert, Qt::white);
    ui.removeButton->setToolTip(common(engine, "ID_CLEAN_ISSUES_HINT"));
    ui.btnCleanOnAlert->setToolTip(common(engine, "ID_CLEAN_ISSUES_HINT"));
    for (const auto& c : controls) {
        setLabelFont(c.link, 14);
        c.link->resize(c.link->sizeHint().width(), c.link->height());
        for (QLabel* small : {c.desc, c.size}) {
            setLabelFont(small, 10);
            setTextColor(small, darkGrey());
        }
        setLabelFont(c.foundSize, 14);
        setTextColor(c.foundSize, Qt::black);
        setLabelFont(c.items, 14);
        setTextColor(c.items, red());
        for (auto* word : c.levelWords)
            setLabelFont(word, 9);
    }
    fill(ui.boxCache, kStripe);
    fill(ui.boxBin, kStripe);
    fill(ui.boxLogs, Qt::white);
    fill(ui.boxLang, Qt::white);
    setTextColor(ui.textTotalJunkSize, red());
    qtk::CommonFuncs::setBoldFont(ui.textTotalJunkSize, 20);
    qtk::CommonFuncs::setBoldFont(ui.ValSizeToBeRecovered, 20);
    setLabelFont(ui.topJunkSize, 26);
    setTextColor(ui.topJunkSize, Qt::white);
    for (QLabel* caption : {ui.lblOccupyRecover, ui.lblSizeToBeRecovered}) {
        setTextColor(caption, darkGrey());
        qtk::CommonFuncs::setBoldFont(caption, 13);
    }
    setTextColor(ui.lblTitle, Qt::black);
    setLabelFont(ui.lblTitle, 20);
    setTextColor(ui.lblDesc, darkGrey());
    setLabelFont(ui.lblDesc, 11);
    // Two points lower and seven taller, in bottom-left terms: the top edge rises by five.
    QRect desc = ui.lblDesc->geometry();
    desc.adjust(0, -5, 0, 2);
    ui.lblDesc->setGeometry(desc);
    setTextColor(ui.lblSelectedItems, darkGrey());
    setArial(ui.scanButton, 16);
    setArial(ui.removeButton, 16);
    ui.removeButton->setText(common(engine, "ID_CLEAN_NOW"));
    ui.boxHeader->setGradientImageName(QStringLiteral("header_main.png"));
    ui.boxTitle->setGradientImageName(QStringLiteral("titlebar.png"));
    ui.boxFooter->setGradientImageName(QStringLiteral("footer.png"));
    ui.mainInfoBox->setGradientImageName(QStringLiteral("yellow_bg_left.png"),
                                         QStringLiteral("yellow_bg_middle.png"),
                                         QStringLiteral("yellow_bg_right.png"));
    ui.topImage->setPixmap(qui::namedImage(QStringLiteral("One Click Cleaning_48.png")));
}

void StatusAppearance::makeLevelBarSettings(const std::array<OneClickControls, 4>& controls,
                                            const qengine::DataFiller& engine) {
    const QColor low = toColor(engine.lowColor());
    const QColor medium = toColor(engine.medColor());
    const QColor high = toColor(engine.highColor());
    for (const auto& c : controls) {
        c.levelBar->setValue(0);
        c.levelBar->setLevelColors(low, medium, high);
        setTextColor(c.levelWords[0], low);
        setTextColor(c.levelWords[1], medium);
        setTextColor(c.levelWords[2], high);
    }
}

void StatusAppearance::setButtonImages(Ui::StatusInterface& ui) {
    for (auto* button : {ui.btnCleanOnAlert, ui.removeButton})
        setImages(button, QStringLiteral("btn_green_n_"), QStringLiteral("btn_green_d_"),
                  QStringLiteral("btn_green_n_"), QStringLiteral("btn_green_d_"));
    setImages(ui.scanButton, QStringLiteral("btn_gray_n_"), QStringLiteral("btn_gray_d_"),
              QStringLiteral("btn_blue_n_"), QStringLiteral("btn_blue_d_"));
}

void StatusAppearance::toggleColorsOnOff(const std::array<OneClickControls, 4>& controls,
                                         const std::array<bool, 4>& ticked) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto& c = controls[i];
        const bool on = ticked[i];
        const QPixmap icon =
            qui::namedImage(QString::fromStdString(OneClickTally::modules()[i]) + "_32.png");
        QPixmap faded(icon.size());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(on ? 1.0 : 0.5);
        painter.drawPixmap(0, 0, icon);
        painter.end();
        c.image->setPixmap(faded);
        qtk::CommonFuncs::changeButtonTextColor(c.details, on ? QColor(Qt::black) : darkGrey());
        setTextColor(c.link, on ? QColor(Qt::black) : darkGrey());
    }
}

void StatusAppearance::applyResizing(Ui::StatusInterface& ui) {
    using qui::Resizing;
    const auto mask = [](std::initializer_list<Resizing> parts) {
        unsigned bits = 0;
        for (auto part : parts)
            bits |= static_cast<unsigned>(part);
        return bits;
    };
    // The header, the title strip and the boxes keep their top edge; the totals and the footer
    // their bottom edge; the details box and its lists take the height between.
    const unsigned topWide = mask({Resizing::FlexibleWidth, Resizing::FlexibleBottomMargin});
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.boxHeader, ui.boxAlert, ui.boxTitle, ui.boxCache,
                                         ui.boxLogs, ui.boxBin, ui.boxLang})
        qui::Autoresizing::apply(w, topWide);
    const unsigned bottomWide = mask({Resizing::FlexibleWidth, Resizing::FlexibleTopMargin});
    qui::Autoresizing::apply(ui.boxFooter, bottomWide);
    qui::Autoresizing::apply(ui.mainInfoBox, bottomWide);
    const unsigned both = mask({Resizing::FlexibleWidth, Resizing::FlexibleHeight});
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.boxDetails, ui.ovDetails, ui.tvAppCleanerDetails})
        qui::Autoresizing::apply(w, both);
    // The column captions and the buttons stay at the right edge.
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui.textStatus, ui.lineStatus, ui.textIssues, ui.textImpPot, ui.progressbar,
             ui.btnCleanOnAlert, ui.scanButton, ui.removeButton, ui.rescanButton, ui.backButton})
        qui::Autoresizing::apply(w, static_cast<unsigned>(Resizing::FlexibleLeftMargin));
}

} // namespace qpages
