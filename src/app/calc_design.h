#pragma once

#include "platform/forms.h"

namespace app {

// The main window as designed: every control's kind, caption, rectangle in twips, tab
// place, colours and font, and the four timers.
const platform::form_design& calc_design();

// The help window as designed.
const platform::form_design& form1_design();

}  // namespace app
