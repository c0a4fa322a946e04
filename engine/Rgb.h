#pragma once

namespace qengine {

// A calibrated RGB colour with components from 0 to 1.
struct Rgb {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1.0;

    bool operator==(const Rgb&) const = default;
};

} // namespace qengine
