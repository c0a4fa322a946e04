#pragma once

#include "toolkit/KLAppStoreWindowDelegateProxy.h"
#include "toolkit/WAYAppStoreWindow.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

class QPainter;

namespace qtk {

class KLTitlebarContainer;
class KLWindowButton;

// Shadow under the title text; offset in points, y up.
struct TitleTextShadow {
    QColor color;
    QPointF offset;
    double blurRadius = 0;
};

// The window with a title bar of its own: a container at the top holding a view that paints
// a rounded gradient with a baseline, a faint noise and the title. The system's window buttons
// are placed inside that bar, the content ends below it, and dragging the bar moves the
// window. Geometry is in points, bottom-left.
class KLAppStoreWindow : public WAYAppStoreWindow {
    Q_OBJECT
public:
    // Paints the bar in place of the gradient; the painter's y axis points up.
    using TitleBarDrawingBlock =
        std::function<void(QPainter& painter, bool drawsAsMainWindow,
                           const qui::PointRect& drawingRect, const QPainterPath& clippingPath)>;

    explicit KLAppStoreWindow(
        const qcore::SystemVersion& profile = qcore::SystemVersion::current());
    ~KLAppStoreWindow() override;

    // Whether instances answer the operation of that name ("setCloseButton:").
    static bool instancesRespondTo(std::string_view selector);
    // Measured once per process (0 until then).
    static double minimumTitleBarHeight();
    static double defaultSeparation();

    // Places of the close, miniaturize and zoom buttons in container frame `bar`.
    struct TrafficLightLayout {
        double leftMargin = 0;
        double topMargin = 0;
        double separation = 0;
        bool centred = true;
        bool vertical = false;
    };
    static std::array<qui::PointRect, 3> trafficLightFrames(const qui::PointRect& bar,
                                                            const std::array<QSizeF, 3>& sizes,
                                                            const TrafficLightLayout& layout);

    void setTitleBarHeight(double height) override;
    double titleBarHeight() const override { return titleBarHeight_; }
    double cachedTitleBarHeight() const { return cachedTitleBarHeight_; }
    void setCenterTrafficLightButtons(bool center) override;
    bool centerTrafficLightButtons() const override { return centerTrafficLightButtons_; }
    void setTrafficLightButtonsLeftMargin(double margin) override;
    double trafficLightButtonsLeftMargin() const override { return trafficLightButtonsLeftMargin_; }
    // Takes effect at the next layout.
    void setTrafficLightButtonsTopMargin(double margin) override {
        trafficLightButtonsTopMargin_ = margin;
    }
    double trafficLightButtonsTopMargin() const override { return trafficLightButtonsTopMargin_; }
    QWidget* titleBarView() const override { return titleBarView_; }
    // The new view is owned by the window; the old one is deleted.
    void setTitleBarView(QWidget* view);
    KLTitlebarContainer* titleBarContainer() const { return titleBarContainer_; }
    void setDelegate(WindowDelegate* delegate) override;
    WindowDelegate* delegate() const override { return delegateProxy_->secondaryDelegate(); }
    KLAppStoreWindowDelegateProxy* delegateProxy() const { return delegateProxy_.get(); }

    // Accepted and ignored: the system buttons stay in place beside the shell's own.
    void setCloseButton(KLWindowButton* button) override;
    void setMinimizeButton(KLWindowButton* button) override;
    void setZoomButton(KLWindowButton* button) override;
    void setFullScreenButton(KLWindowButton* button) override;
    KLWindowButton* closeButton() const { return closeButton_; }
    KLWindowButton* minimizeButton() const { return minimizeButton_; }
    KLWindowButton* zoomButton() const { return zoomButton_; }
    KLWindowButton* fullScreenButton() const { return fullScreenButton_; }

    void setVerticalTrafficLightButtons(bool vertical);
    bool verticalTrafficLightButtons() const { return verticalTrafficLightButtons_; }
    void setTrafficLightSeparation(double separation);
    double trafficLightSeparation() const { return trafficLightSeparation_; }
    void setFullScreenButtonRightMargin(double margin);
    double fullScreenButtonRightMargin() const { return fullScreenButtonRightMargin_; }
    void setFullScreenButtonTopMargin(double margin) { fullScreenButtonTopMargin_ = margin; }
    double fullScreenButtonTopMargin() const { return fullScreenButtonTopMargin_; }
    void setCenterFullScreenButton(bool center);
    bool centerFullScreenButton() const { return centerFullScreenButton_; }
    void setShowsTitle(bool shows);
    bool showsTitle() const { return showsTitle_; }
    void setShowsTitleInFullscreen(bool shows) { showsTitleInFullscreen_ = shows; }
    bool showsTitleInFullscreen() const { return showsTitleInFullscreen_; }
    void setVerticallyCenterTitle(bool center);
    bool verticallyCenterTitle() const { return verticallyCenterTitle_; }
    void setShowsBaselineSeparator(bool shows);
    bool showsBaselineSeparator() const { return showsBaselineSeparator_; }
    void setHideTitleBarInFullScreen(bool hide) { hideTitleBarInFullScreen_ = hide; }
    bool hideTitleBarInFullScreen() const { return hideTitleBarInFullScreen_; }

