#include "shell/popover/DockViewController.h"

#include "shell/facts/DesktopColorScheme.h"
#include "shell/facts/LoadSeries.h"

#include "platform/core/Guarded.h"
#include "platform/core/Home.h"
#include "platform/ui/GuiWorkspace.h"

#include "toolkit/CommonFuncs.h"
#include "toolkit/LinkButton.h"
#include "toolkit/PNLineChart.h"

#include "ui_DockViewController.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace qshell {

namespace {

constexpr int kIconSize = 32;
// The link colour that still reads on a dark window.
const QColor kDarkLinkColor(122, 172, 255);

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A themed icon named after the program when the desktop has one, else the file's own.
QPixmap applicationIcon(const AppMemoryEntry& entry) {
    const QString path = qs(entry.executablePath);
    const QIcon themed = QIcon::fromTheme(QFileInfo(path).fileName().toLower());
    if (!themed.isNull()) return themed.pixmap(kIconSize, kIconSize);
    return qui::GuiWorkspace::iconPixmapForFile(path, kIconSize);
}

int percentValue(double percent) {
    return static_cast<int>(std::lround(std::clamp(percent, 0.0, 100.0)));
}

} // namespace

DockViewController::DockViewController(DockViewModel::Setup setup, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::DockViewControllerInterface>()) {
    ui_->setupUi(this);
    optimizeTitle_ = ui_->btnOptimize->text();
    model_ = std::make_unique<DockViewModel>(std::move(setup));
    model_->setChangeHandler([this](DockViewModel::Section section) { redraw(section); });
    updateTimer_ = new QTimer(this);
    updateTimer_->setInterval(std::chrono::milliseconds(DockViewModel::kRefreshInterval));
    connect(updateTimer_, &QTimer::timeout, this, [this] {
        qcore::runGuarded("Popover update", [this] { model_->updateDataWithTimer(); });
    });
    ui_->btnOpenQRVApplication->setStandardImages();
    ui_->btnOpenQRVApplication->setState(1);
    ui_->popUpBtn->clear();
    loadChartView();
    setGradientImagesForBoxes();
    buildSettingsMenu();
    wireControls();
}

DockViewController::~DockViewController() {
    // The model's handler redraws these widgets; it must not outlive them.
    model_->setChangeHandler({});
}

void DockViewController::viewDidLoad() {
    model_->viewDidLoad();
    updateTimer_->start();
}

void DockViewController::wireControls() {
    Ui::DockViewControllerInterface& u = *ui_;
    connect(u.btnQuickClean, &QPushButton::clicked, this,
            [this] { model_->btnCleanIssueTapped(); });
    connect(u.btnFixDuplicates, &QPushButton::clicked, this,
            [this] { model_->btnDuplicatesFilesTapped(); });
    connect(u.btnOpenQRVApplication, &QPushButton::clicked, this,
            [this] { model_->btnOpenQRVApplication(); });
    connect(u.btnOptimize, &QPushButton::clicked, this, [this] { model_->btnOptimizePress(); });
    connect(u.btnActivityMonitor, &QPushButton::clicked, this,
            [this] { model_->actionOpenActivityMonitor(); });
    connect(u.popUpBtn, &QComboBox::activated, this,
            [this](int index) { model_->selectDrive(static_cast<std::size_t>(index)); });
    connect(u.btnSettings, &QPushButton::clicked, this, [this] {
        mainmenu_->popup(ui_->btnSettings->mapToGlobal(QPoint(0, ui_->btnSettings->height())));
    });
    u.btnActivityMonitor->setEnabled(model_->state().activityMonitorEnabled);
}

void DockViewController::buildSettingsMenu() {
    mainmenu_ = new QMenu(this);
    mainmenu_->setObjectName(QStringLiteral("mainmenu"));
    for (const DockViewModel::MenuEntry& entry : DockViewModel::settingsMenu()) {
        switch (entry.item) {
        case DockViewModel::MenuItem::Separator:
            mainmenu_->addSeparator();
            break;
        case DockViewModel::MenuItem::Help:
            mainmenu_->addAction(qs(entry.title), this, [this] { model_->actionHelp(); });
            break;
        case DockViewModel::MenuItem::Preferences:
            mainmenu_->addAction(qs(entry.title), this, [this] { model_->actionAppSettings(); });
            break;
        case DockViewModel::MenuItem::Quit:
            mainmenu_->addAction(qs(entry.title), this, [this] { model_->actionQuit(); });
            break;
        }
    }
}

