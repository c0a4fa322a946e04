#include "toolkit/WAYAppStoreWindow.h"

#include "platform/core/Log.h"
#include "toolkit/KLAppStoreWindow.h"
#include "toolkit/WAYDefensiveWindow.h"
#include "toolkit/WindowDelegate.h"

#include <QCloseEvent>
#include <QLayout>
#include <QPushButton>
#include <QWindowStateChangeEvent>

namespace qtk {

namespace {

// -1 until the first question, then 0 or 1 for the rest of the process.
int yosemiteOrGreaterCache = -1;

struct StandardButtonLook {
    const char* name;
    const char* colour;
};

constexpr std::array<StandardButtonLook, 3> kStandardButtonLooks{{
    {"close", "#ec6a5e"},
    {"miniaturize", "#f4bf4f"},
    {"zoom", "#61c554"},
}};

QString standardButtonStyle(const char* colour) {
    return QStringLiteral("QPushButton { border: 1px solid rgba(0, 0, 0, 40); border-radius: 7px;"
                          " background: %1; }"
                          "QPushButton:pressed { background: #888; }"
                          "QPushButton:disabled { background: #d0d0d0; }")
        .arg(QLatin1String(colour));
}

} // namespace

bool WAYAppStoreWindow::isYosemiteOrGreater(const qcore::SystemVersion& profile) {
    if (yosemiteOrGreaterCache == -1)
        yosemiteOrGreaterCache = profile.hasVisualEffectView() ? 1 : 0;
    return yosemiteOrGreaterCache != 0;
}

void WAYAppStoreWindow::resetClassChoiceForTesting() {
    yosemiteOrGreaterCache = -1;
}

std::unique_ptr<WAYAppStoreWindow> WAYAppStoreWindow::create(const qcore::SystemVersion& profile) {
    if (isYosemiteOrGreater(profile)) return std::make_unique<WAYDefensiveWindow>(profile);
    return std::make_unique<KLAppStoreWindow>(profile);
}

WAYAppStoreWindow::WAYAppStoreWindow(const qcore::SystemVersion& profile) : profile_(profile) {
    setCloseHandler([this] {
        if (!baseDelegate_) return true;
        return baseDelegate_->windowShouldClose(*this).value_or(true);
    });
    connect(this, &FramelessMainWindow::activeChanged, this, [this](bool active) {
        keyStateChanged(active);
        if (!baseDelegate_) return;
        if (active)
            baseDelegate_->windowDidBecomeKey(*this);
        else
            baseDelegate_->windowDidResignKey(*this);
    });
    connect(this, &FramelessMainWindow::didMiniaturize, this, [this] {
        if (baseDelegate_) baseDelegate_->windowDidMiniaturize(*this);
    });
    connect(this, &FramelessMainWindow::didDeminiaturize, this, [this] {
        if (baseDelegate_) baseDelegate_->windowDidDeminiaturize(*this);
    });
}

WAYAppStoreWindow::~WAYAppStoreWindow() {
    baseDelegate_ = nullptr;
}

void WAYAppStoreWindow::createStandardButtons(QWidget* parent) {
    const double top = parent->height() - kSystemTitleBarHeight;
    const double y = top + (kSystemTitleBarHeight - kStandardButtonSize) / 2;
    for (std::size_t i = 0; i < standardButtons_.size(); ++i) {
        auto* button = new QPushButton(parent);
        button->setObjectName(QLatin1String(kStandardButtonLooks[i].name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(standardButtonStyle(kStandardButtonLooks[i].colour));
        const double x =
            kStandardButtonX + static_cast<double>(i) * (kStandardButtonSize + kStandardButtonGap);
        qui::setFrame(button, {x, y, kStandardButtonSize, kStandardButtonSize});
        standardButtons_[i] = button;
    }
    connect(standardButtons_[0], &QAbstractButton::clicked, this,
            &FramelessMainWindow::performClose);
    connect(standardButtons_[1], &QAbstractButton::clicked, this,
            &FramelessMainWindow::performMiniaturize);
    connect(standardButtons_[2], &QAbstractButton::clicked, this,
            &FramelessMainWindow::performZoom);
}

QAbstractButton* WAYAppStoreWindow::standardWindowButton(StandardButton kind) const {
    return standardButtons_[static_cast<std::size_t>(kind)];
}

void WAYAppStoreWindow::setCloseButton(KLWindowButton*) {
    unrecognizedOperation("setCloseButton:");
}
void WAYAppStoreWindow::setMinimizeButton(KLWindowButton*) {
    unrecognizedOperation("setMinimizeButton:");
}
void WAYAppStoreWindow::setZoomButton(KLWindowButton*) {
    unrecognizedOperation("setZoomButton:");
}
void WAYAppStoreWindow::setFullScreenButton(KLWindowButton*) {
    unrecognizedOperation("setFullScreenButton:");
}

bool WAYAppStoreWindow::resolveOperation(std::string_view) {
    return false;
}

void WAYAppStoreWindow::performResolvedOperation(std::string_view) {}

void WAYAppStoreWindow::unrecognizedOperation(std::string_view selector) {
    if (resolveOperation(selector)) {
        performResolvedOperation(selector);
        return;
    }
    qcore::log("unrecognized selector ", selector, " sent to ", metaObject()->className());
}

void WAYAppStoreWindow::setFrame(const qui::PointRect& frame, bool display) {
    qui::setFrame(this, frame);
    syncBarGeometry();
    if (display) update();
}

void WAYAppStoreWindow::syncBarGeometry() {
    // A hidden window lays its children out only when shown; the shell places views in the
    // bar by its bounds before that.
    if (layout()) layout()->activate();
}

void WAYAppStoreWindow::orderFront() {
    show();
    raise();
}

bool WAYAppStoreWindow::restoreState(const QByteArray& state) {
    return restoreGeometry(state);
}

qui::PointRect WAYAppStoreWindow::positionForSheet(QWidget* sheet, const qui::PointRect& rect) {
    if (!baseDelegate_) return rect;
    return baseDelegate_->windowWillPositionSheet(*this, sheet, rect).value_or(rect);
}

void WAYAppStoreWindow::resizeEvent(QResizeEvent* event) {
    FramelessMainWindow::resizeEvent(event);
    windowResized();
    if (baseDelegate_) baseDelegate_->windowDidResize(*this);
}

void WAYAppStoreWindow::moveEvent(QMoveEvent* event) {
    FramelessMainWindow::moveEvent(event);
    windowMoved();
    if (baseDelegate_) baseDelegate_->windowDidMove(*this);
}

void WAYAppStoreWindow::changeEvent(QEvent* event) {
    if (event->type() != QEvent::WindowStateChange) return FramelessMainWindow::changeEvent(event);
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    const bool was = change->oldState().testFlag(Qt::WindowFullScreen);
    const bool is = isFullScreen();
    if (was != is) fullScreenWillChange(is);
    FramelessMainWindow::changeEvent(event);
    if (was == is) return;
    styleMask_ = is ? (styleMask_ | FullScreenWindowMask) : (styleMask_ & ~FullScreenWindowMask);
    fullScreenDidChange(is);
}

void WAYAppStoreWindow::closeEvent(QCloseEvent* event) {
    FramelessMainWindow::closeEvent(event);
    if (event->isAccepted() && baseDelegate_) baseDelegate_->windowWillClose(*this);
}

} // namespace qtk
