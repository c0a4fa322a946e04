#include "shell/delegate/PellorAppDelegate.h"

#include "shell/common/SettingsRegistry.h"
#include "shell/common/ShellNotifications.h"

#include "platform/core/Home.h"
#include "platform/core/Log.h"
#include "platform/core/NotificationCenter.h"
#include "platform/ui/Autoresizing.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/GradientBox.h"
#include "toolkit/KLWindowButton.h"
#include "toolkit/WAYAppStoreWindow.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace qshell {

namespace {

PellorAppDelegate* sharedDelegate = nullptr;

constexpr double kWindowWidth = 833;
constexpr double kWindowHeight = 560;
constexpr double kTitleBarHeight = 40;
constexpr double kLogoWidth = 194;
constexpr double kLogoHeight = 40;
// Flexible width, flexible bottom margin: the view keeps its top edge.
constexpr unsigned kWidthAndTop = static_cast<unsigned>(qui::Resizing::FlexibleWidth) |
                                  static_cast<unsigned>(qui::Resizing::FlexibleBottomMargin);
// Both side margins flexible: the view keeps its size and stays centred.
constexpr unsigned kCentredAtTop = static_cast<unsigned>(qui::Resizing::FlexibleLeftMargin) |
                                   static_cast<unsigned>(qui::Resizing::FlexibleRightMargin) |
                                   static_cast<unsigned>(qui::Resizing::FlexibleBottomMargin);

struct WindowButtonSpec {
    const char* prefix;
    double x;
    void (qui::FramelessMainWindow::*action)();
};

// Made in this order: close, zoom, minimize; kept as close, minimize, zoom.
constexpr std::array<WindowButtonSpec, 3> kWindowButtons{{
    {"close", 13, &qui::FramelessMainWindow::performClose},
    {"minimize", 33, &qui::FramelessMainWindow::performMiniaturize},
    {"zoom", 53, &qui::FramelessMainWindow::performZoom},
}};
constexpr std::array<std::size_t, 3> kCreationOrder{0, 2, 1};

qtk::KLWindowButton* makeWindowButton(const WindowButtonSpec& spec, QWidget* bar,
                                      qtk::WAYAppStoreWindow& window) {
    auto* button = qtk::KLWindowButton::windowButtonWithSize({14, 14}, {}, bar);
    const QString prefix = QLatin1String(spec.prefix);
    button->setActiveImage(qui::namedImage(prefix + "-active-color.png"));
    button->setActiveNotKeyWindowImage(qui::namedImage(prefix + "-activenokey-color.png"));
    button->setInactiveImage(qui::namedImage(prefix + "-inactive-disabled-color.png"));
    button->setPressedImage(qui::namedImage(prefix + "-pd-color.png"));
    button->setRolloverImage(qui::namedImage(prefix + "-rollover-color.png"));
    qui::setFrame(button, {spec.x, 14, 14, 14});
    QObject::connect(button, &QAbstractButton::clicked, &window, spec.action);
    button->updateImage();
    button->show();
    return button;
}

} // namespace

QString RealHomeDirectory() {
    return QString::fromStdString(qcore::Home::realHomeDirectory());
}

PellorAppDelegate::PellorAppDelegate(QObject* parent)
    : PellorAppDelegate(qcore::SystemVersion::current(), parent) {}

PellorAppDelegate::PellorAppDelegate(const qcore::SystemVersion& profile, QObject* parent)
    : QObject(parent), profile_(profile), versionFlags_(VersionFlags::fromProfile(profile)) {
    sharedDelegate = this;
}

PellorAppDelegate::~PellorAppDelegate() {
    if (sharedDelegate == this) sharedDelegate = nullptr;
}

PellorAppDelegate* PellorAppDelegate::shared() {
    return sharedDelegate;
}

qtk::WAYAppStoreWindow* PellorAppDelegate::window() const {
    return window_;
}

QWidget* PellorAppDelegate::titleBarView() const {
    return titleBarView_;
}

void PellorAppDelegate::applicationDidFinishLaunching(qtk::WAYAppStoreWindow& window,
                                                      qcore::UserDefaults& defaults) {
    window_ = &window;
    strHomeDirectory_ = RealHomeDirectory();
    placeWindow(window);
    setUpTitleBar(window);
    addHeaderAndLogo();
    SettingsRegistry::resetSearchFolders(defaults, strHomeDirectory_.toStdString());
    checkYosemite();
    // The grant check answers this only after launching has returned.
    qcore::NotificationCenter::defaultCenter().post(notifications::kCheckHomeAccess, this,
                                                    {{notifications::kNotificationGroup, ""}});
    initializeOsxBools();
    setUpWindowButtons(window);
}

