#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

#include <array>

class QWidget;

namespace qui {

// Springs and struts for widgets placed by absolute frames. The values are bit for bit the
// numbers our layouts give (10 = flexible width and flexible bottom margin, i.e. the widget
// keeps its top edge). "Min Y" is the bottom margin: frames are measured from the bottom.
enum class Resizing : unsigned {
    None = 0,
    FlexibleLeftMargin = 1,
    FlexibleWidth = 2,
    FlexibleRightMargin = 4,
    FlexibleBottomMargin = 8,
    FlexibleHeight = 16,
    FlexibleTopMargin = 32,
};

// Follows the parent's resizes and moves/resizes one child by its mask: the change in the
// parent's size is shared among the flexible parts of each axis in proportion to their sizes.
// Owned by the child; setting a new mask replaces the old one.
class Autoresizing : public QObject {
    Q_OBJECT
public:
    static void apply(QWidget* child, unsigned mask);
    static void apply(QWidget* child, Resizing mask) { apply(child, static_cast<unsigned>(mask)); }
    static unsigned maskOf(const QWidget* child);

    // One axis: the two margins and the size, resized by `delta`; returns {lead, size}.
    // Exposed for tests; `flex` holds lead-margin, size and trail-margin flags.
    static std::array<double, 2> resizeAxis(double lead, double size, double trail, double delta,
                                            std::array<bool, 3> flex);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Autoresizing(QWidget* child, unsigned mask);
    void follow(QSize newParentSize);

    QWidget* child_;
    unsigned mask_;
    QSize parentSize_;
    QRectF frame_; // kept fractional so repeated resizes do not drift
    QRect placed_; // what we last set; anything else means the child was moved by hand
};

} // namespace qui
