// The built-in functions of the expression language. They live in one table sorted
// by name (builtins.cpp), each entry with its argument count range; the
// implementations are grouped by family in the *_functions.cpp files. A Null argument,
// an invalid argument (5), Overflow (6) and a too long text (7) are reported as
// VBScript reports them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "vbscript/limits.h"
#include "vbscript/variant.h"

namespace vbscript {

// The values a call hands to a built-in function, and the budget of the evaluation
// that makes the call, which counts every text the function makes or copies.
class arguments {
public:
    arguments(std::span<const variant> values, run_budget& budget) : values_(values), budget_(budget) {}
    const variant& operator[](std::size_t i) const { return values_[i]; }
    std::size_t size() const { return values_.size(); }
    bool empty() const { return values_.empty(); }
    auto begin() const { return values_.begin(); }
    auto end() const { return values_.end(); }
    run_budget& budget() const { return budget_; }

private:
    std::span<const variant> values_;
    run_budget& budget_;
};

using builtin_impl = variant (*)(arguments);

struct builtin {
    std::u16string_view name;  // lower case
    std::uint16_t min_args;
    std::uint16_t max_args;
    builtin_impl call;
};

// The most arguments a call may have (Array's bound).
inline constexpr std::uint16_t any_count = 0xFFFF;

// The built-in function of that name, in any case, or nullptr.
const builtin* find_builtin(std::u16string_view name);
const builtin& builtin_at(std::uint32_t index);
std::uint32_t index_of(const builtin& b);

// Argument helpers shared by the families.
double date_of(const variant& v);  // a Date, or text or a number read as one; else 13
bool has(arguments a, size_t i);   // the argument was given, not left out

namespace functions {
// The firstdayofweek argument at i (DatePart, Weekday, WeekdayName, ...): 1 (Sunday,
// also when left out) to 7; 0 is the locale's first day. Other values raise 5.
long long first_day_argument(arguments a, size_t i);

// array_functions.cpp
variant Array(arguments), Filter(arguments), IsArray(arguments), IsObject(arguments), Join(arguments),
    LBound(arguments), Split(arguments), UBound(arguments);
// byte_functions.cpp
variant AscB(arguments), ChrB(arguments), InStrB(arguments), LeftB(arguments), LenB(arguments), MidB(arguments),
    RightB(arguments);
// engine_functions.cpp
variant Eval(arguments), GetLocale(arguments), ScriptEngine(arguments), ScriptEngineBuildVersion(arguments),
    ScriptEngineMajorVersion(arguments), ScriptEngineMinorVersion(arguments);
// math_functions.cpp
variant Abs(arguments), Atn(arguments), Cos(arguments), Exp(arguments), Fix(arguments), Int(arguments), Log(arguments),
    RGB(arguments), Rnd(arguments), Round(arguments), Sgn(arguments), Sin(arguments), Sqr(arguments), Tan(arguments);
// text_functions.cpp
variant Asc(arguments), AscW(arguments), Chr(arguments), ChrW(arguments), InStr(arguments), InStrRev(arguments),
    LCase(arguments), Left(arguments), Len(arguments), LTrim(arguments), Mid(arguments), Replace(arguments),
    Right(arguments), RTrim(arguments), Space(arguments), StrReverse(arguments), String(arguments), Trim(arguments),
    UCase(arguments), StrComp(arguments), Escape(arguments), Unescape(arguments);
// conversion_functions.cpp
variant CBool(arguments), CByte(arguments), CCur(arguments), CDate(arguments), CDbl(arguments), CInt(arguments),
    CLng(arguments), CSng(arguments), CStr(arguments), Hex(arguments), Oct(arguments), IsDate(arguments),
    IsEmpty(arguments), IsNull(arguments), IsNumeric(arguments), TypeName(arguments), VarType(arguments);
// format_functions.cpp
variant FormatCurrency(arguments), FormatDateTime(arguments), FormatNumber(arguments), FormatPercent(arguments),
    MonthName(arguments), WeekdayName(arguments);
// date_functions.cpp
variant Date(arguments), DateAdd(arguments), DateDiff(arguments), DatePart(arguments), DateSerial(arguments),
    DateValue(arguments), TimeValue(arguments), Day(arguments), Hour(arguments), Minute(arguments), Month(arguments),
    Now(arguments), Second(arguments), Time(arguments), TimeSerial(arguments), Timer(arguments), Weekday(arguments),
    Year(arguments);
}  // namespace functions

}  // namespace vbscript