void DockViewController::setGradientImagesForBoxes() {
    for (qtk::GradientBox* box :
         {ui_->boxTopLeftHeader, ui_->boxTopRightHeader, ui_->boxCenterHeader,
          ui_->boxBottomLeftHeader, ui_->boxBottomRightHeader}) {
        box->setGradientImageName(QStringLiteral("title_left.png"), QStringLiteral("title_mid.png"),
                                  QStringLiteral("title_rigth.png"));
        box->update();
    }
}

// --- Chart ---------------------------------------------------------------------------------------

std::shared_ptr<qtk::PNLineChartData> DockViewController::makeSeries() const {
    auto series = std::make_shared<qtk::PNLineChartData>();
    series->setColor(QColor(LoadSeries::kRed, LoadSeries::kGreen, LoadSeries::kBlue));
    series->setAlpha(1.0);
    series->setLineWidth(LoadSeries::kLineWidth);
    series->setInflexionPointStyle(0);
    // The chart may ask for values while it animates; it reads this tick's copy.
    const std::vector<double> points = model_->series().points();
    series->setItemCount(points.size());
    series->setGetData([points](std::uint64_t i) {
        return qtk::PNLineChartDataItem::dataItemWithY(i < points.size() ? points[i] : 0.0);
    });
    return series;
}

void DockViewController::loadChartView() {
    if (lineChart_) lineChart_->deleteLater();
    lineChart_ =
        new qtk::PNLineChart(qui::PointRect{LoadSeries::kChartX, LoadSeries::kChartY,
                                            LoadSeries::kChartWidth, LoadSeries::kChartHeight},
                             ui_->cpuGraphView);
    lineChart_->setYLabelFormat(QString::fromLatin1(LoadSeries::kYLabelFormat));
    lineChart_->setXUnit(QStringLiteral("x"));
    lineChart_->setYUnit(QStringLiteral("y"));
    lineChart_->setYFixedValueMax(model_->series().yFixedValueMax());
    lineChart_->setYFixedValueMin(LoadSeries::yFixedValueMin());
    lineChart_->setChartData({makeSeries()});
    lineChart_->strokeChart();
    lineChart_->setShowCoordinateAxis(false);
    lineChart_->setShowLabel(false);
    lineChart_->show();
}

// --- Redraw ------------------------------------------------------------------------------------

void DockViewController::redraw(DockViewModel::Section section) {
    using Section = DockViewModel::Section;
    switch (section) {
    case Section::Memory:
        showMemory();
        break;
    case Section::Applications:
        showApplications();
        break;
    case Section::Processor:
        ui_->cpuCapacityLbl->setText(qs(model_->state().cpuCapacityText));
        break;
    case Section::Load:
        showLoad();
        break;
    case Section::Drive:
        showDrive();
        break;
    case Section::OneClick:
        showOneClick();
        break;
    case Section::Duplicates:
        showDuplicates();
        break;
    case Section::Buttons:
        showButtons();
        break;
    case Section::StatusBar:
        applyColorScheme(model_->state().statusBarTextWhite);
        emit statusBarChanged(qs(model_->state().statusBarText),
                              model_->state().statusBarTextWhite);
        break;
    }
}

void DockViewController::showMemory() {
    const DockViewModel::State& s = model_->state();
    ui_->lbl_pecentage->setText(qs(s.percentageText));
    ui_->lblTotalMemoryRAM->setText(qs(s.totalMemoryText));
    ui_->lblAvailableRAM->setText(qs(s.availableText));
    ui_->progressMemoryAvailable->setValue(percentValue(s.memoryPercent));
}

void DockViewController::showApplications() {
    const auto& apps = model_->state().topApplications;
    QLabel* const icons[] = {ui_->imgAppSignify1, ui_->imgAppSignify2, ui_->imgAppSignify3};
    for (std::size_t i = 0; i < std::size(icons); ++i) {
        // A slot without an application stays empty rather than repeating another's icon.
        if (i < apps.size()) {
            icons[i]->setPixmap(applicationIcon(apps[i]));
            icons[i]->setToolTip(qs(TopApplications::toolTip(apps[i])));
        } else {
            icons[i]->clear();
            icons[i]->setToolTip(QString());
        }
    }
}

void DockViewController::showLoad() {
    ui_->cpuLoadLbl->setText(qs(model_->state().cpuLoadText));
    if (!lineChart_) return;
    lineChart_->setYFixedValueMax(model_->series().yFixedValueMax());
    lineChart_->setYFixedValueMin(LoadSeries::yFixedValueMin());
    lineChart_->updateChartData({makeSeries()});
}

