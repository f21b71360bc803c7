// A compiled expression: postfix code for a value stack. The parser emits it and the
// machine runs it in one loop, so running never recurses, however long the chain.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vbscript/limits.h"
#include "vbscript/variant.h"

namespace vbscript {

enum class opcode : std::uint8_t {
    push_number,   // type and number: a value that holds no text
    push,          // operand: constant index
    call,          // operand: built-in index; count: arguments; name: spelling index
    call_unknown,  // name: spelling index; raises 13 naming it after its arguments ran
    index,         // count: subscripts; the value below them is indexed
    member,        // operand: the member's name; name: the object as written ("Err"); count: arguments
    negate,
    logical_not,
    add,
    subtract,
    multiply,
    divide,
    int_divide,
    modulo,
    power,
    concat,
    equal,
    not_equal,
    less,
    greater,
    less_equal,
    greater_equal,
    is,
    logical_and,
    logical_or,
    logical_xor,
    logical_eqv,
    logical_imp,
};

struct instruction {
    opcode op;
    var_type type = vt_empty;
    std::uint32_t count = 0;
    std::uint32_t operand = 0;
    std::uint32_t name = 0;
    double number = 0;
};

// A piece of the text compiled: where it begins and how many code units it has.
struct text_span {
    std::uint32_t from = 0;
    std::uint32_t length = 0;
};

struct program {
    std::vector<instruction> code;
    std::vector<variant> constants;  // the values with text
    // Names as written, and the object before each member as written ("Err.Number" in
    // Err.Number.x), for messages: places in the text, never copies of it, which a chain
    // of members would make of all that precedes each of them.
    std::vector<text_span> names;
    std::u16string_view text;                 // the text compiled, which must outlive the program
    std::optional<std::u16string> halfwidth;  // what was read instead, if it had full-width forms

    std::u16string_view name(std::uint32_t i) const {
        const std::u16string_view read = halfwidth ? std::u16string_view(*halfwidth) : text;
        return read.substr(names[i].from, names[i].length);
    }
};

// How deep brackets and calls may nest; deeper raises 28 (out of stack space), as
// VBScript does, long before the parser's own stack would matter.
inline constexpr int max_nesting = 20000;

// Compiles the text, its literal texts counted in the budget; a syntax error raises its
// engine_error.
program compile(std::u16string_view text, run_budget& budget);

// Runs the code and returns the value it leaves; what it makes and copies counts in the
// budget.
variant run(const program& p, run_budget& budget);

}  // namespace vbscript
