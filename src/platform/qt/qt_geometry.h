#pragma once

#include <QRect>

#include "platform/forms.h"

namespace platform::qt {

// Twips to pixels and back at the primary screen's resolution; halves round to even.
int twips_per_pixel();
int to_pixels(int twips);
QRect to_pixels(const twips_rect& r);
twips_rect to_twips(const QRect& r);

}  // namespace platform::qt
