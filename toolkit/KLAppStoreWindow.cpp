#include "toolkit/KLAppStoreWindow.h"

#include "platform/core/NotificationCenter.h"
#include "toolkit/CustomSheetWindow.h"
#include "toolkit/KLTitlebarContainer.h"
#include "toolkit/KLTitlebarView.h"
#include "toolkit/KLWindowButton.h"

#include <QAbstractButton>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace qtk {

namespace {

constexpr double kModernAppKit = 1038;
constexpr double kInitialFullScreenButtonRightMargin = 3;

double measuredMinimumTitleBarHeight = 0;
double measuredDefaultSeparation = 0;

QSizeF sizeOf(const QWidget* widget) {
    return widget ? QSizeF(widget->size()) : QSizeF();
}

} // namespace

bool KLAppStoreWindow::instancesRespondTo(std::string_view selector) {
    static constexpr std::array<std::string_view, 24> kOperations{
        "setTitleBarHeight:",
        "titleBarHeight",
        "setCenterTrafficLightButtons:",
        "setTrafficLightButtonsLeftMargin:",
        "setTrafficLightButtonsTopMargin:",
        "titleBarView",
        "setTitleBarView:",
        "setDelegate:",
        "delegate",
        "setCloseButton:",
        "setMinimizeButton:",
        "setZoomButton:",
        "setFullScreenButton:",
        "setVerticalTrafficLightButtons:",
        "setTrafficLightSeparation:",
        "setFullScreenButtonRightMargin:",
        "setFullScreenButtonTopMargin:",
        "setCenterFullScreenButton:",
        "setShowsTitle:",
        "setShowsTitleInFullscreen:",
        "setVerticallyCenterTitle:",
        "setShowsBaselineSeparator:",
        "setHideTitleBarInFullScreen:",
        "setTitleBarDrawingBlock:"};
    return std::find(kOperations.begin(), kOperations.end(), selector) != kOperations.end();
}

double KLAppStoreWindow::minimumTitleBarHeight() {
    return measuredMinimumTitleBarHeight;
}

double KLAppStoreWindow::defaultSeparation() {
    return measuredDefaultSeparation;
}

KLAppStoreWindow::KLAppStoreWindow(const qcore::SystemVersion& profile)
    : WAYAppStoreWindow(profile) {
    doInitialWindowSetup();
}

KLAppStoreWindow::~KLAppStoreWindow() {
    qcore::NotificationCenter::defaultCenter().removeObserversOf(this);
    setBaseDelegate(nullptr);
}

void KLAppStoreWindow::doInitialWindowSetup() {
    // The system's buttons sit in the frame view, here the window itself, in a standard bar.
    FramelessMainWindow::setTitleBarHeight(static_cast<int>(kSystemTitleBarHeight));
    createStandardButtons(this);
    if (measuredMinimumTitleBarHeight == 0) measuredMinimumTitleBarHeight = kSystemTitleBarHeight;
    if (measuredDefaultSeparation == 0) {
        const qui::PointRect close = qui::frameOf(standardWindowButton(StandardButton::Close));
        const qui::PointRect mini = qui::frameOf(standardWindowButton(StandardButton::Miniaturize));
        measuredDefaultSeparation = mini.x - close.maxX();
    }

    showsBaselineSeparator_ = true;
    centerTrafficLightButtons_ = true;
    titleBarHeight_ = cachedTitleBarHeight_ = minimumTitleBarHeight();
    delegateProxy_ = std::make_unique<KLAppStoreWindowDelegateProxy>();
    fullScreenButtonRightMargin_ = kInitialFullScreenButtonRightMargin;
    trafficLightButtonsLeftMargin_ = qui::frameOf(standardWindowButton(StandardButton::Close)).x;
    trafficLightSeparation_ = defaultSeparation();
    setBaseDelegate(delegateProxy_.get());

    qcore::NotificationCenter::defaultCenter().addObserver(
        this, CustomSheetWindow::kWindowDidEndSheetNotification,
        [this](const qcore::Notification& note) {
            if (note.object == static_cast<const QWidget*>(this)) layoutTrafficLightsAndContent();
        });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState) { updateTitlebarView(); });

    createTitlebarView();
    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void KLAppStoreWindow::createTitlebarView() {
    titleBarContainer_ = new KLTitlebarContainer(this);
    // Above the window's own bar slot, below the window buttons.
    titleBarContainer_->raise();
    for (const StandardButton kind :
         {StandardButton::Close, StandardButton::Miniaturize, StandardButton::Zoom})
        standardWindowButton(kind)->raise();
    qui::setFrame(titleBarContainer_, titleBarContainerFrame());
    setTitleBarView(new KLTitlebarView(titleBarContainer_));
}

