// The engine's message catalogue (errors.cpp): the Chinese description of each VBScript
// error number it raises. The program reports the numbers it shares with the engine
// (5, 7, 13) in these same words, looked up here (platform/runtime_error.cpp).
#pragma once

#include <optional>
#include <string_view>

namespace vbscript {

// The catalogue's own description of a number, if it has one.
std::optional<std::u16string_view> catalogue_text(int number);

}  // namespace vbscript