bool PellorAppDelegate::applicationShouldHandleReopen() {
    qcore::NotificationCenter::defaultCenter().post(notifications::kShowTheApp, nullptr);
    return true;
}

void PellorAppDelegate::placeWindow(qtk::WAYAppStoreWindow& window) {
    // The pages and the System Status view are laid out for this size; any smaller and the
    // controls that keep their right margin slide over the labels on the left. A screen
    // smaller than that still gets the whole window on it.
    QSize minimum(static_cast<int>(kWindowWidth), static_cast<int>(kWindowHeight));
    if (const QScreen* screen =
            window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
        minimum = minimum.boundedTo(screen->availableGeometry().size());
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.setMinimumSize(minimum);
    // The new size keeps the bottom-left corner where centring put it.
    const qui::PointRect centred = window.frame();
    window.setFrame({centred.x, centred.y, kWindowWidth, kWindowHeight}, true);
}

void PellorAppDelegate::setUpTitleBar(qtk::WAYAppStoreWindow& window) {
    window.setTitleBarHeight(kTitleBarHeight);
    window.setCenterTrafficLightButtons(false);
    window.setTrafficLightButtonsLeftMargin(8);
    window.setTrafficLightButtonsTopMargin(5);
    titleBarView_ = window.titleBarView();
    const qui::PointRect bar = qui::frameOf(titleBarView_);
    qcore::log("titleBarView frame = {{", bar.x, ", ", bar.y, "}, {", bar.width, ", ", bar.height,
               "}}");
}

void PellorAppDelegate::addHeaderAndLogo() {
    QWidget* bar = titleBarView_;
    if (!bar) return;
    const qui::PointRect bounds = qui::boundsOf(bar);

    auto* header = new qtk::GradientBox(bar);
    header->setObjectName(QStringLiteral("headerBox"));
    header->setGradientImageName(QStringLiteral("header_bg_left.png"),
                                 QStringLiteral("header_bg_middle.png"),
                                 QStringLiteral("header_bg_right.png"));
    qui::setFrame(header, bounds);
    qui::Autoresizing::apply(header, kWidthAndTop);
    header->lower();
    header->show();

    auto* logo = new QLabel(bar);
    logo->setObjectName(QStringLiteral("headerLogo"));
    logo->setPixmap(qui::namedImage(QStringLiteral("header_logo.png")));
    logo->setScaledContents(true);
    qui::setFrame(logo, {bounds.width / 2 - kLogoWidth / 2, bounds.height / 2 - kLogoHeight / 2,
                         kLogoWidth, kLogoHeight});
    // A stretched logo would be distorted; it keeps its size and stays centred instead.
    qui::Autoresizing::apply(logo, kCentredAtTop);
    logo->show();
}

void PellorAppDelegate::setUpWindowButtons(qtk::WAYAppStoreWindow& window) {
    QWidget* bar = titleBarView_;
    if (!bar) return;
    for (const std::size_t index : kCreationOrder) {
        windowButtons_[index] = makeWindowButton(kWindowButtons[index], bar, window);
        windowButtons_[index]->setAccessibleName(windowButtonNames_[index]);
    }
    window.setCloseButton(windowButtons_[0]);
    if (!qtk::WAYAppStoreWindow::isYosemiteOrGreater(window.systemVersion())) return;
    for (const auto kind : {qtk::WAYAppStoreWindow::StandardButton::Close,
                            qtk::WAYAppStoreWindow::StandardButton::Miniaturize,
                            qtk::WAYAppStoreWindow::StandardButton::Zoom})
        if (QAbstractButton* standard = window.standardWindowButton(kind)) standard->hide();
}

void PellorAppDelegate::checkYosemite() {
    versionFlags_.isYosemite = VersionFlags::fromProfile(profile_).isYosemite;
}

void PellorAppDelegate::initializeOsxBools() {
    const bool yosemite = versionFlags_.isYosemite;
    versionFlags_ = VersionFlags::fromProfile(profile_);
    versionFlags_.isYosemite = yosemite;
    qcore::log("OS Version: ", versionFlags_.versionText);
}

} // namespace qshell
