#include "toolkit/WAYWindow.h"

#include <QAbstractButton>

#include <algorithm>
#include <cmath>

namespace qtk {

namespace {

float defaultLeftMargin = 0;
float defaultTopMargin = 0;

} // namespace

WAYWindow::WAYWindow(const qcore::SystemVersion& profile) : WAYAppStoreWindow(profile) {
    setUp();
}

WAYWindow::~WAYWindow() {
    // Events during teardown must not reach the proxy or this half-destroyed delegate.
    setBaseDelegate(nullptr);
}

bool WAYWindow::instancesRespondTo(std::string_view selector) {
    static constexpr std::array<std::string_view, 18> kOperations{
        "setTitleBarHeight:",
        "titleBarHeight",
        "setCenterTrafficLightButtons:",
        "centerTrafficLightButtons",
        "setTrafficLightButtonsLeftMargin:",
        "trafficLightButtonsLeftMargin",
        "setTrafficLightButtonsTopMargin:",
        "trafficLightButtonsTopMargin",
        "titleBarView",
        "setDelegate:",
        "delegate",
        "setHidesTitle:",
        "hidesTitle",
        "setFrame:display:",
        "orderFront:",
        "restoreStateWithCoder:",
        "windowDidResize:",
        "standardButtons"};
    return std::find(kOperations.begin(), kOperations.end(), selector) != kOperations.end();
}

float WAYWindow::defaultTitleBarHeight() {
    return static_cast<float>(kSystemTitleBarHeight);
}

float WAYWindow::defaultTrafficLightButtonsLeftMargin() {
    return defaultLeftMargin;
}

float WAYWindow::defaultTrafficLightButtonsTopMargin() {
    return defaultTopMargin;
}

void WAYWindow::setUp() {
    FramelessMainWindow::setTitleBarHeight(static_cast<int>(kSystemTitleBarHeight));

    delegateProxy_ = std::make_unique<WAYWindowDelegateProxy>();
    delegateProxy_->setFirstDelegate(this);
    setBaseDelegate(delegateProxy_.get());

    createStandardButtons(FramelessMainWindow::titleBarView());
    centerTrafficLightButtons_ = true;

    const QAbstractButton* close = standardButtons()[0];
    const qui::PointRect closeFrame = qui::frameOf(close);
    const double barHeight = close->parentWidget() ? close->parentWidget()->height() : 0;
    defaultLeftMargin = static_cast<float>(closeFrame.x);
    defaultTopMargin = static_cast<float>(barHeight - closeFrame.maxY());

    setStyleMask(styleMask() | FullSizeContentViewWindowMask);
    leftMargin_ = defaultLeftMargin;
    topMargin_ = defaultTopMargin;
    setHidesTitle(true);
    // The window is its own delegate until its user sets one.
    setBaseDelegate(this);
    setNeedsLayout();
}

QWidget* WAYWindow::titleBarView() const {
    return standardButtons()[0]->parentWidget();
}

void WAYWindow::setDelegate(WindowDelegate* delegate) {
    delegateProxy_->setSecondaryDelegate(delegate);
    setBaseDelegate(nullptr);
    setBaseDelegate(delegateProxy_.get());
}

void WAYWindow::setHidesTitle(bool hides) {
    hidesTitle_ = hides;
    // The bar is ours: hiding the title means the bar shows no window title text.
    FramelessMainWindow::titleBarView()->setProperty("titleVisibility", titleVisibility());
}

void WAYWindow::setCenterTrafficLightButtons(bool center) {
    centerTrafficLightButtons_ = center;
    setNeedsLayout();
}

void WAYWindow::setTitleBarHeight(double height) {
    const double newHeight = std::max(height, static_cast<double>(defaultTitleBarHeight()));
    const double delta = newHeight - titleBarHeight_;
    titleBarHeight_ = newHeight;

    replaceTitlebarAccessory(newHeight);

    qui::PointRect windowFrame = frame();
    windowFrame.height += delta;
    windowFrame.y -= delta;
    setNeedsLayout();
    setFrame(windowFrame, false);
}

void WAYWindow::replaceTitlebarAccessory(double height) {
    accessoryView_.reset();
    QWidget* bar = FramelessMainWindow::titleBarView();
    const double accessoryHeight = height - defaultTitleBarHeight();
    // The bar grows by the accessory; set its height first so the accessory's bottom-left
    // frame is measured against the new bar.
    FramelessMainWindow::setTitleBarHeight(
        static_cast<int>(std::lround(defaultTitleBarHeight() + accessoryHeight)));
    syncBarGeometry();
    accessoryView_ = std::make_unique<QWidget>(bar);
    accessoryView_->setObjectName(QStringLiteral("titlebarAccessory"));
    accessoryView_->setAttribute(Qt::WA_TransparentForMouseEvents);
    qui::setFrame(accessoryView_.get(), {0, 0, 10, accessoryHeight});
    accessoryView_->lower();
    accessoryView_->show();
    accessoryFullScreenHeight_ = height;
}

void WAYWindow::setFrame(const qui::PointRect& frame, bool display) {
    WAYAppStoreWindow::setFrame(frame, display);
    setNeedsLayout();
}

void WAYWindow::orderFront() {
    WAYAppStoreWindow::orderFront();
    setNeedsLayout();
}

bool WAYWindow::restoreState(const QByteArray& state) {
    const bool restored = WAYAppStoreWindow::restoreState(state);
    setNeedsLayout();
    return restored;
}

void WAYWindow::windowDidResize(WAYAppStoreWindow&) {
    setNeedsLayout();
}

qui::PointRect WAYWindow::buttonFrame(int index, QSizeF buttonSize, double barHeight,
                                      double leftMargin, double topMargin, bool centred) {
    const double x = leftMargin + index * (buttonSize.width() + kStandardButtonGap);
    const double y = centred ? barHeight * 0.5 - buttonSize.height() * 0.5
                             : barHeight - buttonSize.height() - topMargin;
    return {x, y, buttonSize.width(), buttonSize.height()};
}

void WAYWindow::setNeedsLayout() {
    const auto& buttons = standardButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QAbstractButton* button = buttons[i];
        const double barHeight = button->parentWidget() ? button->parentWidget()->height() : 0;
        qui::setFrame(button, buttonFrame(static_cast<int>(i), button->size(), barHeight,
                                          leftMargin_, topMargin_, centerTrafficLightButtons_));
    }
}

} // namespace qtk
