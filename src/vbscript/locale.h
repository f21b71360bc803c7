// The locale the engine works in: Chinese (PRC), LCID 2052, as on the systems the
// calculator's evaluator ran on, whatever the user's own settings. Numbers read and
// print with "." whatever the locale; these are the conventions of the functions that
// name days and months and of the Format functions.
#pragma once

#include <array>
#include <string_view>

namespace vbscript::zh_cn {

inline constexpr int lcid = 2052;

// Names of the months from January, and of the days from Sunday.
inline constexpr std::array<std::u16string_view, 12> month_names{
    u"一月", u"二月", u"三月", u"四月", u"五月", u"六月", u"七月", u"八月", u"九月", u"十月", u"十一月", u"十二月"};
inline constexpr std::array<std::u16string_view, 12> month_abbreviations{
    u"1月", u"2月", u"3月", u"4月", u"5月", u"6月", u"7月", u"8月", u"9月", u"10月", u"11月", u"12月"};
inline constexpr std::array<std::u16string_view, 7> day_names{u"星期日", u"星期一", u"星期二", u"星期三",
                                                              u"星期四", u"星期五", u"星期六"};
inline constexpr std::array<std::u16string_view, 7> day_abbreviations{u"周日", u"周一", u"周二", u"周三",
                                                                      u"周四", u"周五", u"周六"};

// The week starts on Monday (vbMonday) where a function is told to use the system's
// first day (vbUseSystemDayOfWeek), and week 1 is the one holding 1 January.
inline constexpr int first_day_of_week = 2;
inline constexpr int first_week_of_year = 1;

// Numbers: two decimals, a leading zero, "," between groups of three, "-1.00" when
// negative. Currency: "¥" in front, "¥-1.00" when negative.
inline constexpr int decimals = 2;
inline constexpr char16_t group_separator = u',';
inline constexpr std::u16string_view currency_symbol = u"¥";

}  // namespace vbscript::zh_cn
