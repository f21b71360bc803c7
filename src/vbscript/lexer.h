// Splits an expression text into VBScript tokens, one at a time, so that a text of any
// length costs one pass and no token list.
#pragma once

#include <string>
#include <string_view>

#include "vbscript/variant.h"

namespace vbscript {

enum class token_kind {
    end,
    separator,  // a line break or ":" between statements
    literal,    // a number, string, date, True, False, Empty, Null or Nothing
    name,
    reserved,   // a statement keyword, which no expression may hold
    open_paren,
    close_paren,
    comma,
    dot,
    plus,
    minus,
    times,
    divide,
    int_divide,
    power,
    concat,
    equal,
    not_equal,
    less,
    greater,
    less_equal,
    greater_equal,
    kw_is,
    kw_mod,
    kw_not,
    kw_and,
    kw_or,
    kw_xor,
    kw_eqv,
    kw_imp,
};

struct token {
    token() = default;
    token(token_kind k, variant v = {}, std::u16string_view s = {}) : kind(k), value(std::move(v)), spelling(s) {}

    token_kind kind = token_kind::end;
    variant value;               // of a literal
    std::u16string_view spelling;  // of a name, as written
};

class lexer {
public:
    explicit lexer(std::u16string_view text) : text_(text) {}
    // The next token; a malformed one raises its syntax error (1031, 1032, 1033, ...).
    token next();

private:
    char16_t peek(size_t ahead = 0) const;
    void skip_blanks();
    token number();
    token radix_number();
    token string_literal();
    token date_literal();
    token word();
    token symbol();

    std::u16string_view text_;
    size_t pos_ = 0;
};

}  // namespace vbscript
