#include <array>

#include "vbscript/characters.h"
#include "vbscript/functions.h"

namespace vbscript {

namespace {

using namespace functions;

// Sorted by name for the binary search in find_builtin.
// clang-format off
constexpr std::array<builtin, 99> table{{
    {u"abs", 1, 1, Abs},                      {u"array", 0, any_count, Array},
    {u"asc", 1, 1, Asc},                      {u"ascb", 1, 1, AscB},
    {u"ascw", 1, 1, AscW},                    {u"atn", 1, 1, Atn},
    {u"cbool", 1, 1, CBool},                  {u"cbyte", 1, 1, CByte},
    {u"ccur", 1, 1, CCur},                    {u"cdate", 1, 1, CDate},
    {u"cdbl", 1, 1, CDbl},                    {u"chr", 1, 1, Chr},
    {u"chrb", 1, 1, ChrB},                    {u"chrw", 1, 1, ChrW},
    {u"cint", 1, 1, CInt},                    {u"clng", 1, 1, CLng},
    {u"cos", 1, 1, Cos},                      {u"csng", 1, 1, CSng},
    {u"cstr", 1, 1, CStr},                    {u"date", 0, 0, Date},
    {u"dateadd", 3, 3, DateAdd},              {u"datediff", 3, 5, DateDiff},
    {u"datepart", 2, 4, DatePart},            {u"dateserial", 3, 3, DateSerial},
    {u"datevalue", 1, 1, DateValue},          {u"day", 1, 1, Day},
    {u"escape", 1, 1, Escape},                {u"eval", 1, 1, Eval},
    {u"exp", 1, 1, Exp},                      {u"filter", 2, 4, Filter},
    {u"fix", 1, 1, Fix},                      {u"formatcurrency", 1, 5, FormatCurrency},
    {u"formatdatetime", 1, 2, FormatDateTime},{u"formatnumber", 1, 5, FormatNumber},
    {u"formatpercent", 1, 5, FormatPercent},  {u"getlocale", 0, 0, GetLocale},
    {u"hex", 1, 1, Hex},                      {u"hour", 1, 1, Hour},
    {u"instr", 2, 4, InStr},                  {u"instrb", 2, 4, InStrB},
    {u"instrrev", 2, 4, InStrRev},            {u"int", 1, 1, Int},
    {u"isarray", 1, 1, IsArray},              {u"isdate", 1, 1, IsDate},
    {u"isempty", 1, 1, IsEmpty},              {u"isnull", 1, 1, IsNull},
    {u"isnumeric", 1, 1, IsNumeric},          {u"isobject", 1, 1, IsObject},
    {u"join", 1, 2, Join},                    {u"lbound", 1, 2, LBound},
    {u"lcase", 1, 1, LCase},                  {u"left", 2, 2, Left},
    {u"leftb", 2, 2, LeftB},                  {u"len", 1, 1, Len},
    {u"lenb", 1, 1, LenB},                    {u"log", 1, 1, Log},
    {u"ltrim", 1, 1, LTrim},                  {u"mid", 2, 3, Mid},
    {u"midb", 2, 3, MidB},                    {u"minute", 1, 1, Minute},
    {u"month", 1, 1, Month},                  {u"monthname", 1, 2, MonthName},
    {u"now", 0, 0, Now},                      {u"oct", 1, 1, Oct},
    {u"replace", 3, 6, Replace},              {u"rgb", 3, 3, RGB},
    {u"right", 2, 2, Right},                  {u"rightb", 2, 2, RightB},
    {u"rnd", 0, 1, Rnd},                      {u"round", 1, 2, Round},
    {u"rtrim", 1, 1, RTrim},                  {u"scriptengine", 0, 0, ScriptEngine},
    {u"scriptenginebuildversion", 0, 0, ScriptEngineBuildVersion},{u"scriptenginemajorversion", 0, 0, ScriptEngineMajorVersion},
    {u"scriptengineminorversion", 0, 0, ScriptEngineMinorVersion},{u"second", 1, 1, Second},
    {u"sgn", 1, 1, Sgn},                      {u"sin", 1, 1, Sin},
    {u"space", 1, 1, Space},                  {u"split", 1, 4, Split},
    {u"sqr", 1, 1, Sqr},                      {u"sqrt", 1, 1, Sqr},
    {u"strcomp", 2, 3, StrComp},              {u"string", 2, 2, String},
    {u"strreverse", 1, 1, StrReverse},        {u"tan", 1, 1, Tan},
    {u"time", 0, 0, Time},                    {u"timer", 0, 0, Timer},
    {u"timeserial", 3, 3, TimeSerial},        {u"timevalue", 1, 1, TimeValue},
    {u"trim", 1, 1, Trim},                    {u"typename", 1, 1, TypeName},
    {u"ubound", 1, 2, UBound},                {u"ucase", 1, 1, UCase},
    {u"unescape", 1, 1, Unescape},            {u"vartype", 1, 1, VarType},
    {u"weekday", 1, 2, Weekday},              {u"weekdayname", 1, 3, WeekdayName},
    {u"year", 1, 1, Year},
}};
// clang-format on

static_assert(sorted_by_name(table));

}  // namespace

const builtin* find_builtin(std::u16string_view name) { return find_by_name<longest_name(table)>(table, name); }

const builtin& builtin_at(std::uint32_t index) { return table[index]; }

std::uint32_t index_of(const builtin& b) { return static_cast<std::uint32_t>(&b - table.data()); }

bool has(arguments a, size_t i) { return i < a.size() && !a[i].is_missing(); }

}  // namespace vbscript
