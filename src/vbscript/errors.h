// Engine errors. Every failure of the engine is an engine_error built from a VBScript
// error number; its description comes from the one message catalogue in errors.cpp,
// so the same number always reads the same.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "vbscript/messages.h"

namespace vbscript {

// The VBScript numbers the engine raises.
enum error_number : int {
    err_unknown_runtime = 1,  // what Err.Raise reports for a number nobody describes
    err_invalid_call = 5,
    err_overflow = 6,
    err_out_of_memory = 7,
    err_subscript = 9,
    err_division_by_zero = 11,
    err_type_mismatch = 13,
    err_out_of_stack = 28,
    err_object_not_set = 91,
    err_invalid_use_of_null = 94,
    err_object_required = 424,
    err_no_such_member = 438,
    err_argument_not_optional = 449,
    err_wrong_argument_count = 450,
    err_syntax = 1002,
    err_expected_close_paren = 1006,
    err_expected_close_bracket = 1007,
    err_expected_identifier = 1010,
    err_expected_expression = 1023,
    err_expected_end_of_statement = 1025,
    err_identifier_too_long = 1030,
    err_invalid_number = 1031,
    err_invalid_character = 1032,
    err_unterminated_string = 1033,
};

class engine_error : public std::runtime_error {
public:
    engine_error(int number, std::u16string description);
    int number() const { return number_; }
    const std::u16string& description() const { return description_; }

private:
    int number_;
    std::u16string description_;
};

// The catalogue's description of a number; numbers it does not know read as the
// generic syntax error for compile errors (1000 and up), else as an invalid call.
std::u16string_view describe(int number);

// Throws the catalogue's error for the number.
[[noreturn]] void raise(int number);
// Throws an error with a description of the caller's (Err.Raise).
[[noreturn]] void raise_described(int number, std::u16string description);
// Throws the error with the offending name appended, as VBScript reports a call of a
// name that is no function: "类型不匹配: 'Sqrt'".
[[noreturn]] void raise(int number, std::u16string_view name);

}  // namespace vbscript
