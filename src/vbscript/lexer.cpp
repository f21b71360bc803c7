#include "vbscript/lexer.h"

#include <algorithm>
#include <array>
#include <optional>

#include "vbscript/characters.h"
#include "vbscript/dates.h"
#include "vbscript/engine.h"
#include "vbscript/errors.h"
#include "vbscript/number_text.h"

namespace vbscript {

namespace {

constexpr size_t max_name_length = 255;

enum class word_kind { keyword, literal, reserved, comment };

struct word_entry {
    std::u16string_view name;  // lower case
    word_kind kind;
    token_kind token;
};

constexpr auto kw = word_kind::keyword;
constexpr auto rs = word_kind::reserved;
constexpr auto lt = word_kind::literal;
constexpr auto tr = token_kind::reserved;

// Words that are no plain names, sorted for the binary search.
// clang-format off
constexpr std::array<word_entry, 41> words{{
    {u"and", kw, token_kind::kw_and},   {u"call", rs, tr},     {u"class", rs, tr},
    {u"const", rs, tr},                 {u"dim", rs, tr},      {u"do", rs, tr},
    {u"each", rs, tr},                  {u"else", rs, tr},     {u"elseif", rs, tr},
    {u"empty", lt, token_kind::literal}, {u"end", rs, tr},     {u"eqv", kw, token_kind::kw_eqv},
    {u"erase", rs, tr},                 {u"exit", rs, tr},     {u"false", lt, token_kind::literal},
    {u"for", rs, tr},                   {u"function", rs, tr}, {u"if", rs, tr},
    {u"imp", kw, token_kind::kw_imp},   {u"is", kw, token_kind::kw_is}, {u"loop", rs, tr},
    {u"mod", kw, token_kind::kw_mod},   {u"new", rs, tr},      {u"next", rs, tr},
    {u"not", kw, token_kind::kw_not},   {u"nothing", lt, token_kind::literal},
    {u"null", lt, token_kind::literal}, {u"or", kw, token_kind::kw_or}, {u"private", rs, tr},
    {u"public", rs, tr},                {u"redim", rs, tr},    {u"rem", word_kind::comment, tr},
    {u"select", rs, tr},                {u"set", rs, tr},      {u"sub", rs, tr},
    {u"then", rs, tr},                  {u"true", lt, token_kind::literal}, {u"wend", rs, tr},
    {u"while", rs, tr},                 {u"with", rs, tr},     {u"xor", kw, token_kind::kw_xor},
}};
// clang-format on

static_assert(sorted_by_name(words));

bool is_line_break(char16_t c) { return c == u'\r' || c == u'\n'; }

const word_entry* find_word(std::u16string_view spelling) { return find_by_name<longest_name(words)>(words, spelling); }

token word_literal(std::u16string_view lowered) {
    if (lowered == u"true") return {vt_boolean, -1};
    if (lowered == u"false") return {vt_boolean, 0};
    if (lowered == u"null") return {vt_null, 0};
    if (lowered == u"nothing") return {vt_object, object_nothing};
    return {vt_empty, 0};
}

// A decimal literal typed as VBScript types it: whole numbers as Integer, then Long,
// then Double; anything with a fraction or exponent as Double.
token decimal_value(const std::string& ascii, bool whole) {
    const decimal_reading r = read_decimal(ascii);
    if (r.status == decimal_reading::overflow) raise(err_overflow);
    if (r.status == decimal_reading::malformed) raise(err_invalid_number);
    const double v = r.value;
    if (whole && v <= 32767) return {vt_integer, v};
    if (whole && v <= 2147483647) return {vt_long, v};
    return {vt_double, v};
}

}  // namespace

std::optional<std::u16string> halfwidth_forms(std::u16string_view text) {
    char16_t highest = 0;
    for (char16_t c : text) highest = std::max(highest, c);  // a pass the compiler vectorises
    if (highest < 0x3000) return std::nullopt;
    std::u16string out(text);
    bool in_string = false;
    for (char16_t& c : out) {
        if (!in_string && c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFEE0);
        else if (!in_string && c == 0x3000) c = u' ';
        if (c == u'"') in_string = !in_string;
        else if (is_line_break(c)) in_string = false;
    }
    return out;
}

char16_t lexer::peek(size_t ahead) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : u'\0'; }

