// Runs compiled code on a value stack, one instruction after the other.
#include <vector>

#include "vbscript/errors.h"
#include "vbscript/functions.h"
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

binary_fn binary_of(opcode op) {
    switch (op) {
    case opcode::add: return add;
    case opcode::subtract: return subtract;
    case opcode::multiply: return multiply;
    case opcode::divide: return divide;
    case opcode::int_divide: return int_divide;
    case opcode::modulo: return modulo;
    case opcode::power: return power;
    case opcode::concat: return concat;
    case opcode::equal: return eq;
    case opcode::not_equal: return ne;
    case opcode::less: return lt;
    case opcode::greater: return gt;
    case opcode::less_equal: return le;
    case opcode::greater_equal: return ge;
    case opcode::is: return is_same_object;
    case opcode::logical_and: return logical_and;
    case opcode::logical_or: return logical_or;
    case opcode::logical_xor: return logical_xor;
    case opcode::logical_eqv: return logical_eqv;
    case opcode::logical_imp: return logical_imp;
    default: return nullptr;
    }
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
        default: {
            variant right = std::move(stack.back());
            stack.pop_back();
            stack.back() = binary_of(in.op)(stack.back(), right);
        }
        }
    }
    return std::move(stack.back());
}

}  // namespace vbscript