    // Colours; an invalid colour means the default for the system.
    void setTitleBarStartColor(const QColor& c) { titleBarStartColor_ = c; }
    QColor titleBarStartColor() const { return titleBarStartColor_; }
    void setTitleBarEndColor(const QColor& c) { titleBarEndColor_ = c; }
    QColor titleBarEndColor() const { return titleBarEndColor_; }
    void setBaselineSeparatorColor(const QColor& c) { baselineSeparatorColor_ = c; }
    QColor baselineSeparatorColor() const { return baselineSeparatorColor_; }
    void setTitleTextColor(const QColor& c) { titleTextColor_ = c; }
    QColor titleTextColor() const { return titleTextColor_; }
    void setTitleTextShadow(std::optional<TitleTextShadow> s) { titleTextShadow_ = std::move(s); }
    const std::optional<TitleTextShadow>& titleTextShadow() const { return titleTextShadow_; }
    void setInactiveTitleBarStartColor(const QColor& c) { inactiveTitleBarStartColor_ = c; }
    QColor inactiveTitleBarStartColor() const { return inactiveTitleBarStartColor_; }
    void setInactiveTitleBarEndColor(const QColor& c) { inactiveTitleBarEndColor_ = c; }
    QColor inactiveTitleBarEndColor() const { return inactiveTitleBarEndColor_; }
    void setInactiveBaselineSeparatorColor(const QColor& c) { inactiveBaselineSeparatorColor_ = c; }
    QColor inactiveBaselineSeparatorColor() const { return inactiveBaselineSeparatorColor_; }
    void setInactiveTitleTextColor(const QColor& c) { inactiveTitleTextColor_ = c; }
    QColor inactiveTitleTextColor() const { return inactiveTitleTextColor_; }
    void setInactiveTitleTextShadow(std::optional<TitleTextShadow> s) {
        inactiveTitleTextShadow_ = std::move(s);
    }
    const std::optional<TitleTextShadow>& inactiveTitleTextShadow() const {
        return inactiveTitleTextShadow_;
    }
    void setTitleFont(std::optional<QFont> font) { titleFont_ = std::move(font); }
    const std::optional<QFont>& titleFont() const { return titleFont_; }
    void setTitleBarDrawingBlock(TitleBarDrawingBlock block) {
        titleBarDrawingBlock_ = std::move(block);
    }
    const TitleBarDrawingBlock& titleBarDrawingBlock() const { return titleBarDrawingBlock_; }

    // The bar paints as main, and its controls are enabled, only in the active window.
    bool drawsAsMainWindow() const;

    void setFrame(const qui::PointRect& frame, bool display) override;
    void setStyleMask(unsigned mask) override;

    // Lays out the buttons, the container and the content again.
    void layoutTrafficLightsAndContent();
    // Repaints the bar and enables its controls by the window's state.
    void updateTitlebarView();

protected:
    void windowResized() override;
    void windowMoved() override;
    void keyStateChanged(bool key) override;
    void fullScreenWillChange(bool entering) override;
    void fullScreenDidChange(bool entered) override;
    void changeEvent(QEvent* event) override;

private:
    void doInitialWindowSetup();
    void createTitlebarView();
    qui::PointRect titleBarContainerFrame() const;
    void repositionContentView();
    void setupTrafficLightsTrackingArea();
    QWidget* windowButtonToLayout(StandardButton kind, KLWindowButton* userButton);
    bool hasModernAppKit() const;

    double cachedTitleBarHeight_ = 0;
    bool fullScreenButtonRightMarginSet_ = false;
    bool preventWindowFrameChange_ = false;
    std::unique_ptr<KLAppStoreWindowDelegateProxy> delegateProxy_;
    KLTitlebarContainer* titleBarContainer_ = nullptr;
    QPointer<QWidget> titleBarView_;
    double titleBarHeight_ = 0;
    bool hideTitleBarInFullScreen_ = false;
    bool centerFullScreenButton_ = false;
    bool centerTrafficLightButtons_ = false;
    bool verticallyCenterTitle_ = false;
    double trafficLightButtonsTopMargin_ = 0;
    bool verticalTrafficLightButtons_ = false;
    bool showsBaselineSeparator_ = false;
    double fullScreenButtonRightMargin_ = 0;
    double fullScreenButtonTopMargin_ = 0;
    double trafficLightSeparation_ = 0;
    double trafficLightButtonsLeftMargin_ = 0;
    QColor titleBarStartColor_;
    QColor titleBarEndColor_;
    QColor baselineSeparatorColor_;
    QColor titleTextColor_;
    std::optional<TitleTextShadow> titleTextShadow_;
    QColor inactiveTitleBarStartColor_;
    QColor inactiveTitleBarEndColor_;
    QColor inactiveBaselineSeparatorColor_;
    QColor inactiveTitleTextColor_;
    std::optional<TitleTextShadow> inactiveTitleTextShadow_;
    KLWindowButton* closeButton_ = nullptr;
    KLWindowButton* minimizeButton_ = nullptr;
    KLWindowButton* zoomButton_ = nullptr;
    KLWindowButton* fullScreenButton_ = nullptr;
    TitleBarDrawingBlock titleBarDrawingBlock_;
    bool showsTitle_ = false;
    bool showsTitleInFullscreen_ = false;
    std::optional<QFont> titleFont_;
};

} // namespace qtk
