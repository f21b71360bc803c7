#include "vbscript/constants.h"

#include <array>

#include "vbscript/characters.h"

namespace vbscript {

namespace {

// Sorted by name for the binary search. Their subtypes are VBScript's: the colours,
// vbObjectError and the message-box flags above 16 bits are Longs, the other numbers
// Integers (so VarType(vbFalse) is 2), the characters Strings.
constexpr std::array<constant, 86> table{{
    {u"err", vt_object, object_err, {}},
    {u"vbabort", vt_integer, 3, {}},
    {u"vbabortretryignore", vt_integer, 2, {}},
    {u"vbapplicationmodal", vt_integer, 0, {}},
    {u"vbarray", vt_integer, 8192, {}},
    {u"vbbinarycompare", vt_integer, 0, {}},
    {u"vbblack", vt_long, 0, {}},
    {u"vbblue", vt_long, 16711680, {}},
    {u"vbboolean", vt_integer, 11, {}},
    {u"vbbyte", vt_integer, 17, {}},
    {u"vbcancel", vt_integer, 2, {}},
    {u"vbcr", vt_string, 0, u"\r"},
    {u"vbcritical", vt_integer, 16, {}},
    {u"vbcrlf", vt_string, 0, u"\r\n"},
    {u"vbcurrency", vt_integer, 6, {}},
    {u"vbcyan", vt_long, 16776960, {}},
    {u"vbdatabasecompare", vt_integer, 2, {}},
    {u"vbdataobject", vt_integer, 13, {}},
    {u"vbdate", vt_integer, 7, {}},
    {u"vbdecimal", vt_integer, 14, {}},
    {u"vbdefaultbutton1", vt_integer, 0, {}},
    {u"vbdefaultbutton2", vt_integer, 256, {}},
    {u"vbdefaultbutton3", vt_integer, 512, {}},
    {u"vbdefaultbutton4", vt_integer, 768, {}},
    {u"vbdouble", vt_integer, 5, {}},
    {u"vbempty", vt_integer, 0, {}},
    {u"vberror", vt_integer, 10, {}},
    {u"vbexclamation", vt_integer, 48, {}},
    {u"vbfalse", vt_integer, 0, {}},
    {u"vbfirstfourdays", vt_integer, 2, {}},
    {u"vbfirstfullweek", vt_integer, 3, {}},
    {u"vbfirstjan1", vt_integer, 1, {}},
    {u"vbformfeed", vt_string, 0, u"\f"},
    {u"vbfriday", vt_integer, 6, {}},
    {u"vbgeneraldate", vt_integer, 0, {}},
    {u"vbgreen", vt_long, 65280, {}},
    {u"vbignore", vt_integer, 5, {}},
    {u"vbinformation", vt_integer, 64, {}},
    {u"vbinteger", vt_integer, 2, {}},
    {u"vblf", vt_string, 0, u"\n"},
    {u"vblong", vt_integer, 3, {}},
    {u"vblongdate", vt_integer, 1, {}},
    {u"vblongtime", vt_integer, 3, {}},
    {u"vbmagenta", vt_long, 16711935, {}},
    {u"vbmonday", vt_integer, 2, {}},
    {u"vbmsgboxhelpbutton", vt_long, 16384, {}},
    {u"vbmsgboxright", vt_long, 524288, {}},
    {u"vbmsgboxrtlreading", vt_long, 1048576, {}},
    {u"vbmsgboxsetforeground", vt_long, 65536, {}},
    {u"vbnewline", vt_string, 0, u"\r\n"},
    {u"vbno", vt_integer, 7, {}},
    {u"vbnull", vt_integer, 1, {}},
    {u"vbnullchar", vt_string, 0, std::u16string_view(u"\0", 1)},
    {u"vbnullstring", vt_string, 0, u""},
    {u"vbobject", vt_integer, 9, {}},
    {u"vbobjecterror", vt_long, -2147221504, {}},
    {u"vbok", vt_integer, 1, {}},
    {u"vbokcancel", vt_integer, 1, {}},
    {u"vbokonly", vt_integer, 0, {}},
    {u"vbquestion", vt_integer, 32, {}},
    {u"vbred", vt_long, 255, {}},
    {u"vbretry", vt_integer, 4, {}},
    {u"vbretrycancel", vt_integer, 5, {}},
    {u"vbsaturday", vt_integer, 7, {}},
    {u"vbshortdate", vt_integer, 2, {}},
    {u"vbshorttime", vt_integer, 4, {}},
    {u"vbsingle", vt_integer, 4, {}},
    {u"vbstring", vt_integer, 8, {}},
    {u"vbsunday", vt_integer, 1, {}},
    {u"vbsystemmodal", vt_integer, 4096, {}},
    {u"vbtab", vt_string, 0, u"\t"},
    {u"vbtextcompare", vt_integer, 1, {}},
    {u"vbthursday", vt_integer, 5, {}},
    {u"vbtrue", vt_integer, -1, {}},
    {u"vbtuesday", vt_integer, 3, {}},
    {u"vbusedefault", vt_integer, -2, {}},
    {u"vbusesystem", vt_integer, 0, {}},
    {u"vbusesystemdayofweek", vt_integer, 0, {}},
    {u"vbvariant", vt_integer, 12, {}},
    {u"vbverticaltab", vt_string, 0, u"\v"},
    {u"vbwednesday", vt_integer, 4, {}},
    {u"vbwhite", vt_long, 16777215, {}},
    {u"vbyellow", vt_long, 65535, {}},
    {u"vbyes", vt_integer, 6, {}},
    {u"vbyesno", vt_integer, 4, {}},
    {u"vbyesnocancel", vt_integer, 3, {}},
}};

static_assert(sorted_by_name(table));

}  // namespace

const constant* find_constant(std::u16string_view name) { return find_by_name<longest_name(table)>(table, name); }

variant value_of(const constant& c, run_budget& budget) {
    if (c.type == vt_string) return budget.text(std::u16string(c.text));
    return variant::of(c.type, c.number);
}

}  // namespace vbscript