// Blanks, comments to the end of the line, and "_" line continuations.
void lexer::skip_blanks() {
    for (;;) {
        char16_t c = peek();
        if (c == u' ' || c == u'\t' || c == u'\f' || c == u'\v' || c == u'\xA0') {
            ++pos_;
        } else if (c == u'\'') {
            while (pos_ < text_.size() && !is_line_break(text_[pos_])) ++pos_;
        } else if (c == u'_' && !is_ascii_letter(peek(1)) && !is_ascii_digit(peek(1)) && peek(1) != u'_') {
            size_t p = pos_ + 1;
            while (p < text_.size() && (text_[p] == u' ' || text_[p] == u'\t')) ++p;
            if (p >= text_.size() || !is_line_break(text_[p])) raise(err_invalid_character);
            if (text_[p] == u'\r' && p + 1 < text_.size() && text_[p + 1] == u'\n') ++p;
            pos_ = p + 1;
        } else {
            return;
        }
    }
}

token lexer::next() {
    skip_blanks();
    start_ = pos_;
    if (pos_ >= text_.size()) return {};
    const char16_t c = peek();
    if (is_line_break(c) || c == u':') {
        ++pos_;
        return {c == u':' ? token_kind::colon : token_kind::separator};
    }
    if (is_ascii_digit(c) || (c == u'.' && is_ascii_digit(peek(1)))) return number();
    if (c == u'&' && radix_follows()) return radix_number();
    if (c == u'"') return string_literal();
    if (c == u'#') return date_literal();
    if (c == u'[') return bracketed_name();
    if (is_ascii_letter(c)) return word();
    return symbol();
}

// "&H" or "&O" and a digit of that base; without the digit the "&" is the
// concatenation and the letter starts a name ("x" &hi).
bool lexer::radix_follows() const {
    const int base = radix_base(peek(1));
    return base && digit_value(peek(2), base) >= 0;
}

// number := digits [ "." digits ] [ ("E" | "D") [ "+" | "-" ] digits ]  |  "." digits ...
token lexer::number() {
    std::string ascii;
    bool whole = true;
    while (is_ascii_digit(peek())) ascii += static_cast<char>(text_[pos_++]);
    if (peek() == u'.') {
        whole = false;
        ++pos_;
        ascii += '.';
        while (is_ascii_digit(peek())) ascii += static_cast<char>(text_[pos_++]);
    }
    const char16_t e = ascii_lower(peek());
    if (e == u'e' || e == u'd') {
        whole = false;
        ++pos_;
        ascii += 'e';
        if (peek() == u'+' || peek() == u'-') ascii += static_cast<char>(text_[pos_++]);
        if (!is_ascii_digit(peek())) raise(err_invalid_number);
        while (is_ascii_digit(peek())) ascii += static_cast<char>(text_[pos_++]);
    }
    if (ascii.front() == '.') ascii.insert(ascii.begin(), '0');
    return decimal_value(ascii, whole);
}

// radix := "&H" hexdigits [ "&" ] | "&O" octdigits [ "&" ]. Without the "&" up to 16
// bits are an Integer's bits (&HFFFF is -1); with it the digits are a Long's 32 bits
// (&HFFFF& is 65535). Either way the value is typed as small as it fits, so &H10& and
// &HFFFFFFFF& are Integers.
token lexer::radix_number() {
    const int base = radix_base(peek(1));  // 16 or 8: radix_follows() saw a digit of it
    pos_ += 2;
    const radix_digits digits = read_radix_digits(text_.substr(pos_), base);
    if (digits.overflow) raise(err_overflow);
    pos_ += digits.count;
    double v = radix_value(digits.value);
    if (peek() == u'&') {
        ++pos_;
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(digits.value));
    }
    if (v >= -32768 && v <= 32767) return {vt_integer, v};
    return {vt_long, v};
}

