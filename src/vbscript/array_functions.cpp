#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/limits.h"
#include "vbscript/text_tools.h"

namespace vbscript::functions {

namespace {

variant array_of(array_elements items, run_budget& budget) {
    budget.charge_elements(items.size());
    return variant::make_array(std::move(items));
}

// The array argument of Join, Filter, UBound and LBound: Null raises 94 where
// `null_is_94`, anything else that is no array 13.
const array_elements& array_argument(const variant& v, bool null_is_94) {
    if (v.is_null() && null_is_94) raise(err_invalid_use_of_null);
    if (!v.is_array()) raise(err_type_mismatch);
    return v.items();
}

// The dimension argument of UBound and LBound: the arrays an expression makes have one.
void check_dimension(arguments a) {
    if (has(a, 1) && long_of(a[1]) != 1) raise(err_subscript);
}

// The pieces of s between the occurrences of a non-empty delimiter, at most `limit`
// (-1: all), the last one holding the rest; charged as they are found, so that a long
// text of delimiters stops at the budget before its array grows past it.
array_elements pieces(const std::u16string& s, const std::u16string& delimiter, long long limit, bool text,
                      run_budget& budget) {
    const std::u16string hay = text ? folded(s) : s;
    const std::u16string key = text ? folded(delimiter) : delimiter;
    const text_search search(key);
    array_elements out;
    size_t from = 0;
    while (limit < 0 || static_cast<long long>(out.size()) + 1 < limit) {
        const size_t at = search.find(hay, from);
        if (at == std::u16string::npos) break;
        budget.charge_elements(1);
        out.push_back(budget.text(s.substr(from, at - from)));
        from = at + key.size();
    }
    budget.charge_elements(1);
    out.push_back(budget.text(s.substr(from)));
    return out;
}

}  // namespace

// Array(arglist): the arguments as a Variant array indexed from 0, each a copy.
variant Array(arguments a) {
    for (const variant& v : a)
        if (v.is_missing()) raise(err_argument_not_optional);
    array_elements items;
    items.reserve(a.size());
    for (const variant& v : a) items.push_back(a.budget().copy(v));
    return array_of(std::move(items), a.budget());
}

variant IsArray(arguments a) { return variant::boolean(a[0].is_array()); }
variant IsObject(arguments a) { return variant::boolean(a[0].is_object()); }

variant LBound(arguments a) {
    array_argument(a[0], false);
    check_dimension(a);
    return variant::long_integer(0);
}

variant UBound(arguments a) {
    const array_elements& items = array_argument(a[0], false);
    check_dimension(a);
    return variant::long_integer(static_cast<double>(items.size()) - 1);
}

// Split(expression[, delimiter[, count[, compare]]]): count -1 splits at every
// delimiter; an empty expression or a count of 0 gives an empty array, an empty
// delimiter the whole expression.
variant Split(arguments a) {
    const std::u16string s = text_of(a[0]);
    const std::u16string delimiter = has(a, 1) ? text_of(a[1]) : u" ";
    const long long count = has(a, 2) ? long_of(a[2]) : -1;
    if (count < -1) raise(err_invalid_call);
    const bool text = text_compare(a, 3);
    if (s.empty() || count == 0) return array_of({}, a.budget());
    if (delimiter.empty()) return array_of({a.budget().text(s)}, a.budget());
    return variant::make_array(pieces(s, delimiter, count, text, a.budget()));
}

// Join(list[, delimiter]): the elements' texts with the delimiter (" " unless given)
// between them; an element that is Null or an array raises 13.
variant Join(arguments a) {
    const array_elements& items = array_argument(a[0], true);
    const std::u16string delimiter = has(a, 1) ? text_of(a[1]) : u" ";
    std::u16string out;
    for (size_t i = 0; i < items.size(); ++i) {
        const variant& item = items[i];
        if (item.is_null() || item.is_array()) raise(err_type_mismatch);
        const std::u16string piece = text_of(item);
        a.budget().require_text(out.size() + piece.size() + (i ? delimiter.size() : 0));
        if (i) out += delimiter;
        out += piece;
    }
    return a.budget().text(std::move(out));
}

// Filter(InputStrings, Value[, Include[, Compare]]): the elements whose text holds
// Value (or, with Include False, does not).
variant Filter(arguments a) {
    const array_elements& items = array_argument(a[0], true);
    const std::u16string value = text_of(a[1]);
    const bool include = has(a, 2) ? truth_of(a[2]) : true;
    const bool text = text_compare(a, 3);
    const std::u16string key = text ? folded(value) : value;
    const text_search search(key);
    array_elements out;
    for (const variant& item : items) {
        if (item.is_null() || item.is_array()) raise(err_type_mismatch);
        std::u16string s = text_of(item);
        const bool holds = key.empty() || search.find(text ? folded(s) : s, 0) != std::u16string::npos;
        if (holds != include) continue;
        out.push_back(a.budget().text(std::move(s)));
    }
    return array_of(std::move(out), a.budget());
}

}  // namespace vbscript::functions
