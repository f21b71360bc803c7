// The expression grammar, parsed by operator precedence with an explicit stack of
// pending operators and open brackets. Nothing here recurses: a chain of any length and
// brackets nested to max_nesting cost heap, never machine stack.
//
//   expression := { prefix } operand { binary { prefix } operand }
//   operand    := ( literal | name [ arguments ] | "(" expression ")" ) { postfix }
//   postfix    := arguments | "." name [ arguments ]      (not after a literal)
//   arguments  := "(" [ argument { "," argument } ] ")"
//   argument   := [ expression ]                          (omitted: the default)
//   prefix     := "-" | "+" | "Not"
//   binary, from the tightest: ^ ; * / ; \ ; Mod ; + - ; & ; = <> < > <= >= Is ;
//                              And ; Or ; Xor ; Eqv ; Imp   (all left-associative)
//
// "-" and "+" bind tighter than "^" (-3^2 is 9). "Not" sits between the comparisons
// and And, so it may only open an operand where a level that loose may begin: at the
// start, after "(" or ",", or after And, Or, Xor, Eqv, Imp or another Not.
#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "vbscript/constants.h"
#include "vbscript/engine.h"
#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/lexer.h"
#include "vbscript/program.h"

namespace vbscript {

namespace {

enum precedence : std::uint8_t {
    p_frame = 0,  // an open bracket: nothing reduces past it
    p_imp,
    p_eqv,
    p_xor,
    p_or,
    p_and,
    p_not,
    p_compare,
    p_concat,
    p_additive,
    p_mod,
    p_int_divide,
    p_multiplicative,
    p_power,
    p_sign,
};

struct binary_operator {
    token_kind token;
    opcode op;
    precedence level;
};

constexpr binary_operator binaries[] = {
    {token_kind::kw_imp, opcode::logical_imp, p_imp},
    {token_kind::kw_eqv, opcode::logical_eqv, p_eqv},
    {token_kind::kw_xor, opcode::logical_xor, p_xor},
    {token_kind::kw_or, opcode::logical_or, p_or},
    {token_kind::kw_and, opcode::logical_and, p_and},
    {token_kind::equal, opcode::equal, p_compare},
    {token_kind::not_equal, opcode::not_equal, p_compare},
    {token_kind::less, opcode::less, p_compare},
    {token_kind::greater, opcode::greater, p_compare},
    {token_kind::less_equal, opcode::less_equal, p_compare},
    {token_kind::greater_equal, opcode::greater_equal, p_compare},
    {token_kind::kw_is, opcode::is, p_compare},
    {token_kind::concat, opcode::concat, p_concat},
    {token_kind::plus, opcode::add, p_additive},
    {token_kind::minus, opcode::subtract, p_additive},
    {token_kind::kw_mod, opcode::modulo, p_mod},
    {token_kind::int_divide, opcode::int_divide, p_int_divide},
    {token_kind::times, opcode::multiply, p_multiplicative},
    {token_kind::divide, opcode::divide, p_multiplicative},
    {token_kind::power, opcode::power, p_power},
};

// The index in binaries of each token kind's operator, or -1: one look-up per token.
constexpr auto binary_index = [] {
    std::array<std::int8_t, static_cast<size_t>(token_kind::last) + 1> at{};
    at.fill(-1);
    for (size_t i = 0; i < std::size(binaries); ++i)
        at[static_cast<size_t>(binaries[i].token)] = static_cast<std::int8_t>(i);
    return at;
}();

const binary_operator* binary_for(token_kind k) {
    const std::int8_t i = binary_index[static_cast<size_t>(k)];
    return i < 0 ? nullptr : &binaries[i];
}

constexpr std::uint32_t no_builtin = ~std::uint32_t{0};

// An operator waiting for its right operand, or an open bracket: of a group, of a
// call's arguments, of subscripts or of a member's arguments.
struct pending {
    enum kind_t : std::uint8_t { op, bracket, call, index, member } kind;
    precedence level;
    opcode code = opcode::push;  // op: what to emit
    std::uint32_t function = 0;  // call: the built-in's index, or no_builtin; member: its name's
    std::uint32_t name = 0;      // call: the spelling's index; member: the object's, as written
    std::uint32_t count = 0;     // arguments complete so far
    std::uint32_t start = 0;     // where the operand began in the text
    bool omitted = false;        // an argument was left out
};

class parser {
public:
    parser(std::u16string_view text, run_budget& budget) : text_(text), lex_(text), budget_(budget) {
        // A formula has at most about one instruction per two characters ("1+1+1");
        // a quarter covers sums of numbers without growing, and growing stays cheap.
        prog_.code.reserve(text.size() / 4 + 4);
        prog_.text = text;
        advance();
    }
    program parse();

private:
    void advance() { tok_ = lex_.next(); }
    // Keeps a name as its place in the text; returns its index.
    std::uint32_t keep_name(std::u16string_view written) {
        prog_.names.push_back(
            {static_cast<std::uint32_t>(written.data() - text_.data()), static_cast<std::uint32_t>(written.size())});
        return static_cast<std::uint32_t>(prog_.names.size() - 1);
    }
    bool at(token_kind k) const { return tok_.kind == k; }
    void emit(opcode op, std::uint32_t operand = 0, std::uint32_t count = 0, std::uint32_t name = 0) {
        prog_.code.push_back({op, vt_empty, count, operand, name});
    }
    void emit_constant(variant v);
    // Line breaks, colons if allowed, and Rem comments, which only a new statement may
    // begin with.
    void skip_separators(bool colons) {
        for (; at(token_kind::separator) || at(token_kind::rem) || (colons && at(token_kind::colon)); advance())
            if (at(token_kind::rem)) lex_.skip_line();
    }

