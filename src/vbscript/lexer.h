// Splits an expression text into VBScript tokens, one at a time, so that a text of any
// length costs one pass and no token list.
#pragma once

#include <string>
#include <string_view>

#include "vbscript/variant.h"

namespace vbscript {

enum class token_kind {
    end,
    separator,  // a line break
    colon,      // ":" between statements
    literal,    // a number, string, date, True, False, Empty, Null or Nothing
    name,
    reserved,  // a statement keyword, which no expression may hold
    rem,       // opens a comment where a statement may begin, else out of place
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
    last = kw_imp,
};

// A literal's value is its subtype with its number, or with its text for a String;
// a token holds no variant, so that passing tokens stays as cheap as the text.
struct token {
    token() = default;
    token(token_kind k, std::u16string_view s = {}) : kind(k), spelling(s) {}
    token(var_type t, double n) : kind(token_kind::literal), type(t), number(n) {}

    token_kind kind = token_kind::end;
    var_type type = vt_empty;      // of a literal
    double number = 0;             // of a literal that holds no text
    std::u16string text;           // of a String literal
    std::u16string_view spelling;  // of a name, as written
};

class lexer {
public:
    explicit lexer(std::u16string_view text) : text_(text) {}
    // The next token; a malformed one raises its syntax error (1031, 1032, 1033, ...).
    token next();
    // The name right after a ".", read as a plain name even where it spells a keyword
    // (Err.Rem); no name there raises 1010.
    std::u16string_view member_name();
    // Passes over the rest of the line: the comment after Rem.
    void skip_line();
    // Where the last token began, and the text between two such places: how an
    // expression was written, for messages.
    size_t token_start() const { return start_; }
    std::u16string_view written(size_t from, size_t to) const { return text_.substr(from, to - from); }

private:
    char16_t peek(size_t ahead = 0) const;
    void skip_blanks();
    token number();
    bool radix_follows() const;
    token radix_number();
    token string_literal();
    token date_literal();
    token word();
    token bracketed_name();
    token symbol();

    std::u16string_view text_;
    size_t pos_ = 0;
    size_t start_ = 0;
};

}  // namespace vbscript