void DockViewController::showDrive() {
    const DockViewModel::State& s = model_->state();
    {
        const QSignalBlocker blocker(ui_->popUpBtn);
        ui_->popUpBtn->clear();
        for (const Drive& drive : s.drives)
            ui_->popUpBtn->addItem(qs(drive.name));
        ui_->popUpBtn->setCurrentIndex(s.selectedDrive ? static_cast<int>(*s.selectedDrive) : -1);
    }
    ui_->hdDriveNamelbl->setText(qs(s.driveTexts.name));
    ui_->hdDriveNamelbl->setToolTip(qs(s.driveTexts.name));
    ui_->hdDriveAvailSpace->setText(qs(s.driveTexts.available));
    ui_->hdTotalSpacelbl->setText(qs(s.driveTexts.total));
    ui_->progressHDSpace->setValue(percentValue(s.driveTexts.usedPercent));
}

void DockViewController::showOneClick() {
    const DockViewModel::State& s = model_->state();
    if (!s.issueFoundText.empty()) ui_->lblIssueFoundText->setText(qs(s.issueFoundText));
    ui_->txtOneClickIssues->setText(qs(s.oneClickIssuesText));
    if (s.issuesOneClickText) ui_->lblIssuesOneClick->setText(qs(*s.issuesOneClickText));
    ui_->btnQuickClean->setTitle(qs(s.quickCleanTitle));
    ui_->btnQuickClean->setEnabled(s.quickCleanEnabled);
    applyLinkColors();
}

void DockViewController::showDuplicates() {
    const DockViewModel::State& s = model_->state();
    if (s.dupsFoundText) ui_->lblDupsFoundText->setText(qs(*s.dupsFoundText));
    ui_->txtDuplicatesCount->setText(qs(s.duplicatesCountText));
    ui_->btnFixDuplicates->setTitle(qs(s.fixDuplicatesTitle));
    applyLinkColors();
}

void DockViewController::showButtons() {
    const DockViewModel::State& s = model_->state();
    // The interface file's title comes back when the model has none of its own.
    ui_->btnOptimize->setTitle(s.optimizeTitle ? qs(*s.optimizeTitle) : optimizeTitle_);
    ui_->btnOptimize->setEnabled(s.optimizeEnabled);
    ui_->btnQuickClean->setEnabled(s.quickCleanEnabled);
    ui_->btnActivityMonitor->setEnabled(s.activityMonitorEnabled);
    applyLinkColors();
}

void DockViewController::applyColorScheme(bool dark) {
    if (dark == darkScheme_) return;
    darkScheme_ = dark;
    inPaletteChange_ = true;
    setPalette(dark ? darkPalette() : QApplication::palette());
    inPaletteChange_ = false;
    applyLinkColors();
}

QPalette DockViewController::darkPalette() {
    QPalette p;
    const QColor window(45, 45, 48);
    const QColor base(32, 32, 34);
    const QColor text(232, 232, 232);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(60, 60, 64));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(58, 110, 190));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 130, 130));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 130, 130));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 130, 130));
    return p;
}

void DockViewController::applyLinkColors() {
    const bool dark = darkScheme_ || paletteIsDark(palette());
    for (qtk::LinkButton* link :
         {ui_->btnQuickClean, ui_->btnFixDuplicates, ui_->btnOptimize, ui_->btnActivityMonitor}) {
        // Setting the title again brings the link colour back.
        if (dark)
            qtk::CommonFuncs::changeButtonTextColor(link, kDarkLinkColor);
        else
            link->setTitle(link->text());
    }
    // The quick links keep their left edge and fit their titles, which change.
    for (qtk::LinkButton* link : {ui_->btnQuickClean, ui_->btnFixDuplicates, ui_->btnOptimize})
        link->resize(link->sizeHint().width(), link->height());
}

// --- Dark mode ---------------------------------------------------------------------------------

bool DockViewController::paletteIsDark(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    return DesktopColorScheme::isDarkColor(window.red(), window.green(), window.blue());
}

std::function<bool()> DockViewController::darkModeProbe() {
    return [] {
        const DesktopColorScheme::Probe palette = []() -> std::optional<bool> {
            return paletteIsDark(QApplication::palette());
        };
        return DesktopColorScheme::forDesktop(qcore::Home::realHomeDirectory(), palette).isDark();
    };
}

void DockViewController::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    const bool schemeChanged =
        event->type() == QEvent::ThemeChange || event->type() == QEvent::PaletteChange;
    if (schemeChanged && !inPaletteChange_) {
        inPaletteChange_ = true;
        model_->darkModeChanged();
        applyLinkColors();
        inPaletteChange_ = false;
    }
}

} // namespace qshell
