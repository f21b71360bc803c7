// The script control on our own expression engine (src/vbscript/): the factory the
// program hands to the live evaluation, which knows the identifier
// "MSScriptControl.ScriptControl" and the language "vbscript" (both in any case), and
// the standard conversion of the value it returns to a double. Used by the main window,
// tallix-eval, the fuzzer and the benchmarks.
#pragma once

#include <memory>
#include <string_view>

#include "platform/script_control.h"
#include "vbscript/variant.h"

namespace eval {

// The real factory; an identifier other than the script control's raises
// err_cannot_create_object.
std::unique_ptr<platform::script_control> make_script_control(std::u16string_view prog_id);

// The standard conversion of a returned value to a double: numbers as they are (a
// Currency to the nearest double), True -1, Empty 0, a Date its serial number, text that
// reads as a number that number, the Err object its default value Number. Anything else
// (other text, Null, Nothing, an array) raises 13 (type mismatch).
double to_double(const vbscript::variant& value);

}  // namespace eval
