#pragma once

#include "platform/core/NotificationCenter.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>

namespace qtk {

class KLWindowButtonGroup;

// A borderless window button drawn from five images: active, active in a window that is not
// key, inactive (disabled), pressed and roll-over. Buttons of one group roll over together
// while the mouse is within 4 points of any of them. Images set later show from the next state
// change on (key change, enabling, roll-over, entering a window).
class KLWindowButton : public QAbstractButton {
    Q_OBJECT
public:
    // How far around the bounds the mouse still counts as over the button.
    static constexpr int kTrackingOutset = 4;

    static KLWindowButton* windowButtonWithSize(QSize size, const QString& groupIdentifier = {},
                                                QWidget* parent = nullptr);
    explicit KLWindowButton(QSize size, const QString& groupIdentifier = {},
                            QWidget* parent = nullptr);
    ~KLWindowButton() override;

    // Empty for the default group.
    const QString& groupIdentifier() const { return groupIdentifier_; }
    KLWindowButtonGroup& group() const;

    const QPixmap& activeImage() const { return activeImage_; }
    void setActiveImage(const QPixmap& image) { activeImage_ = image; }
    const QPixmap& activeNotKeyWindowImage() const { return activeNotKeyWindowImage_; }
    void setActiveNotKeyWindowImage(const QPixmap& image) { activeNotKeyWindowImage_ = image; }
    const QPixmap& inactiveImage() const { return inactiveImage_; }
    void setInactiveImage(const QPixmap& image) { inactiveImage_ = image; }
    const QPixmap& rolloverImage() const { return rolloverImage_; }
    void setRolloverImage(const QPixmap& image) { rolloverImage_ = image; }
    // Shown while the mouse is held down on the button.
    const QPixmap& pressedImage() const { return pressedImage_; }
    void setPressedImage(const QPixmap& image) { pressedImage_ = image; }

    // The image the button shows when not pressed (a copy shares the pixmap's data).
    const QPixmap& image() const { return image_; }

    // Every call, changed or not, shows the active or inactive image.
    void setEnabled(bool enabled);

    void updateImage();
    void updateActiveImage();
    void updateRollOverImage();

    // The area, in the parent's coordinates, within which the mouse counts as over the button.
    QRect trackingArea() const { return trackingArea_; }
    void updateTrackingAreas();
    bool isMouseInside() const { return mouseInside_; }

    void mouseEntered();
    void mouseExited();
    void viewDidEndLiveResize();

    void windowDidChangeFocus() { updateImage(); }
    void windowDidMiniaturize();
    void windowWillEnterFullScreen();
    void windowWillExitFullScreen();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool isInKeyWindow() const;
    QWidget* hostWindow() const;
    void viewWillMoveToWindow();
    void viewDidMoveToWindow();
    void trackParent();
    void setMouseInside(bool inside);
    void display(const QPixmap& image);
    void windowButtonGroupDidUpdateRolloverState();

    QString groupIdentifier_;
    QPixmap activeImage_;
    QPixmap activeNotKeyWindowImage_;
    QPixmap inactiveImage_;
    QPixmap rolloverImage_;
    QPixmap pressedImage_;
    QPixmap image_;
    QRect trackingArea_;
    bool mouseInside_ = false;
    QPointer<QWidget> observedWindow_;
    QPointer<QWidget> trackedParent_;
    qcore::NotificationCenter::ObserverId groupObserver_ = 0;
};

} // namespace qtk
