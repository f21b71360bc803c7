// Evaluates an expression and describes the outcome as one line of UTF-8, so that the
// engine's tables read as text in and text out: "Integer 3", "Null",
// "error 11: 被零除".
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace engine_results {

std::u16string utf16(std::string_view utf8);
std::string utf8(std::u16string_view utf16);

std::string outcome(std::string_view expression);

struct row {
    const char* expression;
    const char* expected;
};

// Expects each row's outcome, naming the expression of any that differs.
void check_table(std::initializer_list<row> rows);

}  // namespace engine_results
