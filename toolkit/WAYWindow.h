#pragma once

#include "toolkit/WAYAppStoreWindow.h"
#include "toolkit/WAYWindowDelegateProxy.h"
#include "toolkit/WindowDelegate.h"

#include <memory>
#include <string_view>

namespace qtk {

// The window with the standard title bar made taller: the content reaches up under the bar,
// the title is hidden, and the system's close, miniaturize and zoom buttons are placed again
// after every change of size. The bar grows by an empty accessory view below the system's
// own 22 points.
class WAYWindow : public WAYAppStoreWindow, public WindowDelegate {
    Q_OBJECT
public:
    explicit WAYWindow(const qcore::SystemVersion& profile = qcore::SystemVersion::current());
    ~WAYWindow() override;

    // Whether instances answer the operation of that name ("setTitleBarHeight:").
    static bool instancesRespondTo(std::string_view selector);

    static float defaultTitleBarHeight();
    // Measured from the close button by every window's set-up; the latest measure wins.
    static float defaultTrafficLightButtonsLeftMargin();
    static float defaultTrafficLightButtonsTopMargin();

    void setTitleBarHeight(double height) override;
    double titleBarHeight() const override { return titleBarHeight_; }
    void setCenterTrafficLightButtons(bool center) override;
    bool centerTrafficLightButtons() const override { return centerTrafficLightButtons_; }
    // The margins take effect at the next layout.
    void setTrafficLightButtonsLeftMargin(double margin) override { leftMargin_ = margin; }
    double trafficLightButtonsLeftMargin() const override { return leftMargin_; }
    void setTrafficLightButtonsTopMargin(double margin) override { topMargin_ = margin; }
    double trafficLightButtonsTopMargin() const override { return topMargin_; }
    // The bar the standard buttons sit in.
    QWidget* titleBarView() const override;
    void setDelegate(WindowDelegate* delegate) override;
    WindowDelegate* delegate() const override { return delegateProxy_->secondaryDelegate(); }

    void setHidesTitle(bool hides);
    bool hidesTitle() const { return hidesTitle_; }
    // 1 hidden, 0 visible.
    int titleVisibility() const { return hidesTitle_ ? 1 : 0; }

    void setFrame(const qui::PointRect& frame, bool display) override;
    void orderFront() override;
    bool restoreState(const QByteArray& state) override;

    // The window answers this itself, before any delegate set with setDelegate().
    void windowDidResize(WAYAppStoreWindow& window) override;

    WAYWindowDelegateProxy* delegateProxy() const { return delegateProxy_.get(); }
    const std::array<QAbstractButton*, 3>& standardButtons() const { return standardButtonList(); }
    // The empty view that makes the bar taller; null before the first setTitleBarHeight().
    QWidget* titlebarAccessoryView() const { return accessoryView_.get(); }
    double titlebarAccessoryFullScreenMinimumHeight() const { return accessoryFullScreenHeight_; }

    // One button's place: index i from the left in a bar `barHeight` high.
    static qui::PointRect buttonFrame(int index, QSizeF buttonSize, double barHeight,
                                      double leftMargin, double topMargin, bool centred);

protected:
    // Lays the standard buttons out again.
    void setNeedsLayout();

private:
    void setUp();
    void replaceTitlebarAccessory(double height);

    bool centerTrafficLightButtons_ = false;
    bool hidesTitle_ = false;
    double titleBarHeight_ = 0;
    double leftMargin_ = 0;
    double topMargin_ = 0;
    std::unique_ptr<WAYWindowDelegateProxy> delegateProxy_;
    // Owned here, parented to the bar for painting; freed before the bar is.
    std::unique_ptr<QWidget> accessoryView_;
    double accessoryFullScreenHeight_ = 0;
};

} // namespace qtk
