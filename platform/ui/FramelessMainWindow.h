#pragma once

#include <QEvent>
#include <QRect>
#include <QWidget>

#include <functional>

class QSizeGrip;
class QVBoxLayout;

namespace qui {

class TitleBar;

// A top-level window without the desktop's decorations: our own title bar of a given height
// on top (views go into titleBarView(), placed by frame) and the content area below. The
// window buttons drawn by the toolkit call the perform* slots.
class FramelessMainWindow : public QWidget {
    Q_OBJECT
public:
    // Answers whether a close asked for by the user may go ahead; false keeps the window
    // (the caller may hide it instead).
    using CloseHandler = std::function<bool()>;

    explicit FramelessMainWindow(QWidget* parent = nullptr);
    ~FramelessMainWindow() override;

    void setTitleBarHeight(int height);
    int titleBarHeight() const;
    QWidget* titleBarView() const;
    QWidget* contentView() const { return content_; }
    // Fills the content area with `widget` (reparented), replacing the previous one.
    void setContentWidget(QWidget* widget);
    QWidget* contentWidget() const { return contentWidget_; }

    // Only closes the user asks for (our close button, the desktop's close) consult the
    // handler; close() from code and closing at quit always go through.
    void setCloseHandler(CloseHandler handler) { closeHandler_ = std::move(handler); }

    // A grip in the bottom-right corner, since there is no frame to drag.
    void setResizable(bool resizable);

    // Zoomed: the window fills its screen's available area (never under the desktop's
    // panels). Zooming again restores the frame it had before.
    bool isZoomed() const;
    // The event the window sends itself when a resize by its grip ends; views that keep state
    // over a live resize watch their window for it.
    static QEvent::Type liveResizeEndedEventType();

public slots:
    void performClose();
    void performMiniaturize();
    void performZoom();

signals:
    // The window became or stopped being the active (key) window.
    void activeChanged(bool active);
    void willMiniaturize();
    void didMiniaturize();
    void didDeminiaturize();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeSizeGrip();
    QRect availableArea() const;

    TitleBar* titleBar_;
    QWidget* content_;
    QVBoxLayout* contentLayout_;
    QWidget* contentWidget_ = nullptr;
    QSizeGrip* sizeGrip_;
    CloseHandler closeHandler_;
    bool closeFromButton_ = false;
    bool minimized_ = false;
    QRect unzoomedGeometry_;
};

} // namespace qui
