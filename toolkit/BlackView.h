#pragma once

#include <QWidget>

#include <cstdint>

namespace qtk {

// The dark translucent layer a sheet's box sits on: paints 70 % black over whatever lies
// behind. Its tag marks it as the overlay so a later run of the sheet can find and replace it.
class BlackView : public QWidget {
    Q_OBJECT
public:
    static constexpr std::int64_t kOverlayTag = 1551;
    static constexpr double kAlpha = 0.7;

    explicit BlackView(QWidget* parent = nullptr);

    // Also the widget's "tag" property, where the layout table looks tags up.
    std::int64_t tTag() const { return tTag_; }
    void setTTag(std::int64_t tag);

    // The first direct child of `contentView` that is a BlackView tagged as the overlay.
    static BlackView* findOverlay(const QWidget* contentView);
    // Takes that overlay out of `contentView`; what it held stays, moved to `contentView`.
    // False when there was none.
    static bool removeOverlay(QWidget* contentView);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::int64_t tTag_ = 0;
};

} // namespace qtk