void KLAppStoreWindow::setTitleBarView(QWidget* view) {
    if (!view || view == titleBarView_) return;
    if (titleBarView_) {
        titleBarView_->setParent(nullptr);
        titleBarView_->deleteLater();
    }
    titleBarView_ = view;
    view->setParent(titleBarContainer_);
    // Always the container's bounds (width and height follow it); set by every layout.
    view->setGeometry(titleBarContainer_->rect());
    view->show();
}

qui::PointRect KLAppStoreWindow::titleBarContainerFrame() const {
    return {0, height() - titleBarHeight_, static_cast<double>(width()), titleBarHeight_};
}

bool KLAppStoreWindow::hasModernAppKit() const {
    return std::floor(systemVersion().appKitVersionNumber()) > kModernAppKit;
}

std::array<qui::PointRect, 3>
KLAppStoreWindow::trafficLightFrames(const qui::PointRect& bar, const std::array<QSizeF, 3>& sizes,
                                     const TrafficLightLayout& layout) {
    const QSizeF& close = sizes[0];
    const QSizeF& mini = sizes[1];
    const QSizeF& zoom = sizes[2];
    if (!layout.vertical) {
        const double y = layout.centred
                             ? std::round(bar.y + bar.height * 0.5 - close.height() * 0.5)
                             : bar.y + bar.height - close.height() - layout.topMargin;
        const double closeX = layout.leftMargin;
        const double miniX = closeX + close.width() + layout.separation;
        const double zoomX = miniX + mini.width() + layout.separation;
        return {{{closeX, y, close.width(), close.height()},
                 {miniX, y, mini.width(), mini.height()},
                 {zoomX, y, zoom.width(), zoom.height()}}};
    }
    const double gap = layout.separation - 2;
    const double total = close.height() + mini.height() + zoom.height() + 2 * gap;
    const double top = layout.centred ? std::round(bar.y + bar.height * 0.5 - total * 0.5)
                                      : bar.y + bar.height - total - layout.topMargin;
    const double x = layout.leftMargin;
    const double zoomY = top;
    const double miniY = zoomY + zoom.height() + gap;
    const double closeY = miniY + mini.height() + gap;
    return {{{x, closeY, close.width(), close.height()},
             {x, miniY, mini.width(), mini.height()},
             {x, zoomY, zoom.width(), zoom.height()}}};
}

QWidget* KLAppStoreWindow::windowButtonToLayout(StandardButton kind, KLWindowButton* userButton) {
    QAbstractButton* system = standardWindowButton(kind);
    if (userButton) {
        system->hide();
        return userButton;
    }
    if (system->parentWidget() != this) system->show();
    return system;
}

void KLAppStoreWindow::layoutTrafficLightsAndContent() {
    const qui::PointRect bar = titleBarContainerFrame();
    if (titleBarContainer_) qui::setFrame(titleBarContainer_, bar);
    if (titleBarView_) titleBarView_->setGeometry(titleBarContainer_->rect());
    const std::array<QWidget*, 3> buttons{
        windowButtonToLayout(StandardButton::Close, closeButton_),
        windowButtonToLayout(StandardButton::Miniaturize, minimizeButton_),
        windowButtonToLayout(StandardButton::Zoom, zoomButton_)};
    const auto frames = trafficLightFrames(
        bar, {sizeOf(buttons[0]), sizeOf(buttons[1]), sizeOf(buttons[2])},
        {trafficLightButtonsLeftMargin_, trafficLightButtonsTopMargin_, trafficLightSeparation_,
         centerTrafficLightButtons_, verticalTrafficLightButtons_});
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i]) qui::setFrame(buttons[i], frames[i]);
    // No window of ours has a full-screen button, so there is none to place at the right.
    repositionContentView();
}

void KLAppStoreWindow::repositionContentView() {
    // The content fills what the window's bar slot leaves below it.
    const int barHeight = static_cast<int>(std::lround(titleBarHeight_));
    if (FramelessMainWindow::titleBarHeight() == barHeight) return;
    FramelessMainWindow::setTitleBarHeight(barHeight);
    syncBarGeometry();
}

void KLAppStoreWindow::updateTitlebarView() {
    if (!titleBarView_) return;
    titleBarView_->update();
    const bool enabled = drawsAsMainWindow();
    for (QObject* child : titleBarView_->children())
        if (auto* control = qobject_cast<QAbstractButton*>(child)) control->setEnabled(enabled);
}

void KLAppStoreWindow::setupTrafficLightsTrackingArea() {
    for (const StandardButton kind :
         {StandardButton::Close, StandardButton::Miniaturize, StandardButton::Zoom})
        standardWindowButton(kind)->update();
}

