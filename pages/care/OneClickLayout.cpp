#include "pages/care/OneClickLayout.h"

namespace qpages {

OneClickLayout::Boxes OneClickLayout::stacked(const qui::PointRect& title, const Boxes& boxes,
                                              double width) {
    Boxes out{};
    double top = title.y;
    for (std::size_t i = 0; i < kBoxes; ++i) {
        out[i] = {0, top - boxes[i].height, width, boxes[i].height};
        top = out[i].y;
    }
    return out;
}

qui::PointRect OneClickLayout::parked(const qui::PointRect& details) {
    auto frame = details;
    frame.y = -frame.height;
    return frame;
}

void OneClickLayout::open(std::size_t index, const Boxes& current, const qui::PointRect& details,
                          const qui::PointRect& title, double viewWidth, double footerHeight) {
    home_ = current;
    detailsHome_ = details;
    detailsHome_.height = detailsHeight(title, home_[0].height, footerHeight);
    detailsHome_.width = viewWidth;
    target_ = home_;
    for (std::size_t i = 0; i < kBoxes; ++i)
        if (i != index) target_[i].x = -target_[i].width;
    target_[index].y = home_[0].y;
    detailsTarget_ = detailsHome_;
    detailsTarget_.y = footerHeight;
}

void OneClickLayout::restore(const Boxes& current, const qui::PointRect& details,
                             const qui::PointRect& title) {
    detailsHome_ = parked(details);
    home_ = stacked(title, current, title.width);
}

std::array<bool, OneClickLayout::kBoxes> OneClickLayout::followWidthOffscreen(double viewWidth) {
    std::array<bool, kBoxes> moved{};
    for (std::size_t i = 0; i < kBoxes; ++i) {
        if (target_[i].x >= 0) continue;
        target_[i] = {-viewWidth, home_[i].y, viewWidth, target_[i].height};
        moved[i] = true;
    }
    return moved;
}

void OneClickLayout::parkDetails(const qui::PointRect& title, double viewWidth,
                                 double footerHeight) {
    detailsTarget_.height = detailsHeight(title, home_[0].height, footerHeight);
    detailsTarget_.y = -detailsTarget_.height;
    detailsHome_.width = viewWidth;
}

} // namespace qpages
