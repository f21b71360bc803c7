// Runs compiled code on a value stack, one instruction after the other.
#include <vector>

#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/objects.h"
#include "vbscript/operators.h"
#include "vbscript/program.h"

namespace vbscript {

namespace {

using binary_fn = variant (*)(const variant&, const variant&, run_budget&);

// An operator that makes no text, in the shape of those that may.
template <variant (*op)(const variant&, const variant&)>
variant textless(const variant& a, const variant& b, run_budget&) {
    return op(a, b);
}

template <comparison c>
variant compared(const variant& a, const variant& b, run_budget& budget) {
    return compare_op(c, a, b, budget);
}

// A missing argument where the built-in needs one is 449; one it may go without
// reaches it as a vt_error value, which has() treats as absent. The parser marks the
// calls that leave an argument out with the type vt_error.
void check_required(arguments args, const builtin& fn) {
    for (size_t i = 0; i < args.size() && i < fn.min_args; ++i)
        if (args[i].is_missing()) raise(err_argument_not_optional);
}

void call(std::vector<variant>& stack, const instruction& in, const program& p, run_budget& budget) {
    const builtin& fn = builtin_at(in.operand);
    if (in.count < fn.min_args || in.count > fn.max_args) raise(err_wrong_argument_count, p.name(in.name));
    const size_t base = stack.size() - in.count;
    const arguments args({stack.data() + base, in.count}, budget);
    if (in.type == vt_error) check_required(args, fn);
    variant result = fn.call(args);
    stack.resize(base);
    stack.push_back(std::move(result));
}

// Replaces the value under the arguments with what indexing or the member gives.
void apply_postfix(std::vector<variant>& stack, const instruction& in, const program& p, run_budget& budget) {
    const size_t base = stack.size() - in.count;
    const arguments args({stack.data() + base, in.count}, budget);
    variant& target = stack[base - 1];
    target = in.op == opcode::index ? element_of(target, args)
                                    : member_of(target, p.name(in.name), p.name(in.operand), args);
    stack.resize(base);
}

}  // namespace

// Instructions that take no two operands finish in the switch; a binary operator picks
// its function there and replaces its two operands with the result after it.
variant run(const program& p, run_budget& budget) {
    std::vector<variant> stack;
    stack.reserve(16);
    for (const instruction& in : p.code) {
        binary_fn op = nullptr;
        switch (in.op) {
        case opcode::push_number: stack.push_back(variant::of(in.type, in.number)); continue;
        case opcode::push: stack.push_back(budget.copy(p.constants[in.operand])); continue;
        case opcode::call: call(stack, in, p, budget); continue;
        case opcode::call_unknown: raise(err_type_mismatch, p.name(in.name));
        case opcode::index:
        case opcode::member: apply_postfix(stack, in, p, budget); continue;
        case opcode::negate: stack.back() = negate(stack.back()); continue;
        case opcode::logical_not: stack.back() = logical_not(stack.back()); continue;
        case opcode::is: op = textless<is_same_object>; break;
        case opcode::add: op = add; break;
        case opcode::subtract: op = textless<subtract>; break;
        case opcode::multiply: op = textless<multiply>; break;
        case opcode::divide: op = textless<divide>; break;
        case opcode::int_divide: op = textless<int_divide>; break;
        case opcode::modulo: op = textless<modulo>; break;
        case opcode::power: op = textless<power>; break;
        case opcode::concat: op = concat; break;
        case opcode::equal: op = compared<comparison::equal>; break;
        case opcode::not_equal: op = compared<comparison::not_equal>; break;
        case opcode::less: op = compared<comparison::less>; break;
        case opcode::greater: op = compared<comparison::greater>; break;
        case opcode::less_equal: op = compared<comparison::less_equal>; break;
        case opcode::greater_equal: op = compared<comparison::greater_equal>; break;
        case opcode::logical_and: op = textless<logical_and>; break;
        case opcode::logical_or: op = textless<logical_or>; break;
        case opcode::logical_xor: op = textless<logical_xor>; break;
        case opcode::logical_eqv: op = textless<logical_eqv>; break;
        case opcode::logical_imp: op = textless<logical_imp>; break;
        }
        variant right = std::move(stack.back());
        stack.pop_back();
        stack.back() = op(stack.back(), right, budget);
    }
    return std::move(stack.back());
}

}  // namespace vbscript
