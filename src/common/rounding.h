// Rounding to a whole number as VB does it: to the nearest, halves to the even neighbour
// (2.5 gives 2, 3.5 gives 4). The engine's conversions and Round use it, and so does
// every whole-number conversion of positions and sizes in the window.
#pragma once

#include <cmath>

namespace common {

// The default rounding mode of the floating-point environment, which nothing changes.
inline double round_half_even(double x) { return std::nearbyint(x); }

}  // namespace common
