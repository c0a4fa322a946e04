#include "pages/tools/FullDiskAccessGuide.h"

#include "engine/DataFiller.h"
#include "pages/tools/FullDiskAccess.h"
#include "platform/core/Log.h"
#include "platform/ui/CloseShortcuts.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ImageCache.h"

#include "ui_FullDiskAccessGuide.h"

#include <QEvent>
#include <QLabel>
#include <QProcess>
#include <QStringList>

#include <cstdlib>

namespace qpages {

namespace {

bool startDesktopSettings() {
    const char* path = std::getenv("PATH");
    const auto command = FullDiskAccess::privacySettingsCommand(path ? path : "");
    if (!command) {
        qcore::log("No desktop settings program found for the access settings");
        return false;
    }
    QStringList arguments;
    for (const auto& argument : command->arguments)
        arguments << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(command->program), arguments);
}

} // namespace

FullDiskAccessGuide::FullDiskAccessGuide(qengine::DataFiller& engine, Variant variant,
                                         QWidget* page)
    : QObject(page), engine_(engine), variant_(variant), page_(page),
      settingsOpener_(startDesktopSettings) {}

FullDiskAccessGuide::~FullDiskAccessGuide() {
    // The window is a child of the page and goes with it.
    if (winFDTutorial_) winFDTutorial_->removeEventFilter(this);
}

void FullDiskAccessGuide::makeWindow() {
    if (winFDTutorial_) return;
    winFDTutorial_ = new QWidget(page_, Qt::Window);
    ui_ = std::make_unique<Ui::FullDiskAccessGuideInterface>();
    ui_->setupUi(winFDTutorial_);
    winFDTutorial_->setAccessibleName(QStringLiteral("Full Disk Access"));
    winFDTutorial_->installEventFilter(this);
    qui::CloseShortcuts::install(*winFDTutorial_);
    setImage(ui_->imgFDAlogo, QStringLiteral("logo_alert"));
    ui_->imgFDAlogo->setAccessibleName(QStringLiteral("logo"));
    ui_->imgAlert->setAccessibleName(QStringLiteral("alert"));
    ui_->imgSteps->setAccessibleName(QStringLiteral("step picture"));
    connect(ui_->stepNext, &QPushButton::clicked, this, [this] { stepNextClick(); });
    connect(ui_->stepCancel, &QPushButton::clicked, this, [this] { stepCancelClick(); });
    connect(ui_->btnOpenSecurityPrivacy, &QPushButton::clicked, this,
            [this] { openPrivPrefClick(); });
    localizeFDALables();
}

QWidget* FullDiskAccessGuide::window() {
    makeWindow();
    return winFDTutorial_;
}

Ui::FullDiskAccessGuideInterface& FullDiskAccessGuide::ui() {
    makeWindow();
    return *ui_;
}

bool FullDiskAccessGuide::isVisible() const {
    return winFDTutorial_ && winFDTutorial_->isVisible();
}

QString FullDiskAccessGuide::text(const std::string& key) const {
    return QString::fromStdString(engine_.getTokenForGroup(strGroupFD_, key));
}

void FullDiskAccessGuide::localizeFDALables() {
    if (!ui_) return; // the window is localised when it is made
    const bool ventura = FullDiskAccess::isOSXGreaterThan13();
    const auto pick = [ventura](const char* older, const char* newer) {
        return std::string(ventura ? newer : older);
    };
    ui_->lblFullDiskTitle->setText(text("ID_LBL_FD_NAG_TITLE"));
    ui_->lblFullDiskSubTitle->setText(text("ID_LBL_FD_NAG_STITLE"));
    ui_->lblFullDiskStep1Title->setText(text(pick("ID_LBL_FD_STEP1", "ID_LBL_FD_STEP1_VENTURA")));
    ui_->lblFullDiskStep1SubTitle->setText(
        text(pick("ID_LBL_FD_STEP1STITLE", "ID_LBL_FD_STEP1STITLE_VENTURA")));
    ui_->lblFullDiskStep2Title->setText(text("ID_LBL_FD_STEP2"));
    ui_->lblFullDiskStep2SubTitle->setText(
        text(pick("ID_LBL_FD_STEP2STITLE", "ID_LBL_FD_STEP2STITLE_VENTURA")));
    // A button title's "&" would mark a shortcut.
    ui_->btnOpenSecurityPrivacy->setText(
        text(pick("ID_LBL_FD_OPEN_SECURITY", "ID_LBL_FD_OPEN_SECURITY_VENTURA"))
            .replace(QLatin1Char('&'), QStringLiteral("&&")));
    ui_->lblFullDiskStep3Title->setText(text("ID_LBL_FD_STEP3"));
    ui_->lblFullDiskStep3SubTitle->setText(text("ID_LBL_FD_STEP3STITLE"));
    ui_->lblFullDiskStep3SubTitle2->setText(text("ID_LBL_FD_STEP3STITLE2"));
    ui_->lblFullDiskStep4Title->setText(text("ID_LBL_FD_STEP4"));
    ui_->lblErrorFDAccess->setText(text("ID_LBL_FD_ERROR"));
    ui_->lblFullDiskGranted->setText(text("ID_LBL_FD_GRANTED"));
    ui_->stepNext->setText(text(currentStep_ == 4 ? "ID_LBL_FD_CLOSE" : "ID_LBL_FD_NEXT"));
    ui_->stepCancel->setText(
        QString::fromStdString(engine_.getTokenForGroup("GRP_CMN", "ID_CANCEL")));
}

