// VBScript's operators on Variants: result subtypes, promotion from Byte to Integer to
// Long to Double where VBScript promotes, Overflow (6) where it does not, Null
// propagation, and the comparison rules between numbers, strings, Empty and Null.
// Those that may make or pass on a text count it in the evaluation's budget.
#pragma once

#include "vbscript/limits.h"
#include "vbscript/variant.h"

namespace vbscript {

variant negate(const variant& a);
variant add(const variant& a, const variant& b, run_budget& budget);
variant subtract(const variant& a, const variant& b);
variant multiply(const variant& a, const variant& b);
variant divide(const variant& a, const variant& b);
variant int_divide(const variant& a, const variant& b);
variant modulo(const variant& a, const variant& b);
variant power(const variant& a, const variant& b);
variant concat(const variant& a, const variant& b, run_budget& budget);

enum class comparison { equal, not_equal, less, greater, less_equal, greater_equal };
variant compare_op(comparison op, const variant& a, const variant& b, run_budget& budget);
variant is_same_object(const variant& a, const variant& b);

variant logical_not(const variant& a);
variant logical_and(const variant& a, const variant& b);
variant logical_or(const variant& a, const variant& b);
variant logical_xor(const variant& a, const variant& b);
variant logical_eqv(const variant& a, const variant& b);
variant logical_imp(const variant& a, const variant& b);

}  // namespace vbscript
