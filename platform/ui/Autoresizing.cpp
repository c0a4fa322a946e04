#include "platform/ui/Autoresizing.h"

#include <QEvent>
#include <QWidget>

#include <cmath>

namespace qui {

namespace {

constexpr const char* kObjectName = "qui_autoresizing";

bool has(unsigned mask, Resizing flag) {
    return (mask & static_cast<unsigned>(flag)) != 0;
}

QRect roundedRect(const QRectF& r) {
    const int left = static_cast<int>(std::lround(r.left()));
    const int top = static_cast<int>(std::lround(r.top()));
    const int right = static_cast<int>(std::lround(r.left() + r.width()));
    const int bottom = static_cast<int>(std::lround(r.top() + r.height()));
    return {left, top, right - left, bottom - top};
}

} // namespace

void Autoresizing::apply(QWidget* child, unsigned mask) {
    if (!child || !child->parentWidget()) return;
    if (auto* existing = child->findChild<Autoresizing*>(kObjectName, Qt::FindDirectChildrenOnly)) {
        existing->mask_ = mask; // a mask of 0 leaves an idle filter, which is harmless
        return;
    }
    if (mask != 0) new Autoresizing(child, mask); // parented to the child
}

unsigned Autoresizing::maskOf(const QWidget* child) {
    if (!child) return 0;
    const auto* a = child->findChild<Autoresizing*>(kObjectName, Qt::FindDirectChildrenOnly);
    return a ? a->mask_ : 0;
}

Autoresizing::Autoresizing(QWidget* child, unsigned mask)
    : QObject(child), child_(child), mask_(mask), parentSize_(child->parentWidget()->size()),
      frame_(child->geometry()), placed_(child->geometry()) {
    setObjectName(kObjectName);
    child->parentWidget()->installEventFilter(this);
}

std::array<double, 2> Autoresizing::resizeAxis(double lead, double size, double trail, double delta,
                                               std::array<bool, 3> flex) {
    const std::array<double, 3> parts{lead, size, trail};
    double total = 0;
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        if (!flex[i]) continue;
        total += std::max(parts[i], 0.0);
        ++count;
    }
    if (count == 0) return {lead, size};
    auto share = [&](int i) {
        if (!flex[i]) return 0.0;
        return total > 0 ? delta * std::max(parts[i], 0.0) / total : delta / count;
    };
    return {lead + share(0), std::max(0.0, size + share(1))};
}

void Autoresizing::follow(QSize newParentSize) {
    if (child_->geometry() != placed_) frame_ = child_->geometry();
    const double dw = newParentSize.width() - parentSize_.width();
    const double dh = newParentSize.height() - parentSize_.height();
    parentSize_ = newParentSize;
    if (dw == 0 && dh == 0) return;

    const double oldW = newParentSize.width() - dw;
    const double oldH = newParentSize.height() - dh;
    const auto [x, w] =
        resizeAxis(frame_.x(), frame_.width(), oldW - frame_.x() - frame_.width(), dw,
                   {has(mask_, Resizing::FlexibleLeftMargin), has(mask_, Resizing::FlexibleWidth),
                    has(mask_, Resizing::FlexibleRightMargin)});
    // Qt's y runs down, so the top margin leads on this axis.
    const auto [y, h] =
        resizeAxis(frame_.y(), frame_.height(), oldH - frame_.y() - frame_.height(), dh,
                   {has(mask_, Resizing::FlexibleTopMargin), has(mask_, Resizing::FlexibleHeight),
                    has(mask_, Resizing::FlexibleBottomMargin)});
    frame_ = QRectF(x, y, w, h);
    placed_ = roundedRect(frame_);
    child_->setGeometry(placed_);
}

bool Autoresizing::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == child_->parentWidget())
        follow(child_->parentWidget()->size());
    return QObject::eventFilter(watched, event);
}

} // namespace qui
