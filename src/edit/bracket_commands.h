// The bracket buttons: they add a pair of brackets to the formula and leave the caret
// between them, so that typing fills the brackets at once.
#pragma once

#include <string_view>

#include "platform/forms.h"

namespace edit {

// Moves the caret just before the formula's last character when it stands at the start
// or the end of the text; anywhere else it stays. Changes no text. A replaced text leaves
// the caret at 0 and a replaced selection at the end, and both are caught here.
void setmeinkuh(platform::text_box& formula);

// "()": wraps the selection in parentheses, or appends "()" when nothing is selected.
void bracket_command(platform::text_box& formula);

// "<>" and "^()": appends `s`, whatever the caret and selection, with the caret before
// its last character.
void append_inside_command(platform::text_box& formula, std::u16string_view s);

}  // namespace edit
