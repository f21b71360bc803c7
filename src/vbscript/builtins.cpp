#include <array>

#include "vbscript/characters.h"
#include "vbscript/functions.h"

namespace vbscript {

namespace {

using namespace functions;

// Sorted by name for the binary search in find_builtin.
constexpr std::array<builtin, 72> table{{
    {u"abs", 1, 1, Abs},              {u"array", 0, any_count, Array},
    {u"asc", 1, 1, Asc},              {u"ascw", 1, 1, AscW},
    {u"atn", 1, 1, Atn},              {u"cbool", 1, 1, CBool},
    {u"cbyte", 1, 1, CByte},          {u"ccur", 1, 1, CCur},
    {u"cdate", 1, 1, CDate},          {u"cdbl", 1, 1, CDbl},
    {u"chr", 1, 1, Chr},              {u"chrw", 1, 1, ChrW},
    {u"cint", 1, 1, CInt},            {u"clng", 1, 1, CLng},
    {u"cos", 1, 1, Cos},              {u"csng", 1, 1, CSng},
    {u"cstr", 1, 1, CStr},            {u"date", 0, 0, Date},
    {u"dateadd", 3, 3, DateAdd},      {u"datediff", 3, 5, DateDiff},
    {u"dateserial", 3, 3, DateSerial},{u"day", 1, 1, Day},
    {u"exp", 1, 1, Exp},              {u"filter", 2, 4, Filter},
    {u"fix", 1, 1, Fix},              {u"hex", 1, 1, Hex},
    {u"hour", 1, 1, Hour},            {u"instr", 2, 4, InStr},
    {u"instrrev", 2, 4, InStrRev},    {u"int", 1, 1, Int},
    {u"isarray", 1, 1, IsArray},      {u"isdate", 1, 1, IsDate},
    {u"isempty", 1, 1, IsEmpty},      {u"isnull", 1, 1, IsNull},
    {u"isnumeric", 1, 1, IsNumeric},  {u"isobject", 1, 1, IsObject},
    {u"join", 1, 2, Join},            {u"lbound", 1, 2, LBound},
    {u"lcase", 1, 1, LCase},          {u"left", 2, 2, Left},
    {u"len", 1, 1, Len},              {u"log", 1, 1, Log},
    {u"ltrim", 1, 1, LTrim},          {u"mid", 2, 3, Mid},
    {u"minute", 1, 1, Minute},        {u"month", 1, 1, Month},
    {u"now", 0, 0, Now},              {u"oct", 1, 1, Oct},
    {u"replace", 3, 6, Replace},      {u"right", 2, 2, Right},
    {u"rnd", 0, 1, Rnd},              {u"round", 1, 2, Round},
    {u"rtrim", 1, 1, RTrim},          {u"second", 1, 1, Second},
    {u"sgn", 1, 1, Sgn},              {u"sin", 1, 1, Sin},
    {u"space", 1, 1, Space},          {u"split", 1, 4, Split},
    {u"sqr", 1, 1, Sqr},              {u"sqrt", 1, 1, Sqr},
    {u"string", 2, 2, String},        {u"strreverse", 1, 1, StrReverse},
    {u"tan", 1, 1, Tan},              {u"time", 0, 0, Time},
    {u"timeserial", 3, 3, TimeSerial},{u"trim", 1, 1, Trim},
    {u"typename", 1, 1, TypeName},    {u"ubound", 1, 2, UBound},
    {u"ucase", 1, 1, UCase},          {u"vartype", 1, 1, VarType},
    {u"weekday", 1, 2, Weekday},      {u"year", 1, 1, Year},
}};

static_assert(sorted_by_name(table));

}  // namespace

const builtin* find_builtin(std::u16string_view name) { return find_by_name<longest_name(table)>(table, name); }

const builtin& builtin_at(std::uint32_t index) { return table[index]; }

std::uint32_t index_of(const builtin& b) { return static_cast<std::uint32_t>(&b - table.data()); }

bool has(arguments a, size_t i) { return i < a.size() && !a[i].is_missing(); }

}  // namespace vbscript
