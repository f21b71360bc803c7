// Twips and pixels for the Qt layer: conversions, the pixel grid and the desktop's area.
#pragma once

#include <QRect>
#include <QRegion>

#include "platform/forms.h"

namespace platform::qt {

// Twips to pixels and back at the primary screen's resolution; halves round to even.
int twips_per_pixel();
int to_pixels(int twips);
// A control's rectangle in its window, its edges on the pixel grid.
QRect to_pixels(const twips_rect& r);
twips_rect to_twips(const QRect& r);

// At a fractional scale factor a pixel covers a fractional number of the screen's
// pixels, and a frame line drawn on an edge that falls between two of them is lost or
// smeared. The grid is the smallest step of pixels that always lands on whole screen
// pixels: 1 at whole factors, 2 at 1.5, 4 at 1.25 and 1.75. Edges inside a window keep to
// it (rounded to the nearest step, halves up); a factor with no small step keeps 1.
int pixel_grid();
int snapped(int pixels);

// The area of all monitors together, screen pixels; empty without any.
QRegion desktop_area();

}  // namespace platform::qt
