// The commands of the button column that append to the formula, clear it, or record it
// in the history. They act only through the text boxes; the formula box's change
// notification runs the evaluation, so none of them evaluates anything itself. Each
// change they make to the formula is one step of the box's undo history, so Ctrl+Z
// takes a command back like any typing.
#pragma once

#include <string>
#include <string_view>

#include "platform/forms.h"

namespace edit {

// Adds `s` at the end of the formula whatever the caret and selection, leaves the caret
// at the new end and gives the formula box the focus.
void append_command(platform::text_box& formula, std::u16string_view s);

// Empties the formula, then the result: the evaluation that the emptied formula runs
// writes to the result box, so the result must be emptied after it. Leaves the focus
// where it is.
void clear_command(platform::text_box& formula, platform::text_box& result);

// The text one record adds to the history: a line break, "▲", the formula, "=", the
// result, each exactly as it stands.
std::u16string history_entry(std::u16string_view formula, std::u16string_view result);

// When neither formula nor result is empty, appends their entry at the end of the
// history and empties the formula. Focuses the formula box in every case.
void record_command(platform::text_box& formula, platform::text_box& result, platform::text_box& history);

}  // namespace edit
