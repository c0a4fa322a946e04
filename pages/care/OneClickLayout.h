#pragma once

#include "platform/ui/Geometry.h"

#include <array>
#include <cstddef>

namespace qpages {

// The frames of the dashboard's four module boxes and its details box, in bottom-left points:
// the home stack under the title strip, and the details layout in which the chosen box takes
// the top slot, the other three leave by the left edge and the details box fills the space
// between the top slot and the footer.
class OneClickLayout {
public:
    static constexpr std::size_t kBoxes = 4;
    using Boxes = std::array<qui::PointRect, kBoxes>;

    // The boxes stacked downwards from the title strip `title`, at x 0 with `width`, keeping
    // their heights.
    static Boxes stacked(const qui::PointRect& title, const Boxes& boxes, double width);

    // Opening the details of the box at `index` (0 to 3): the current frames become the home
    // frames and the targets are computed.
    void open(std::size_t index, const Boxes& current, const qui::PointRect& details,
              const qui::PointRect& title, double viewWidth, double footerHeight);
    // Back home: the details box parks below the view; the boxes stack under the title.
    void restore(const Boxes& current, const qui::PointRect& details, const qui::PointRect& title);
    // A resize while the details are shown: the boxes that left by the left edge follow the
    // new width; answers which did.
    std::array<bool, kBoxes> followWidthOffscreen(double viewWidth);
    // A resize: the home frames stack under the title strip with the view's new width.
    void rehome(const Boxes& current, const qui::PointRect& title, double viewWidth) {
        home_ = stacked(title, current, viewWidth);
    }
    // A resize in the home layout: the details box's parked frame for the new size.
    void parkDetails(const qui::PointRect& title, double viewWidth, double footerHeight);

    // The frame that hides the details box below the view.
    static qui::PointRect parked(const qui::PointRect& details);

    const Boxes& home() const { return home_; }
    const Boxes& target() const { return target_; }
    const qui::PointRect& detailsHome() const { return detailsHome_; }
    const qui::PointRect& detailsTarget() const { return detailsTarget_; }
    void setDetailsHome(const qui::PointRect& frame) { detailsHome_ = frame; }
    void setDetailsTarget(const qui::PointRect& frame) { detailsTarget_ = frame; }

private:
    static double detailsHeight(const qui::PointRect& title, double topBoxHeight,
                                double footerHeight) {
        return title.y - topBoxHeight - footerHeight;
    }

    Boxes home_{};
    Boxes target_{};
    qui::PointRect detailsHome_{};
    qui::PointRect detailsTarget_{};
};

} // namespace qpages