void FullDiskAccessGuide::showFullDiskAccessNag() {
    makeWindow();
    if (!winFDTutorial_->isVisible()) setStepIntial();
    winFDTutorial_->raise();
    winFDTutorial_->activateWindow();
}

void FullDiskAccessGuide::setStepIntial() {
    makeWindow();
    currentStep_ = 1;
    ui_->stepNext->setText(text("ID_LBL_FD_NEXT"));
    ui_->stepCancel->setHidden(true);
    showBox(1, true);
    for (int step = 2; step <= 4; ++step)
        showBox(step, false);
    ui_->lblErrorFDAccess->setHidden(true);
    setStepPicture(1);
    setImage(ui_->imgAlert, {});
    if (variant_ == Variant::MiscCleaning) setImage(ui_->imgFDAlogo, QStringLiteral("logo_alert"));
    setWindow(winFDTutorial_, page_ ? page_->window() : nullptr);
}

void FullDiskAccessGuide::stepNextClick() {
    if (!ui_) return;
    switch (currentStep_) {
    case 1:
        showBox(2, true);
        currentStep_ = 2;
        ui_->stepCancel->setHidden(false);
        setStepPicture(2);
        break;
    case 2:
        showBox(3, true);
        currentStep_ = 3;
        setStepPicture(3);
        break;
    case 3:
        if (checkFulldiskAccess()) {
            ui_->lblErrorFDAccess->setHidden(true);
            showBox(4, true);
            currentStep_ = 4;
            ui_->stepNext->setText(text("ID_LBL_FD_CLOSE"));
            ui_->stepCancel->setHidden(true);
            setStepPicture(4);
            setImage(ui_->imgFDAlogo, QStringLiteral("logo_complete"));
            setImage(ui_->imgAlert, {});
        } else {
            ui_->lblErrorFDAccess->setHidden(false);
            showBox(4, false);
            setStepPicture(3);
            setImage(ui_->imgAlert, QStringLiteral("fdaalert"));
        }
        break;
    case 4:
        winFDTutorial_->close();
        break;
    default:
        break;
    }
}

void FullDiskAccessGuide::stepCancelClick() {
    if (winFDTutorial_) winFDTutorial_->close();
}

bool FullDiskAccessGuide::openPrivPrefClick() {
    return settingsOpener_ && settingsOpener_();
}

bool FullDiskAccessGuide::checkFulldiskAccess() const {
    return FullDiskAccess::checkFulldiskAccess(FullDiskAccess::homeDirectory());
}

bool FullDiskAccessGuide::is1014OSX() const {
    return FullDiskAccess::is1014OSX();
}

void FullDiskAccessGuide::setWindow(QWidget* guide, const QWidget* page) {
    if (!guide) return;
    const qui::PointRect pageFrame = page ? qui::frameOf(page) : qui::PointRect{};
    const qui::PointRect own = qui::frameOf(guide);
    const double x = pageFrame.x + (pageFrame.width - own.width) * 0.5;
    const double y = pageFrame.y + (pageFrame.height - own.height) * 0.5 - 22.0;
    qui::setFrame(guide, {x, y, own.width, own.height});
    guide->update();
    guide->show();
}

void FullDiskAccessGuide::setStepPicture(int step) {
    const QString suffix =
        FullDiskAccess::isOSXGreaterThan13() ? QStringLiteral("-new") : QString();
    setImage(ui_->imgSteps, QStringLiteral("s%1%2.png").arg(step).arg(suffix));
}

void FullDiskAccessGuide::setImage(QWidget* view, const QString& name) {
    auto* label = qobject_cast<QLabel*>(view);
    if (!label) return;
    label->setPixmap(name.isEmpty() ? QPixmap() : qui::namedImage(name));
    label->setProperty("imageName", name);
}

void FullDiskAccessGuide::showBox(int step, bool shown) {
    QWidget* boxes[] = {ui_->boxStep1, ui_->boxStep2, ui_->boxStep3, ui_->boxStep4};
    boxes[step - 1]->setVisible(shown);
}

bool FullDiskAccessGuide::eventFilter(QObject* watched, QEvent* event) {
    if (watched == winFDTutorial_ && event->type() == QEvent::Close) {
        emit closed();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qpages
