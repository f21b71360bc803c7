// Text replacement for the live evaluation and the evaluator's tips.
#pragma once

#include <string>
#include <string_view>

namespace eval {

// Every occurrence of from, left to right without overlap, case-sensitive; one pass
// over the text, so a long text with many occurrences stays linear.
std::u16string replace_all(std::u16string_view text, std::u16string_view from, std::u16string_view to);

}  // namespace eval