// string := '"' { any character but '"' and a line break | '""' } '"'
token lexer::string_literal() {
    std::u16string s;
    ++pos_;
    for (;;) {
        if (pos_ >= text_.size() || is_line_break(text_[pos_])) raise(err_unterminated_string);
        char16_t c = text_[pos_++];
        if (c == u'"') {
            if (peek() != u'"') break;
            ++pos_;
        }
        s += c;
    }
    token t(vt_string, 0);
    t.text = std::move(s);
    return t;
}

// date := "#" date-or-time text "#"
token lexer::date_literal() {
    const size_t start = ++pos_;
    while (pos_ < text_.size() && text_[pos_] != u'#' && !is_line_break(text_[pos_])) ++pos_;
    if (peek() != u'#') raise(err_syntax);
    auto serial = parse_date_text(text_.substr(start, pos_ - start));
    ++pos_;
    if (!serial || !in_date_range(*serial)) raise(err_syntax);
    return {vt_date, *serial};
}

// name := letter { letter | digit | "_" }
token lexer::word() {
    const size_t start = pos_;
    while (is_ascii_letter(peek()) || is_ascii_digit(peek()) || peek() == u'_') ++pos_;
    std::u16string_view spelling = text_.substr(start, pos_ - start);
    if (spelling.size() > max_name_length) raise(err_identifier_too_long);
    const word_entry* w = find_word(spelling);
    if (!w) return {token_kind::name, spelling};
    if (w->kind == word_kind::comment) return {token_kind::rem, spelling};
    if (w->kind == word_kind::literal) return word_literal(w->name);
    return {w->token, spelling};
}

// bracketed := "[" { any character but "]" and a line break } "]": a name that may
// spell a keyword or hold any character.
token lexer::bracketed_name() {
    const size_t start = ++pos_;
    while (pos_ < text_.size() && text_[pos_] != u']' && !is_line_break(text_[pos_])) ++pos_;
    if (peek() != u']') raise(err_expected_close_bracket);
    const std::u16string_view spelling = text_.substr(start, pos_ - start);
    ++pos_;
    if (spelling.size() > max_name_length) raise(err_identifier_too_long);
    return {token_kind::name, spelling};
}

void lexer::skip_line() {
    while (pos_ < text_.size() && !is_line_break(text_[pos_])) ++pos_;
}

std::u16string_view lexer::member_name() {
    if (peek() == u'[') return bracketed_name().spelling;
    if (!is_ascii_letter(peek())) raise(err_expected_identifier);
    const size_t start = pos_;
    while (is_ascii_letter(peek()) || is_ascii_digit(peek()) || peek() == u'_') ++pos_;
    if (pos_ - start > max_name_length) raise(err_identifier_too_long);
    return text_.substr(start, pos_ - start);
}

token lexer::symbol() {
    const char16_t c = text_[pos_++];
    switch (c) {
    case u'(': return {token_kind::open_paren};
    case u')': return {token_kind::close_paren};
    case u',': return {token_kind::comma};
    case u'.': return {token_kind::dot};
    case u'+': return {token_kind::plus};
    case u'-': return {token_kind::minus};
    case u'*': return {token_kind::times};
    case u'/': return {token_kind::divide};
    case u'\\': return {token_kind::int_divide};
    case u'^': return {token_kind::power};
    case u'&': return {token_kind::concat};
    case u'=':  // "=>" and "=<" are ">=" and "<=" written the other way round
        if (peek() == u'>') return ++pos_, token{token_kind::greater_equal};
        if (peek() == u'<') return ++pos_, token{token_kind::less_equal};
        return {token_kind::equal};
    case u'<':
        if (peek() == u'>') return ++pos_, token{token_kind::not_equal};
        if (peek() == u'=') return ++pos_, token{token_kind::less_equal};
        return {token_kind::less};
    case u'>':
        if (peek() == u'=') return ++pos_, token{token_kind::greater_equal};
        if (peek() == u'<') return ++pos_, token{token_kind::not_equal};
        return {token_kind::greater};
    default: raise(err_invalid_character);
    }
}

}  // namespace vbscript
