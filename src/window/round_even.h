#pragma once

#include <cmath>

namespace window {

// To the nearest whole number, halves to the even neighbour (the default rounding mode
// of the floating-point environment, which the program never changes).
inline double round_even(double v) { return std::nearbyint(v); }

}  // namespace window
