#include <gtest/gtest.h>

#include "engine_results.h"

using engine_results::outcome;
using engine_results::check_table;
using engine_results::row;

namespace {

TEST(MathFunctions, ValuesSubtypesAndInvalidArguments) {
    check_table({
        {"Abs(-2.5)", "Double 2.5"},
        {"Abs(-5)", "Integer 5"},
        {"Abs(CInt(-32767)-1)", "Long 32768"},
        {"Abs(Null)", "Null"},
        {"Atn(1)*4", "Double 3.14159265358979"},
        {"Cos(0)", "Double 1"},
        {"Tan(0)", "Double 0"},
        {"Exp(1)", "Double 2.71828182845905"},
        {"Exp(710)", "error 6: 溢出"},
        {"Log(Exp(2))", "Double 2"},
        {"Log(0)", "error 5: 无效的过程调用或参数"},
        {"Sqr(2)", "Double 1.4142135623731"},
        {"Sqr(-1)", "error 5: 无效的过程调用或参数"},
        {"SQRT(9)", "Double 3"},
        {"Int(-2.5)", "Double -3"},
        {"Fix(-2.5)", "Double -2"},
        {"Int(7)", "Integer 7"},
        {"Int(\"2.7\")", "Double 2"},
        {"Fix(Null)", "Null"},
        {"Sgn(-0.1)", "Integer -1"},
        {"Sgn(0)", "Integer 0"},
        {"Round(2.5)", "Double 2"},
        {"Round(3.5)", "Double 4"},
        {"Round(-2.5)", "Double -2"},
        {"Round(1.2345, 2)", "Double 1.23"},
        {"Round(0.125, 2)", "Double 0.12"},
        {"Round(5)", "Integer 5"},
        {"Round(1.5, -1)", "error 5: 无效的过程调用或参数"},
        {"Round(Null)", "Null"},
        {"Rnd(-1) = Rnd(-1)", "Boolean True"},
        {"TypeName(Rnd)", "String Single"},
        {"Rnd(0) = Rnd(0)", "Boolean True"},
        {"Rnd < 1 And Rnd >= 0", "Boolean True"},
    });
}

TEST(TextFunctions, SlicingSearchingAndBuilding) {
    check_table({
        {"left(\"123\",2)", "String 12"},
        {"Left(12345, 2)", "String 12"},
        {"Left(\"ab\", 5)", "String ab"},
        {"Left(\"ab\", -1)", "error 5: 无效的过程调用或参数"},
        {"Left(Null, 1)", "Null"},
        {"Right(\"abc\", 2)", "String bc"},
        {"mid(\"abc\",2,1)", "String b"},
        {"Mid(\"abc\", 2)", "String bc"},
        {"Mid(\"abc\", 5)", "String "},
        {"Mid(\"abc\", 0)", "error 5: 无效的过程调用或参数"},
        {"Len(\"abc\")", "Long 3"},
        {"Len(123.5)", "Long 5"},
        {"Len(Null)", "Null"},
        {"UCase(\"abé\") & LCase(\"DÉF\")", "String ABÉdéf"},
        {"\"[\" & Trim(\"  a b  \") & \"]\"", "String [a b]"},
        {"\"[\" & LTrim(\"  a \") & RTrim(\" b  \") & \"]\"", "String [a  b]"},
        {"InStr(\"abcabc\", \"c\")", "Long 3"},
        {"InStr(4, \"abcabc\", \"c\")", "Long 6"},
        {"InStr(1, \"ABC\", \"b\", 1)", "Long 2"},
        {"InStr(\"abc\", \"\")", "Long 1"},
        {"InStr(\"abc\", Null)", "Null"},
        {"InStr(0, \"abc\", \"a\")", "error 5: 无效的过程调用或参数"},
        {"InStrRev(\"abcabc\", \"c\")", "Long 6"},
        {"InStrRev(\"abcabc\", \"c\", 5)", "Long 3"},
        {"InStrRev(\"abc\", \"x\")", "Long 0"},
        {"InStr(\"aabaabaaab\", \"aaab\")", "Long 7"},
        {"InStr(\"abababc\", \"ababc\")", "Long 3"},
        {"InStrRev(\"abababc\", \"aba\")", "Long 3"},
        {"InStrRev(\"abababc\", \"aba\", 4)", "Long 1"},
        {"InStrRev(\"xAbAb\", \"ab\", -1, 1)", "Long 4"},
        {"Replace(\"aaaa\", \"aa\", \"b\")", "String bb"},
        {"Replace(\"aaa\", \"a\", \"bb\")", "String bbbbbb"},
        {"Replace(\"abcabc\", \"b\", \"X\", 3)", "String caXc"},
        {"Replace(\"ababab\", \"a\", \"-\", 1, 2)", "String -b-bab"},
        {"Replace(\"AbA\", \"a\", \"x\", 1, -1, 1)", "String xbx"},
        {"StrReverse(\"abc\")", "String cba"},
        {"\"[\" & Space(3) & \"]\"", "String [   ]"},
        {"String(3, \"ab\")", "String aaa"},
        {"String(3, 321)", "String AAA"},
        {"Chr(65)", "String A"},
        {"Chr(256)", "error 5: 无效的过程调用或参数"},
        {"ChrW(20013)", "String 中"},
        {"Asc(\"A\")", "Integer 65"},
        {"AscW(\"中\")", "Integer 20013"},
        {"Asc(\"\")", "error 5: 无效的过程调用或参数"},
    });
}

TEST(TextFunctions, SearchesStayLinearOnLongAlmostMatchingTexts) {
    check_table({
        {"InStr(String(1000000, \"a\"), String(300000, \"a\") & \"b\")", "Long 0"},
        {"InStrRev(String(1000000, \"a\"), \"b\" & String(300000, \"a\"))", "Long 0"},
        {"Len(Replace(String(1000000, \"a\"), String(300000, \"a\") & \"b\", \"\"))", "Long 1000000"},
    });
}

TEST(ConversionFunctions, SubtypesRangesAndInspection) {
    check_table({
        {"CInt(2.5)", "Integer 2"},
        {"CInt(3.5)", "Integer 4"},
        {"CInt(32768)", "error 6: 溢出"},
        {"CLng(\"12\")", "Long 12"},
        {"CByte(-1)", "error 6: 溢出"},
        {"CDbl(\"1.5E2\")", "Double 150"},
        {"CDbl(\" 1,000.5 \")", "Double 1000.5"},
        {"CDbl(\"abc\")", "error 13: 类型不匹配"},
        {"CDbl(Null)", "error 94: 无效使用 Null"},
        {"CSng(1/3)", "Single 0.3333333"},
        {"CBool(\"true\")", "Boolean True"},
        {"CBool(0)", "Boolean False"},
        {"CBool(\"x\")", "error 13: 类型不匹配"},
        {"CStr(1/3)", "String 0.333333333333333"},
        {"CStr(True)", "String True"},
        {"CStr(Null)", "error 94: 无效使用 Null"},
        {"CDate(\"2020-02-29\")", "Date 2020/2/29"},
        {"CDate(43832.5)", "Date 2020/1/2 12:00:00"},
        {"CDate(\"x\")", "error 13: 类型不匹配"},
        {"Hex(255)", "String FF"},
        {"Hex(-1)", "String FFFF"},
        {"Hex(-1.0)", "String FFFFFFFF"},
        {"Oct(8)", "String 10"},
        {"Hex(Null)", "Null"},
        {"IsNumeric(\"1e3\")", "Boolean True"},
        {"IsNumeric(\"abc\")", "Boolean False"},
        {"IsNumeric(Empty)", "Boolean True"},
        {"IsNumeric(Null)", "Boolean False"},
        {"IsEmpty(x)", "Boolean True"},
        {"IsNull(Null)", "Boolean True"},
        {"IsDate(\"1/2/2020\")", "Boolean True"},
        {"IsDate(\"hello\")", "Boolean False"},
        {"TypeName(1)", "String Integer"},
        {"TypeName(1.5)", "String Double"},
        {"TypeName(\"a\")", "String String"},
        {"TypeName(Null)", "String Null"},
        {"VarType(1.5)", "Integer 5"},
        {"VarType(CByte(1))", "Integer 17"},
    });
}

TEST(ArrayFunctions, BuildingSplittingJoiningFilteringAndBounds) {
    check_table({
        {"UBound(Array()) & LBound(Array())", "String -10"},
        {"TypeName(Array(1)) & VarType(Array(1)) & IsArray(Array())", "String Variant()8204True"},
        {"IsArray(\"a\") Or IsArray(Empty)", "Boolean False"},
        {"UBound(Empty)", "error 13: 类型不匹配"},
        {"LBound(Null)", "error 13: 类型不匹配"},
        {"UBound(Array(1), 2)", "error 9: 下标越界"},
        {"Array(1) + 1", "error 13: 类型不匹配"},
        {"CStr(Array(1))", "error 13: 类型不匹配"},
        {"Join(Split(\"a b  c\"), \"|\")", "String a|b||c"},
        {"UBound(Split(\"\"))", "Long -1"},
        {"Split(\"a b\", \"\")(0)", "String a b"},
        {"Join(Split(\"aXbxc\", \"x\", -1, 1), \"-\")", "String a-b-c"},
        {"Join(Split(\"aXbxc\", \"x\"), \"-\")", "String aXb-c"},
        {"Split(\"a-b-c\", \"-\", 2)(1)", "String b-c"},
        {"UBound(Split(\"a-b\", \"-\", 0))", "Long -1"},
        {"Split(\"12345\", 3)(1)", "String 45"},
        {"Split(\"a\", \"-\", -2)", "error 5: 无效的过程调用或参数"},
        {"Split(\"a\", \"-\", -1, 2)", "error 5: 无效的过程调用或参数"},
        {"Split(Null)", "error 94: 无效使用 Null"},
        {"Join(Array(1, Empty, True), \"\")", "String 1True"},
        {"Join(Array())", "String "},
        {"Join(Array(1, Null))", "error 13: 类型不匹配"},
        {"Join(Array(Array(1)))", "error 13: 类型不匹配"},
        {"Join(\"ab\")", "error 13: 类型不匹配"},
        {"Join(Null)", "error 94: 无效使用 Null"},
        {"Join(Array(), Null)", "error 94: 无效使用 Null"},
        {"Join(Filter(Array(\"ab\", \"cd\", \"AB\"), \"b\"))", "String ab"},
        {"Join(Filter(Array(\"ab\", \"cd\", \"AB\"), \"b\", False))", "String cd AB"},
        {"Join(Filter(Array(\"ab\", \"cd\", \"AB\"), \"b\", \"True\", vbTextCompare))", "String ab AB"},
        {"UBound(Filter(Array(1, 2), \"3\"))", "Long -1"},
        {"Filter(\"ab\", \"a\")", "error 13: 类型不匹配"},
    });
}

TEST(ArrayFunctions, HugeArraysFailWithOutOfMemory) {
    check_table({
        {"UBound(Split(Space(100000)))", "Long 100000"},
        {"UBound(Split(Space(1100000)))", "error 7: 内存不够"},
        {"UBound(Filter(Split(Space(600000)), \"\"))", "error 7: 内存不够"},
    });
}

TEST(CurrencyValues, FixedPointArithmeticConversionsAndBoundaries) {
    check_table({
        {"CCur(1.23456)", "Currency 1.2346"},
        {"CCur(\"0.00005\") & \"|\" & CCur(\"0.00015\") & \"|\" & CCur(\"-0.00025\")", "String 0|0.0002|-0.0002"},
        {"CCur(0.000149)", "Currency 0.0001"},
        {"CCur(\"922337203685477.5807\")", "Currency 922337203685477.5807"},
        {"CCur(\"-922337203685477.5808\")", "Currency -922337203685477.5808"},
        {"CCur(\"922337203685477.5808\")", "error 6: 溢出"},
        {"-CCur(\"-922337203685477.5808\")", "error 6: 溢出"},
        {"CCur(\"922337203685477\") + 1", "error 6: 溢出"},
        {"CCur(\"0.1\") + CCur(\"0.2\") = CCur(\"0.3\")", "Boolean True"},
        {"CCur(\"1,234.56789\") & \"|\" & CCur(\"1e3\") & \"|\" & CCur(\"&H10\")", "String 1234.5679|1000|16"},
        {"CCur(1) + 1.5", "Currency 2.5"},
        {"CCur(2.5) + CSng(0.5)", "Currency 3"},
        {"#1/1/2020# - CCur(1)", "Date 2019/12/31"},
        {"CCur(1.5) * 2.5", "Double 3.75"},
        {"CCur(1.5) * CCur(2.5)", "Currency 3.75"},
        {"CCur(0.0001) * CCur(0.5) & \"|\" & CCur(0.0003) * CCur(0.5)", "String 0|0.0002"},
        {"CCur(2) * CSng(1.5)", "Double 3"},
        {"CCur(1) / 4", "Double 0.25"},
        {"CCur(7) \\ 2 & \"|\" & CCur(7) Mod 4", "String 3|3"},
        {"TypeName(CCur(7) \\ 2)", "String Long"},
        {"Int(CCur(-2.5)) & \"|\" & Fix(CCur(-2.5))", "String -3|-2"},
        {"Round(CCur(2.25), 1) & \"|\" & Round(CCur(2.35), 1) & \"|\" & Round(CCur(2.5))", "String 2.2|2.4|2"},
        {"Abs(CCur(-1.5))", "Currency 1.5"},
        {"CInt(CCur(2.5)) & Sgn(CCur(-3)) & Hex(CCur(255.4))", "String 2-1FF"},
        {"CCur(True)", "Currency -1"},
        {"CDbl(CCur(\"0.1\"))", "Double 0.1"},
        {"TypeName(CCur(1)) & VarType(CCur(1)) & IsNumeric(CCur(1))", "String Currency6True"},
        {"CCur(\"abc\")", "error 13: 类型不匹配"},
        {"CCur(Null)", "error 94: 无效使用 Null"},
    });
}

TEST(SingleValues, ComparedAndDividedAtSinglePrecision) {
    check_table({
        {"CSng(0.1) = 0.1", "Boolean False"},
        {"CSng(0.1) = CSng(0.1)", "Boolean True"},
        {"CSng(0.1) + CSng(0.2)", "Single 0.3"},
        {"CDbl(CSng(0.1))", "Double 0.100000001490116"},
        {"CSng(1) / 3", "Single 0.3333333"},
        {"TypeName(CSng(1) / CLng(3)) & TypeName(CSng(1) / 1.5) & TypeName(CByte(1) / CSng(2))", "String DoubleDoubleSingle"},
        {"TypeName(CSng(1) * CCur(1))", "String Double"},
    });
}

TEST(ConversionFunctions, BooleanTextsAndBooleanBits) {
    check_table({
        {"CBool(\"#TRUE#\")", "Boolean True"},
        {"CBool(\" #false# \")", "Boolean False"},
        {"Not \"#FALSE#\"", "Boolean True"},
        {"\"#TRUE#\" And 5", "Integer 5"},
        {"CInt(\"#TRUE#\")", "error 13: 类型不匹配"},
        {"CByte(True) & \"|\" & CByte(False)", "String 255|0"},
        {"TypeName(CByte(True))", "String Byte"},
        {"Round(True)", "Boolean True"},
    });
}

TEST(DateFunctions, BuildingSplittingAndArithmetic) {
    check_table({
        {"DateSerial(2020, 13, 1)", "Date 2021/1/1"},
        {"DateSerial(2020, 3, 0)", "Date 2020/2/29"},
        {"DateSerial(99, 1, 1)", "Date 1999/1/1"},
        {"DateSerial(10000, 1, 1)", "error 5: 无效的过程调用或参数"},
        {"TimeSerial(13, 4, 5)", "Date 13:04:05"},
        {"TimeSerial(25, 0, 0)", "Date 1899/12/31 1:00:00"},
        {"DateAdd(\"m\", 1, #1/31/2020#)", "Date 2020/2/29"},
        {"DateAdd(\"yyyy\", -1, #2/29/2020#)", "Date 2019/2/28"},
        {"DateAdd(\"h\", 25, #1/1/2020#)", "Date 2020/1/2 1:00:00"},
        {"DateAdd(\"x\", 1, #1/1/2020#)", "error 5: 无效的过程调用或参数"},
        {"DateDiff(\"d\", #1/1/2020#, #3/1/2020#)", "Long 60"},
        {"DateDiff(\"m\", #1/31/2020#, #2/1/2020#)", "Long 1"},
        {"DateDiff(\"yyyy\", #12/31/2019#, #1/1/2020#)", "Long 1"},
        {"DateDiff(\"ww\", #1/4/2020#, #1/5/2020#)", "Long 1"},
        {"DateDiff(\"h\", #1/1/2020 23:59#, #1/2/2020#)", "Long 1"},
        {"Year(#3/4/2021#) & \"-\" & Month(#3/4/2021#) & \"-\" & Day(#3/4/2021#)", "String 2021-3-4"},
        {"Hour(#13:04:05#) * 10000 + Minute(#13:04:05#) * 100 + Second(#13:04:05#)", "Long 130405"},
        {"Weekday(#1/5/2020#)", "Integer 1"},
        {"Weekday(#1/5/2020#, 2)", "Integer 7"},
        {"Year(Null)", "Null"},
        {"Year(\"1/2/2020\")", "Integer 2020"},
        {"Year(Now) >= 2024", "Boolean True"},
        {"Date <= Now", "Boolean True"},
        {"Time < 1", "Boolean True"},
        {"CDbl(#12/29/1899 6:00#)", "Double -1.25"},
    });
}

}  // namespace
