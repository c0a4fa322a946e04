#include "shell/views/LastScanPanelView.h"

#include "ui_MainMenu.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/CommonFuncs.h"
#include "toolkit/IMGButton.h"
#include "toolkit/LinkButton.h"

namespace qshell {

namespace {

const char* const kGroup = "GRP_SYSTEM_STATUS";
const QColor kJunkRed = QColor::fromRgbF(0.6353f, 0.0314f, 0.0314f);

void setTextColor(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

LastScanPanelView::LastScanPanelView(Ui::MainMenuInterface& ui, TextSource texts,
                                     GradeColours colours, QObject* parent)
    : QObject(parent), ui_(ui), texts_(std::move(texts)), colours_(std::move(colours)) {
    ui_.levelBar->setGradeColors(colours_[0], colours_[1], colours_[2]);
    ui_.imageImpPot->setPixmap(qui::namedImage(QStringLiteral("info_icon.png")));
    ui_.btnStartSystemScan->setStandardImages();
    ui_.btnStartSystemScan->setState(1);
}

QColor LastScanPanelView::colourOf(JunkLevel::Grade grade) const {
    return colours_[static_cast<std::size_t>(grade)];
}

void LastScanPanelView::updateLanguageTokens() {
    ui_.lblRecAction->setText(qs(texts_.token(kGroup, "ID_REC_ACTION")));
    ui_.lblImpPot->setText(qs(texts_.common("ID_IMP_POT")));
    ui_.imageImpPot->setToolTip(qs(texts_.token(kGroup, "ID_IMP_POT_HINT")));
    ui_.lblLow->setText(qs(texts_.common("ID_LOW")));
    ui_.lblMed->setText(qs(texts_.common("ID_MED")));
    ui_.lblHigh->setText(qs(texts_.common("ID_HIGH")));
    ui_.lblScanDesc->setText(qs(texts_.token(kGroup, "ID_SCAN_DESC")));
    ui_.lblIssuesFound->setText(QStringLiteral("Issues Found"));
    ui_.btnStartSystemScan->setText(qs(texts_.common("ID_START_SCAN")));
    qtk::CommonFuncs::changeButtonTextColor(ui_.btnStartSystemScan, Qt::white);
}

void LastScanPanelView::updateSystemStatusFonts() {
    ui_.textJunkGrade->setFont(qui::labelFont(20));
    setTextColor(ui_.textJunkGrade, kJunkRed);
    ui_.lblImpPot->setFont(qui::labelFont(10));
    const std::array<QLabel*, 3> legend{ui_.lblLow, ui_.lblMed, ui_.lblHigh};
    for (std::size_t i = 0; i < legend.size(); ++i) {
        legend[i]->setFont(qui::labelFont(9));
        setTextColor(legend[i], colours_[i]);
    }
    for (QLabel* label : {ui_.textLastScanTime, ui_.textIssuesCount, ui_.textRecoveredSpace})
        label->setFont(qui::labelFont(14));
    qtk::CommonFuncs::setBoldFont(ui_.lblRecAction, 13);
    ui_.lblScanDesc->setFont(qui::labelFont(12));
    for (QLabel* label : {ui_.lblIssuesFound, ui_.lblJunkSize})
        label->setFont(qui::labelFont(12));
    ui_.boxSystemStatus->setGradientImageName(QStringLiteral("status_box_bg_left.png"),
                                              QStringLiteral("status_box_bg_middle.png"),
                                              QStringLiteral("status_box_bg_right.png"));
    for (qtk::GradientBox* box : {ui_.boxIssues, ui_.boxSpace, ui_.boxStatus})
        box->setGradientImageName(QStringLiteral("small_box_left.png"),
                                  QStringLiteral("small_box_mid.png"),
                                  QStringLiteral("small_box_right.png"));
}

void LastScanPanelView::show(const LastScanPanel& panel) {
    ui_.textLastScanTime->setText(qs(panel.timeText));
    if (panel.issuesWord) ui_.lblIssuesFound->setText(qs(*panel.issuesWord));
    ui_.textIssuesCount->setText(qs(panel.issuesCount));
    ui_.textRecoveredSpace->setText(qs(panel.junkSize));
    ui_.textJunkGrade->setText(qs(panel.junkGrade));
    if (panel.gradeColour) setTextColor(ui_.textJunkGrade, colourOf(*panel.gradeColour));
    if (panel.level) ui_.levelBar->setValue(*panel.level);
    if (panel.fixNowTitle) ui_.btnFixNow->setTitle(qs(*panel.fixNowTitle));
    if (panel.showFixNow) ui_.btnFixNow->setVisible(*panel.showFixNow);
    if (panel.showRecoverNow) ui_.btnRecoverNow->setVisible(*panel.showRecoverNow);
    ui_.boxSystemStatus->update();
}

} // namespace qshell
