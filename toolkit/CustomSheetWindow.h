#pragma once

#include "platform/core/SystemVersion.h"
#include "platform/ui/Geometry.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace qui {
class SheetOverlay;
}

namespace qtk {

// A sheet shown inside a window: a not-opaque, shadowless box without a title bar from 10.10
// on, which keeps key focus. beginSheet() puts it over the window's content area, runModal()
// runs it in a nested loop until endSheet(), after which it returns to its former parent.
// The sheet itself is its content view.
class CustomSheetWindow : public QWidget {
    Q_OBJECT
public:
    enum StyleMask : unsigned { BorderlessWindowMask = 0, TitledWindowMask = 1 };
    // Posted on the default centre, with the window the sheet ended on as object.
    static constexpr const char* kWindowDidEndSheetNotification = "WindowDidEndSheetNotification";

    // `styleMask` is not used: the sheet is titled before 10.10 and borderless from then on.
    explicit CustomSheetWindow(
        const qui::PointRect& contentRect, unsigned styleMask = TitledWindowMask,
        const qcore::SystemVersion& profile = qcore::SystemVersion::current(),
        QWidget* parent = nullptr);
    ~CustomSheetWindow() override;

    // 10.10 and later. From 11 on, the system still reports itself as 10.16 to this question.
    static bool isYosemite(const qcore::SystemVersion& profile);
    bool isYosemite() const { return isYosemite(profile_); }
    bool canBecomeKeyWindow() const { return true; }

    unsigned styleMask() const { return styleMask_; }
    void setStyleMask(unsigned mask);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque);
    bool hasShadow() const { return hasShadow_; }
    void setHasShadow(bool shadow) { hasShadow_ = shadow; }
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& colour);

    QWidget* contentView() { return this; }
    QSizeF contentSize() const { return QSizeF(size()); }
    void setContentSize(const QSizeF& size);
    void setContentMinSize(const QSizeF& size);
    void setContentMaxSize(const QSizeF& size);

    // Attaches the sheet over `window`'s content area (the whole window when it has none).
    void beginSheet(QWidget* window);
    // Shows the attached sheet and returns the code given to endSheet().
    int runModal();
    // Stops the modal run, orders the sheet out and ends it on its window.
    void endSheet(int returnCode);
    void orderOut();
    QWidget* sheetParent() const { return attachedWindow_; }
    bool isRunning() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Leaves the overlay: the sheet goes back to its former parent, hidden.
    void detach();

    qcore::SystemVersion profile_;
    unsigned styleMask_ = TitledWindowMask;
    bool opaque_ = true;
    bool hasShadow_ = true;
    QColor backgroundColor_;
    QPointer<QWidget> attachedWindow_;
    QPointer<QWidget> homeParent_;
    QPointer<qui::SheetOverlay> overlay_;
};

} // namespace qtk
