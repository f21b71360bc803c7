// The language's built-in constants (vbCrLf, vbRed, vbSunday, vbTextCompare, ...) and
// the Err object's name: names that read as a fixed value of a fixed subtype. They are
// looked up only for names that are no built-in function.
#pragma once

#include <string_view>

#include "vbscript/limits.h"
#include "vbscript/variant.h"

namespace vbscript {

struct constant {
    std::u16string_view name;  // lower case
    var_type type;
    double number;
    std::u16string_view text;  // of a String
};

// The constant of that name, in any case, or nullptr.
const constant* find_constant(std::u16string_view name);

// The constant's value; a text counts in the budget.
variant value_of(const constant& c, run_budget& budget);

}  // namespace vbscript
