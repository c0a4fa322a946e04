#pragma once

#include <QPainterPath>

#include <optional>

namespace qtk {

// The path a chart layer strokes: nothing for a path without elements; otherwise a copy whose
// last sub-path is closed when it ended on a drawn segment.
std::optional<QPainterPath> CGPath(const QPainterPath& path);

// The part of `path` a stroke ending at `fraction` (0..1) of its whole length covers.
QPainterPath strokedPortion(const QPainterPath& path, double fraction);

// `from` morphed towards `to` by `t` (0..1) point by point; paths of different shapes jump to
// `to`.
QPainterPath interpolatedPath(const QPainterPath& from, const QPainterPath& to, double t);

} // namespace qtk
