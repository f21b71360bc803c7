// Runs compiled code on a value stack, one instruction after the other.
#include <vector>

#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/objects.h"
#include "vbscript/operators.h"
#include "vbscript/program.h"

namespace vbscript {

namespace {

using binary_fn = variant (*)(const variant&, const variant&);

variant eq(const variant& a, const variant& b) { return compare_op(comparison::equal, a, b); }
variant ne(const variant& a, const variant& b) { return compare_op(comparison::not_equal, a, b); }
variant lt(const variant& a, const variant& b) { return compare_op(comparison::less, a, b); }
variant gt(const variant& a, const variant& b) { return compare_op(comparison::greater, a, b); }
variant le(const variant& a, const variant& b) { return compare_op(comparison::less_equal, a, b); }
variant ge(const variant& a, const variant& b) { return compare_op(comparison::greater_equal, a, b); }

// A missing argument where the built-in needs one is 449; one it may go without
// reaches it as a vt_error value, which has() treats as absent. The parser marks the
// calls that leave an argument out with the type vt_error.
void check_required(arguments args, const builtin& fn) {
    for (size_t i = 0; i < args.size() && i < fn.min_args; ++i)
        if (args[i].is_missing()) raise(err_argument_not_optional);
}

void call(std::vector<variant>& stack, const instruction& in, const program& p) {
    const builtin& fn = builtin_at(in.operand);
    if (in.count < fn.min_args || in.count > fn.max_args) raise(err_wrong_argument_count, p.names[in.name]);
    const size_t base = stack.size() - in.count;
    const arguments args(stack.data() + base, in.count);
    if (in.type == vt_error) check_required(args, fn);
    variant result = fn.call(args);
    stack.resize(base);
    stack.push_back(std::move(result));
}

// Replaces the value under the arguments with what indexing or the member gives.
void apply_postfix(std::vector<variant>& stack, const instruction& in, const program& p) {
    const size_t base = stack.size() - in.count;
    const arguments args(stack.data() + base, in.count);
    variant& target = stack[base - 1];
    target = in.op == opcode::index ? element_of(target, args)
                                    : member_of(target, p.names[in.name], p.names[in.operand], args);
    stack.resize(base);
}

}  // namespace

// Instructions that take no two operands finish in the switch; a binary operator picks
// its function there and replaces its two operands with the result after it.
variant run(const program& p) {
    std::vector<variant> stack;
    stack.reserve(16);
    for (const instruction& in : p.code) {
        binary_fn op = nullptr;
        switch (in.op) {
        case opcode::push_number: stack.push_back(variant::of(in.type, in.number)); continue;
        case opcode::push: stack.push_back(p.constants[in.operand]); continue;
        case opcode::call: call(stack, in, p); continue;
        case opcode::call_unknown: raise(err_type_mismatch, p.names[in.name]);
        case opcode::index:
        case opcode::member: apply_postfix(stack, in, p); continue;
        case opcode::negate: stack.back() = negate(stack.back()); continue;
        case opcode::logical_not: stack.back() = logical_not(stack.back()); continue;
        case opcode::is: op = is_same_object; break;
        case opcode::add: op = add; break;
        case opcode::subtract: op = subtract; break;
        case opcode::multiply: op = multiply; break;
        case opcode::divide: op = divide; break;
        case opcode::int_divide: op = int_divide; break;
        case opcode::modulo: op = modulo; break;
        case opcode::power: op = power; break;
        case opcode::concat: op = concat; break;
        case opcode::equal: op = eq; break;
        case opcode::not_equal: op = ne; break;
        case opcode::less: op = lt; break;
        case opcode::greater: op = gt; break;
        case opcode::less_equal: op = le; break;
        case opcode::greater_equal: op = ge; break;
        case opcode::logical_and: op = logical_and; break;
        case opcode::logical_or: op = logical_or; break;
        case opcode::logical_xor: op = logical_xor; break;
        case opcode::logical_eqv: op = logical_eqv; break;
        case opcode::logical_imp: op = logical_imp; break;
        }
        variant right = std::move(stack.back());
        stack.pop_back();
        stack.back() = op(stack.back(), right);
    }
    return std::move(stack.back());
}

}  // namespace vbscript
