#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <memory>

class QSystemTrayIcon;
class QWidget;

namespace qshell {

class DockViewController;

// The status item: a tray icon that opens the popover as a frameless popup beside it. Where
// the desktop has no tray, the popover opens as an ordinary window instead, and closing that
// window while nothing else is shown brings the main window back, so the application never
// runs with no way to reach it.
class StatusItemController : public QObject {
    Q_OBJECT
public:
    // Takes `content` into the popover window.
    explicit StatusItemController(DockViewController* content, QObject* parent = nullptr);
    ~StatusItemController() override;

    // Shows the tray icon when there is a tray; otherwise the popover waits for
    // showStatusItemWindow().
    void present();
    void showStatusItemWindow();
    void dismissStatusItemWindow();
    bool isPopoverShown() const;
    // Whether the popover is shown as a popup at the tray (true) or as a window (false).
    bool usesTray() const;

    QWidget* popoverWindow() const { return window_.get(); }
    QSystemTrayIcon* trayIcon() const { return tray_; }
    DockViewController* content() const { return content_; }

    // The black template image recoloured to `color`, alpha kept.
    static QPixmap tintedTemplate(const QPixmap& image, const QColor& color);
    // The popover's place: under (or above, for a bottom panel) the tray icon, centred on it
    // and kept on the screen; near the top-right corner when the icon's place is unknown.
    static QRect popoverGeometry(QSize popover, QRect trayIcon, QRect available);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateStatusText(const QString& text, bool white);
    void configureWindow(bool asPopup);
    QRect availableGeometry() const;

    DockViewController* content_;
    std::unique_ptr<QWidget> window_; // top level, so no Qt parent owns it
    QSystemTrayIcon* tray_ = nullptr;
    bool textWhite_ = false;
    bool dismissing_ = false;
};

} // namespace qshell