    void operand();
    bool name();
    void emit_name_value(const builtin* fn, const pending& call);
    bool omitted_argument(bool after_plus) const;
    bool not_allowed_here(bool after_plus) const;
    void open(pending p);
    bool open_arguments(pending p);
    bool after_operand();
    bool subscripts();
    bool member();
    void reduce(precedence down_to);
    void close_bracket();
    void emit_closed(const pending& p);
    void next_argument();
    void finish();
    void emit_call(const pending& c);
    [[noreturn]] void unexpected() const;

    std::u16string_view text_;
    lexer lex_;
    run_budget& budget_;
    token tok_;
    program prog_;
    std::vector<pending> stack_;
    int depth_ = 0;
    // Whether the operand just completed may take subscripts or a member (not a
    // literal), and where it began.
    bool postfix_ = false;
    std::uint32_t operand_start_ = 0;
};

// text := { separator | ":" } [ expression { separator } ]
// Colons before the expression pass as they always have: what VBScript does with them
// is not published, unlike its failing on one after the expression.
program parser::parse() {
    skip_separators(true);
    if (at(token_kind::end)) {
        emit_constant(variant::empty());
        return std::move(prog_);
    }
    do operand();
    while (after_operand());
    return std::move(prog_);
}

// Values without text go into the instruction itself, so that a long sum of numbers
// makes no table of constants.
void parser::emit_constant(variant v) {
    if (v.type != vt_string) {
        prog_.code.push_back({opcode::push_number, v.type, 0, 0, 0, v.number});
        return;
    }
    prog_.constants.push_back(std::move(v));
    emit(opcode::push, static_cast<std::uint32_t>(prog_.constants.size() - 1));
}

// { prefix | "(" } then one literal or name; a name with "(" may open a call instead.
// Right after the "(" or "," of arguments, a "," or ")" leaves the argument out.
void parser::operand() {
    bool after_plus = false;
    for (;;) {
        if (omitted_argument(after_plus)) {
            prog_.code.push_back({opcode::push_number, vt_error});
            stack_.back().omitted = true;
            return;
        }
        switch (tok_.kind) {
        case token_kind::minus: open({pending::op, p_sign, opcode::negate}); break;
        case token_kind::plus:
            advance();
            after_plus = true;
            continue;
        case token_kind::kw_not:
            if (not_allowed_here(after_plus)) raise(err_expected_expression);
            open({pending::op, p_not, opcode::logical_not});
            break;
        case token_kind::open_paren:
            open({pending::bracket, p_frame, opcode::push, 0, 0, 0, static_cast<std::uint32_t>(lex_.token_start())});
            break;
        case token_kind::literal:
            if (tok_.type == vt_string) emit_constant(budget_.text(std::move(tok_.text)));
            else emit_constant(variant::of(tok_.type, tok_.number));
            postfix_ = false;
            advance();
            return;
        case token_kind::name:
            if (name()) return;
            after_plus = false;
            continue;  // name() already stands on the first argument
        case token_kind::reserved:
        case token_kind::rem: raise(err_syntax);
        default: raise(err_expected_expression);
        }
        advance();
        after_plus = false;
    }
}

// A name is a built-in function, called with or without brackets, a built-in
// constant (vbCrLf, Err), or an undeclared variable (Empty); calling anything but a
// function fails when it runs. Returns whether the operand is complete; false when a
// call's first argument is still to come.
bool parser::name() {
    const builtin* fn = find_builtin(tok_.spelling);
    pending call{pending::call, p_frame};
    call.function = fn ? index_of(*fn) : no_builtin;
    call.start = static_cast<std::uint32_t>(lex_.token_start());
    call.name = keep_name(tok_.spelling);
    advance();
    if (!at(token_kind::open_paren)) {
        emit_name_value(fn, call);
        return true;
    }
    return !open_arguments(call);
}

void parser::emit_name_value(const builtin* fn, const pending& call) {
    postfix_ = true;
    operand_start_ = call.start;
    if (fn) return emit_call(call);
    const constant* c = find_constant(prog_.name(call.name));
    emit_constant(c ? value_of(*c, budget_) : variant::empty());
}

// Stands on the "(" of arguments: "()" completes at once (returns false), anything
// else opens them and leaves the first argument to come (returns true).
bool parser::open_arguments(pending p) {
    advance();
    if (!at(token_kind::close_paren)) {
        open(p);
        return true;
    }
    emit_closed(p);
    advance();
    return false;
}

bool parser::omitted_argument(bool after_plus) const {
    if (after_plus || (!at(token_kind::comma) && !at(token_kind::close_paren)) || stack_.empty()) return false;
    const pending::kind_t k = stack_.back().kind;
    return k == pending::call || k == pending::index || k == pending::member;
}

bool parser::not_allowed_here(bool after_plus) const {
    if (after_plus) return true;
    return !stack_.empty() && stack_.back().level > p_not;
}

void parser::open(pending p) {
    if (p.kind != pending::op && ++depth_ > max_nesting) raise(err_out_of_stack);
    stack_.push_back(p);
}

// After an operand: a binary operator, subscripts, a member, a closing bracket, a
// comma or the end. Returns whether another operand follows.
bool parser::after_operand() {
    for (;;) {
        if (const binary_operator* b = binary_for(tok_.kind)) {
            reduce(b->level);
            open({pending::op, b->level, b->op});
            advance();
            return true;
        }
        switch (tok_.kind) {
        case token_kind::close_paren:
            close_bracket();
            advance();
            break;
        case token_kind::open_paren:
            if (subscripts()) return true;
            break;
        case token_kind::dot:
            if (member()) return true;
            break;
        case token_kind::comma:
            next_argument();
            advance();
            return true;
        case token_kind::end:
        case token_kind::separator: finish(); return false;
        default: unexpected();
        }
    }
}

// "(" after an operand that takes subscripts; returns whether the first one follows.
bool parser::subscripts() {
    if (!postfix_) unexpected();
    return open_arguments({pending::index, p_frame, opcode::push, 0, 0, 0, operand_start_});
}

// "." name [ arguments ]; returns whether a first argument follows.
bool parser::member() {
    if (!postfix_) unexpected();
    const std::uint32_t object = keep_name(lex_.written(operand_start_, lex_.token_start()));
    const std::uint32_t member = keep_name(lex_.member_name());
    const pending m{pending::member, p_frame, opcode::push, member, object, 0, operand_start_};
    advance();
    if (at(token_kind::open_paren)) return open_arguments(m);
    emit_closed(m);
    return false;
}

// Emits the pending operators that bind at least as tight as the given level, up to
// the innermost open bracket.
inline void parser::reduce(precedence down_to) {
    while (!stack_.empty() && stack_.back().kind == pending::op && stack_.back().level >= down_to) {
        emit(stack_.back().code);
        stack_.pop_back();
    }
}

void parser::close_bracket() {
    reduce(p_frame);
    if (stack_.empty()) raise(err_expected_end_of_statement);
    pending p = stack_.back();
    stack_.pop_back();
    --depth_;
    if (p.kind != pending::bracket) ++p.count;  // the last argument
    emit_closed(p);
}

// What a closed bracket leaves: a group its value, the others their instruction; the
// result takes subscripts and members.
void parser::emit_closed(const pending& p) {
    switch (p.kind) {
    case pending::call: emit_call(p); break;
    case pending::index: emit(opcode::index, 0, p.count); break;
    case pending::member: emit(opcode::member, p.function, p.count, p.name); break;
    default: break;
    }
    postfix_ = true;
    operand_start_ = p.start;
}

void parser::next_argument() {
    reduce(p_frame);
    if (stack_.empty()) raise(err_expected_end_of_statement);
    if (stack_.back().kind == pending::bracket) raise(err_expected_close_paren);
    ++stack_.back().count;
}

// Only blank lines and comments may follow the expression. A ":" would begin another
// statement, which an expression may not have, not even an empty one ("1+2 :").
void parser::finish() {
    reduce(p_frame);
    if (!stack_.empty()) raise(err_expected_close_paren);
    skip_separators(false);
    if (!at(token_kind::end)) raise(err_expected_end_of_statement);
}

void parser::emit_call(const pending& c) {
    if (c.function == no_builtin) return emit(opcode::call_unknown, 0, c.count, c.name);
    emit(opcode::call, c.function, c.count, c.name);
    if (c.omitted) prog_.code.back().type = vt_error;
}

// Something that cannot follow an operand: inside brackets the ")" is missing, at the
// top level the statement should have ended.
void parser::unexpected() const { raise(depth_ > 0 ? err_expected_close_paren : err_expected_end_of_statement); }

}  // namespace

// The half-width copy is a text the evaluation keeps while it runs, so it counts. The
// names' places are 32-bit, which any text the evaluation could hold fits.
program compile(std::u16string_view text, run_budget& budget) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) raise(err_out_of_memory);
    std::optional<std::u16string> half = halfwidth_forms(text);
    if (half) budget.charge_text(half->size());
    program p = parser(half ? std::u16string_view(*half) : text, budget).parse();
    p.text = text;
    p.halfwidth = std::move(half);
    return p;
}

}  // namespace vbscript
