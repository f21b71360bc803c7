// Runs compiled code on a value stack, one instruction after the other.
#include <vector>

#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/operators.h"
#include "vbscript/program.h"

namespace vbscript {

namespace {

// The two operands on top of the stack make way for the operator's result.
template <class Operator>
void binary(std::vector<variant>& stack, Operator op) {
    variant right = std::move(stack.back());
    stack.pop_back();
    stack.back() = op(stack.back(), right);
}

auto compare(comparison c) {
    return [c](const variant& a, const variant& b) { return compare_op(c, a, b); };
}

void call(std::vector<variant>& stack, const instruction& in, const program& p) {
    const builtin& fn = builtin_at(in.operand);
    if (in.count < fn.min_args || in.count > fn.max_args) raise(err_wrong_argument_count, p.names[in.name]);
    const size_t base = stack.size() - in.count;
    variant result = fn.call(arguments(stack.data() + base, in.count));
    stack.resize(base);
    stack.push_back(std::move(result));
}

}  // namespace

variant run(const program& p) {
    std::vector<variant> stack;
    stack.reserve(16);
    for (const instruction& in : p.code) {
        switch (in.op) {
        case opcode::push_number: stack.push_back(variant{in.type, in.number, {}}); break;
        case opcode::push: stack.push_back(p.constants[in.operand]); break;
        case opcode::call: call(stack, in, p); break;
        case opcode::call_unknown: raise(err_type_mismatch, p.names[in.name]);
        case opcode::negate: stack.back() = negate(stack.back()); break;
        case opcode::logical_not: stack.back() = logical_not(stack.back()); break;
        case opcode::add: binary(stack, add); break;
        case opcode::subtract: binary(stack, subtract); break;
        case opcode::multiply: binary(stack, multiply); break;
        case opcode::divide: binary(stack, divide); break;
        case opcode::int_divide: binary(stack, int_divide); break;
        case opcode::modulo: binary(stack, modulo); break;
        case opcode::power: binary(stack, power); break;
        case opcode::concat: binary(stack, concat); break;
        case opcode::equal: binary(stack, compare(comparison::equal)); break;
        case opcode::not_equal: binary(stack, compare(comparison::not_equal)); break;
        case opcode::less: binary(stack, compare(comparison::less)); break;
        case opcode::greater: binary(stack, compare(comparison::greater)); break;
        case opcode::less_equal: binary(stack, compare(comparison::less_equal)); break;
        case opcode::greater_equal: binary(stack, compare(comparison::greater_equal)); break;
        case opcode::is: binary(stack, is_same_object); break;
        case opcode::logical_and: binary(stack, logical_and); break;
        case opcode::logical_or: binary(stack, logical_or); break;
        case opcode::logical_xor: binary(stack, logical_xor); break;
        case opcode::logical_eqv: binary(stack, logical_eqv); break;
        case opcode::logical_imp: binary(stack, logical_imp); break;
        }
    }
    return std::move(stack.back());
}

}  // namespace vbscript
