#pragma once

#include "platform/core/SystemVersion.h"
#include "platform/ui/FramelessMainWindow.h"
#include "platform/ui/Geometry.h"

#include <array>
#include <memory>
#include <string_view>

class QAbstractButton;

namespace qtk {

class KLWindowButton;
class WindowDelegate;

// The application's main window as the shell sees it. Which concrete window it gets depends
// on the system: with the visual-effect view a WAYDefensiveWindow (the standard title bar made
// taller), else a KLAppStoreWindow (a title bar drawn by itself). Both answer the title-bar
// operations below. Frames are bottom-left, in points, relative to the screen.
class WAYAppStoreWindow : public qui::FramelessMainWindow {
    Q_OBJECT
public:
    enum StyleMask : unsigned {
        BorderlessWindowMask = 0,
        TitledWindowMask = 1,
        ClosableWindowMask = 2,
        MiniaturizableWindowMask = 4,
        ResizableWindowMask = 8,
        FullScreenWindowMask = 1u << 14,
        FullSizeContentViewWindowMask = 0x8000,
    };
    enum class StandardButton { Close = 0, Miniaturize = 1, Zoom = 2 };

    // Height of the title bar the system gives a titled window.
    static constexpr double kSystemTitleBarHeight = 22;
    // Size and first place of the system's window buttons in that bar.
    static constexpr double kStandardButtonSize = 14;
    static constexpr double kStandardButtonX = 7;
    static constexpr double kStandardButtonGap = 6;

    // Decided once per process from the first profile asked about.
    static bool isYosemiteOrGreater(const qcore::SystemVersion& profile);
    static bool isYosemiteOrGreater() {
        return isYosemiteOrGreater(qcore::SystemVersion::current());
    }
    static void resetClassChoiceForTesting();

    // The main window for the system: WAYDefensiveWindow or KLAppStoreWindow.
    static std::unique_ptr<WAYAppStoreWindow> create(const qcore::SystemVersion& profile);
    static std::unique_ptr<WAYAppStoreWindow> create() {
        return create(qcore::SystemVersion::current());
    }

    ~WAYAppStoreWindow() override;

    virtual void setTitleBarHeight(double height) = 0;
    virtual double titleBarHeight() const = 0;
    virtual void setCenterTrafficLightButtons(bool center) = 0;
    virtual bool centerTrafficLightButtons() const = 0;
    virtual void setTrafficLightButtonsLeftMargin(double margin) = 0;
    virtual double trafficLightButtonsLeftMargin() const = 0;
    virtual void setTrafficLightButtonsTopMargin(double margin) = 0;
    virtual double trafficLightButtonsTopMargin() const = 0;
    // The view the shell adds its header, logo and window buttons to.
    virtual QWidget* titleBarView() const = 0;
    virtual void setDelegate(WindowDelegate* delegate) = 0;
    virtual WindowDelegate* delegate() const = 0;

    // Only the self-drawn title bar takes user buttons; on other windows these are
    // unrecognised operations (see resolveOperation).
    virtual void setCloseButton(KLWindowButton* button);
    virtual void setMinimizeButton(KLWindowButton* button);
    virtual void setZoomButton(KLWindowButton* button);
    virtual void setFullScreenButton(KLWindowButton* button);

    virtual void setFrame(const qui::PointRect& frame, bool display);
    qui::PointRect frame() const { return qui::frameOf(this); }
    // Shows the window in front of the others.
    virtual void orderFront();
    // Restores a frame saved with saveGeometry(); false when the data is unusable.
    virtual bool restoreState(const QByteArray& state);

    QAbstractButton* standardWindowButton(StandardButton kind) const;
    unsigned styleMask() const { return styleMask_; }
    virtual void setStyleMask(unsigned mask) { styleMask_ = mask; }
    bool isFullScreenWindow() const { return (styleMask_ & FullScreenWindowMask) != 0; }
    const qcore::SystemVersion& systemVersion() const { return profile_; }

    // Where a sheet opening on this window goes: the delegate's answer, else `rect`.
    qui::PointRect positionForSheet(QWidget* sheet, const qui::PointRect& rect);

protected:
    explicit WAYAppStoreWindow(const qcore::SystemVersion& profile);

    // Makes the close, miniaturize and zoom buttons in `parent` at the places the system gives
    // them in its title bar at the top of `parent`.
    void createStandardButtons(QWidget* parent);
    const std::array<QAbstractButton*, 3>& standardButtonList() const { return standardButtons_; }
    // Gives the bar and the content their places now, even before the window is shown.
    void syncBarGeometry();

    // The delegate events go to: the user's, a proxy, or the window itself.
    WindowDelegate* baseDelegate() const { return baseDelegate_; }
    void setBaseDelegate(WindowDelegate* delegate) { baseDelegate_ = delegate; }

    // The window's own reactions, run before its delegate hears of the event.
    virtual void windowResized() {}
    virtual void windowMoved() {}
    virtual void keyStateChanged(bool /*key*/) {}
    virtual void fullScreenWillChange(bool /*entering*/) {}
    virtual void fullScreenDidChange(bool /*entered*/) {}

    // Called for an operation that this class does not implement; answering true makes
    // performResolvedOperation run in its place, false leaves it unrecognised.
    virtual bool resolveOperation(std::string_view selector);
    virtual void performResolvedOperation(std::string_view selector);

    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void unrecognizedOperation(std::string_view selector);

    qcore::SystemVersion profile_;
    unsigned styleMask_ =
        TitledWindowMask | ClosableWindowMask | MiniaturizableWindowMask | ResizableWindowMask;
    std::array<QAbstractButton*, 3> standardButtons_{};
    WindowDelegate* baseDelegate_ = nullptr;
};

} // namespace qtk
