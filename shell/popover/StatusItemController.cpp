#include "shell/popover/StatusItemController.h"

#include "shell/popover/DockViewController.h"

#include "platform/core/Bundle.h"
#include "platform/ui/CloseShortcuts.h"
#include "platform/ui/ImageCache.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

#include <algorithm>

namespace qshell {

namespace {

constexpr int kScreenMargin = 8;

bool otherWindowShown(const QWidget* except) {
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [except](const QWidget* w) {
        return w != except && w->isVisible() && w->windowType() != Qt::Popup &&
               w->windowType() != Qt::ToolTip;
    });
}

} // namespace

StatusItemController::StatusItemController(DockViewController* content, QObject* parent)
    : QObject(parent), content_(content), window_(std::make_unique<QWidget>()) {
    window_->setObjectName(QStringLiteral("statusItemWindow"));
    window_->setWindowTitle(QString::fromStdString(qcore::Bundle::main().bundleName()));
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content_);
    window_->setFixedSize(content_->size());
    window_->installEventFilter(this);
    // As a popup at the tray the keys dismiss it; as a window they close it like its close
    // button, which brings the main window back when nothing else is shown.
    qui::CloseShortcuts::install(*window_, [this] {
        if (usesTray())
            dismissStatusItemWindow();
        else
            window_->close();
    });
    configureWindow(usesTray());
    connect(content_, &DockViewController::statusBarChanged, this,
            &StatusItemController::updateStatusText);
}

StatusItemController::~StatusItemController() {
    window_->removeEventFilter(this);
}

bool StatusItemController::usesTray() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void StatusItemController::present() {
    if (!usesTray() || tray_) return;
    tray_ = new QSystemTrayIcon(this);
    tray_->setContextMenu(content_->mainmenu());
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r != QSystemTrayIcon::Trigger && r != QSystemTrayIcon::DoubleClick) return;
        if (isPopoverShown())
            dismissStatusItemWindow();
        else
            showStatusItemWindow();
    });
    updateStatusText(tray_->toolTip(), textWhite_);
    tray_->show();
}

void StatusItemController::configureWindow(bool asPopup) {
    const Qt::WindowFlags flags = asPopup ? Qt::Popup | Qt::FramelessWindowHint
                                          : Qt::Window | Qt::WindowTitleHint |
                                                Qt::WindowCloseButtonHint |
                                                Qt::WindowMinimizeButtonHint;
    if (window_->windowFlags() != flags) window_->setWindowFlags(flags);
}

QRect StatusItemController::availableGeometry() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (tray_ && tray_->geometry().isValid())
        if (const QScreen* at = QGuiApplication::screenAt(tray_->geometry().center())) screen = at;
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
}

void StatusItemController::showStatusItemWindow() {
    const bool asPopup = tray_ != nullptr;
    configureWindow(asPopup);
    const QRect trayRect = asPopup ? tray_->geometry() : QRect();
    window_->setGeometry(popoverGeometry(window_->size(), trayRect, availableGeometry()));
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void StatusItemController::dismissStatusItemWindow() {
    dismissing_ = true;
    window_->hide();
    dismissing_ = false;
}

bool StatusItemController::isPopoverShown() const {
    return window_->isVisible();
}

bool StatusItemController::eventFilter(QObject* watched, QEvent* event) {
    // The user closed the stand-in window with nothing else on screen: the main window comes
    // back rather than leaving the application running out of reach.
    if (watched == window_.get() && event->type() == QEvent::Close && !dismissing_ && !tray_ &&
        !otherWindowShown(window_.get()))
        content_->model().btnOpenQRVApplication();
    return QObject::eventFilter(watched, event);
}

void StatusItemController::updateStatusText(const QString& text, bool white) {
    textWhite_ = white;
    window_->setToolTip(text);
    if (!tray_) return;
    tray_->setToolTip(text);
    const QPixmap image = qui::namedImage(QStringLiteral("quendrix.png"));
    tray_->setIcon(QIcon(tintedTemplate(image, white ? Qt::white : Qt::black)));
}

QPixmap StatusItemController::tintedTemplate(const QPixmap& image, const QColor& color) {
    if (image.isNull()) return image;
    QPixmap tinted(image.size());
    tinted.setDevicePixelRatio(image.devicePixelRatio());
    tinted.fill(Qt::transparent);
    QPainter painter(&tinted);
    painter.drawPixmap(0, 0, image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(tinted.rect(), color);
    return tinted;
}

QRect StatusItemController::popoverGeometry(QSize popover, QRect trayIcon, QRect available) {
    QRect frame(QPoint(), popover);
    if (!trayIcon.isValid()) {
        frame.moveTopRight(available.topRight() + QPoint(-kScreenMargin, kScreenMargin));
        return frame;
    }
    const bool panelAtBottom = trayIcon.center().y() > available.center().y();
    frame.moveLeft(trayIcon.left() + (trayIcon.width() - popover.width()) / 2);
    if (panelAtBottom)
        frame.moveBottom(trayIcon.top() - 1);
    else
        frame.moveTop(trayIcon.bottom() + 1);
    // Stay on the screen, with a margin where there is room for one.
    const int minX = available.left() + kScreenMargin;
    const int maxX = available.right() - kScreenMargin - popover.width() + 1;
    frame.moveLeft(maxX < minX ? available.left() : std::clamp(frame.left(), minX, maxX));
    frame.moveTop(std::clamp(frame.top(), available.top(),
                             std::max(available.top(), available.bottom() - popover.height() + 1)));
    return frame;
}

} // namespace qshell
