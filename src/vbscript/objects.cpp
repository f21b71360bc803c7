#include "vbscript/objects.h"

#include <array>
#include <string>

#include "vbscript/characters.h"
#include "vbscript/errors.h"

namespace vbscript {

variant element_of(const variant& target, arguments subscripts) {
    if (!target.is_array()) raise(target.is_nothing() ? err_object_not_set : err_type_mismatch);
    if (subscripts.size() != 1 || subscripts[0].is_missing()) raise(err_subscript);
    const array_elements& elements = target.items();
    const double i = long_of(subscripts[0]);
    if (i < 0 || i >= static_cast<double>(elements.size())) raise(err_subscript);
    return subscripts.budget().copy(elements[static_cast<size_t>(i)]);
}

namespace {

// The number an error raised as `n` reports, as Err.Raise maps it: 0 and numbers past
// 65535 are invalid calls, an HRESULT of VBScript's own facility (&H800A....) is the
// number in its low word, and E_OUTOFMEMORY is 7; other negative numbers stay.
int raised_number(std::int32_t n) {
    const std::uint32_t bits = static_cast<std::uint32_t>(n);
    if (n == 0 || n > 65535) return err_invalid_call;
    if ((bits & 0xFFFF0000u) == 0x800A0000u) return static_cast<int>(bits & 0xFFFF);
    if (bits == 0x8007000Eu) return err_out_of_memory;
    return n;
}

// Err.Raise(number[, source[, description[, helpfile[, helpcontext]]]]): nothing of
// the error survives but its number and description, since it ends the evaluation.
[[noreturn]] void err_raise(arguments args) {
    if (args.empty() || args[0].is_missing()) raise(err_wrong_argument_count);
    const int number = raised_number(long_of(args[0]));
    if (args.size() > 2 && !args[2].is_missing()) raise_described(number, text_of(args[2]));
    auto known = catalogue_text(number);
    raise_described(number, std::u16string(known ? *known : describe(err_unknown_runtime)));
}

enum class err_member { number, description, source, helpfile, helpcontext, clear, raise };

struct member_entry {
    std::u16string_view name;  // lower case
    err_member member;
};

constexpr std::array<member_entry, 7> err_members{{
    {u"clear", err_member::clear},
    {u"description", err_member::description},
    {u"helpcontext", err_member::helpcontext},
    {u"helpfile", err_member::helpfile},
    {u"number", err_member::number},
    {u"raise", err_member::raise},
    {u"source", err_member::source},
}};

static_assert(sorted_by_name(err_members));

// A property read takes no arguments; Raise takes its own.
variant err_value(err_member m, arguments args) {
    if (m == err_member::raise) err_raise(args);
    if (!args.empty()) raise(err_wrong_argument_count);
    switch (m) {
    case err_member::number:
    case err_member::helpcontext: return variant::long_integer(0);
    case err_member::clear: return variant::empty();
    default: return args.budget().text({});
    }
}

}  // namespace

variant member_of(const variant& target, std::u16string_view object, std::u16string_view name, arguments args) {
    if (target.is_nothing()) raise(err_object_not_set);
    if (!target.is_object()) raise(err_object_required, object);
    const member_entry* m = find_by_name<longest_name(err_members)>(err_members, name);
    if (!m) raise(err_no_such_member, std::u16string(object) + u"." + std::u16string(name));
    return err_value(m->member, args);
}

}  // namespace vbscript
