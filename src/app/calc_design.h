// The designs of the main window and the help window, and the names and kinds of their
// controls; used by calc, Form1 and the tests.
#pragma once

#include "platform/forms.h"

namespace app {

// The most characters the formula box holds (a line break counting two): a formula this
// long still evaluates in a blink, and the window stays quick to use.
inline constexpr int max_formula_length = 1'048'576;

// The main window's controls and timers. The design table lays each one out under its
// name as its kind, and calc looks each up by the same entry.
namespace calc_controls {
using platform::control_id;
inline constexpr control_id<platform::text_box> Text_re{"Text_re"};
inline constexpr control_id<platform::text_box> Text_calc{"Text_calc"};
inline constexpr control_id<platform::text_box> Text_temp1{"Text_temp1"};
inline constexpr control_id<platform::label> Label_tip{"Label_tip"};
inline constexpr control_id<platform::button> Command_addkuohao{"Command_addkuohao"};
inline constexpr control_id<platform::button> Command_addkuohaopi{"Command_addkuohaopi"};
inline constexpr control_id<platform::button> Command_lifang{"Command_lifang"};
inline constexpr control_id<platform::button> Command_sin{"Command_sin"};
inline constexpr control_id<platform::button> Command_cos{"Command_cos"};
inline constexpr control_id<platform::button> Command_tan{"Command_tan"};
inline constexpr control_id<platform::button> Command_cot{"Command_cot"};
inline constexpr control_id<platform::button> Command_e{"Command_e"};
inline constexpr control_id<platform::button> Command_r{"Command_r"};
inline constexpr control_id<platform::button> Command_jia{"Command_jia"};
inline constexpr control_id<platform::button> Command_jian{"Command_jian"};
inline constexpr control_id<platform::button> Command_cheng{"Command_cheng"};
inline constexpr control_id<platform::button> Command_chu{"Command_chu"};
inline constexpr control_id<platform::picture_box> Picture_show{"Picture_show"};
inline constexpr control_id<platform::picture_box> picDDE{"picDDE"};
inline constexpr control_id<platform::timer> Timer_alltop{"Timer_alltop"};
inline constexpr control_id<platform::timer> Timer_save{"Timer_save"};
inline constexpr control_id<platform::timer> tmrCheck{"tmrCheck"};
inline constexpr control_id<platform::timer> tmrMove{"tmrMove"};
}  // namespace calc_controls

// The help window's one control.
namespace form1_controls {
inline constexpr platform::control_id<platform::text_box> Text_tip{"Text_tip"};
}  // namespace form1_controls

// The main window as designed: every control's kind, caption, rectangle in twips, tab
// place, colours and font, and the four timers.
const platform::form_design& calc_design();

// The help window as designed.
const platform::form_design& form1_design();

}  // namespace app
