#pragma once

#include "platform/forms.h"

namespace app {

// The most characters the formula box holds (a line break counting two): a formula this
// long still evaluates in a blink, and the window stays quick to use.
inline constexpr int max_formula_length = 1'048'576;

// The main window as designed: every control's kind, caption, rectangle in twips, tab
// place, colours and font, and the four timers.
const platform::form_design& calc_design();

// The help window as designed.
const platform::form_design& form1_design();

}  // namespace app