bool KLAppStoreWindow::drawsAsMainWindow() const {
    return isActiveWindow();
}

void KLAppStoreWindow::setTitleBarHeight(double height) {
    if (height == titleBarHeight_) return;
    titleBarHeight_ = cachedTitleBarHeight_ = height;
    layoutTrafficLightsAndContent();
    if (titleBarView_) titleBarView_->update();
}

void KLAppStoreWindow::setTrafficLightButtonsLeftMargin(double margin) {
    if (margin == trafficLightButtonsLeftMargin_) return;
    trafficLightButtonsLeftMargin_ = margin;
    layoutTrafficLightsAndContent();
    if (titleBarView_) titleBarView_->update();
    setupTrafficLightsTrackingArea();
}

void KLAppStoreWindow::setCenterTrafficLightButtons(bool center) {
    if (center == centerTrafficLightButtons_) return;
    centerTrafficLightButtons_ = center;
    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void KLAppStoreWindow::setVerticalTrafficLightButtons(bool vertical) {
    if (vertical == verticalTrafficLightButtons_) return;
    verticalTrafficLightButtons_ = vertical;
    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void KLAppStoreWindow::setTrafficLightSeparation(double separation) {
    if (separation == trafficLightSeparation_) return;
    trafficLightSeparation_ = separation;
    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void KLAppStoreWindow::setFullScreenButtonRightMargin(double margin) {
    if (margin == fullScreenButtonRightMargin_) return;
    fullScreenButtonRightMargin_ = margin;
    fullScreenButtonRightMarginSet_ = true;
    layoutTrafficLightsAndContent();
    if (titleBarView_) titleBarView_->update();
}

void KLAppStoreWindow::setCenterFullScreenButton(bool center) {
    if (center == centerFullScreenButton_) return;
    centerFullScreenButton_ = center;
    layoutTrafficLightsAndContent();
}

void KLAppStoreWindow::setShowsTitle(bool shows) {
    if (shows == showsTitle_) return;
    showsTitle_ = shows;
    if (titleBarView_) titleBarView_->update();
}

void KLAppStoreWindow::setVerticallyCenterTitle(bool center) {
    if (center == verticallyCenterTitle_) return;
    verticallyCenterTitle_ = center;
    if (titleBarView_) titleBarView_->update();
}

void KLAppStoreWindow::setShowsBaselineSeparator(bool shows) {
    if (shows == showsBaselineSeparator_) return;
    showsBaselineSeparator_ = shows;
    if (titleBarView_) titleBarView_->update();
}

void KLAppStoreWindow::setDelegate(WindowDelegate* delegate) {
    delegateProxy_->setSecondaryDelegate(delegate);
    setBaseDelegate(nullptr);
    setBaseDelegate(delegateProxy_.get());
}

void KLAppStoreWindow::setCloseButton(KLWindowButton*) {}
void KLAppStoreWindow::setMinimizeButton(KLWindowButton*) {}
void KLAppStoreWindow::setZoomButton(KLWindowButton*) {}
void KLAppStoreWindow::setFullScreenButton(KLWindowButton*) {}

void KLAppStoreWindow::setFrame(const qui::PointRect& frame, bool display) {
    if (preventWindowFrameChange_) return;
    WAYAppStoreWindow::setFrame(frame, display);
}

void KLAppStoreWindow::setStyleMask(unsigned mask) {
    preventWindowFrameChange_ = true;
    WAYAppStoreWindow::setStyleMask(mask);
    preventWindowFrameChange_ = false;
}

void KLAppStoreWindow::windowResized() {
    layoutTrafficLightsAndContent();
}

void KLAppStoreWindow::windowMoved() {
    layoutTrafficLightsAndContent();
}

void KLAppStoreWindow::keyStateChanged(bool key) {
    updateTitlebarView();
    layoutTrafficLightsAndContent();
    if (key) setupTrafficLightsTrackingArea();
}

void KLAppStoreWindow::fullScreenWillChange(bool entering) {
    if (!hasModernAppKit() || !hideTitleBarInFullScreen_) return;
    titleBarHeight_ = entering ? 0 : cachedTitleBarHeight_;
    layoutTrafficLightsAndContent();
    if (titleBarView_) titleBarView_->update();
    titleBarContainer_->setVisible(!entering);
}

void KLAppStoreWindow::fullScreenDidChange(bool entered) {
    if (entered || !hasModernAppKit()) return;
    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void KLAppStoreWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange) {
        layoutTrafficLightsAndContent();
        if (titleBarView_) titleBarView_->update();
    }
    WAYAppStoreWindow::changeEvent(event);
}

} // namespace qtk
