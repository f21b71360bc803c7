#include <gtest/gtest.h>

#include "engine_results.h"

using engine_results::check_table;
using engine_results::outcome;
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
        {"Chr(65536)", "error 5: 无效的过程调用或参数"},
        {"ChrW(20013)", "String 中"},
        {"Asc(\"A\")", "Integer 65"},
        {"AscW(\"中\")", "Integer 20013"},
        {"Asc(\"\")", "error 5: 无效的过程调用或参数"},
    });
}

TEST(TextFunctions, ComparingAndEscaping) {
    check_table({
        {"StrComp(\"ABC\", \"abc\") & StrComp(\"abc\", \"ABC\") & StrComp(\"ABC\", \"abc\", 1)", "String -110"},
        {"StrComp(\"ABC\", \"ABCD\", vbTextCompare)", "Integer -1"},
        {"StrComp(1, \"1\")", "Integer 0"},
        {"StrComp(Null, \"a\")", "Null"},
        {"StrComp(\"a\", \"a\", 2)", "error 5: 无效的过程调用或参数"},
        {"StrComp(\"a\", \"a\", Null)", "error 94: 无效使用 Null"},
        {"Escape(\"a b&@*_+-./中\")", "String a%20b%26@*_+-./%u4E2D"},
        {"Escape(ChrW(255) & Chr(0))", "String %FF%00"},
        {"Unescape(\"a%20b%u4e2d%zz%4%u12\")", "String a b中%zz%4%u12"},
        {"Unescape(Escape(\"1+1=2 ¥\")) = \"1+1=2 ¥\"", "Boolean True"},
        {"Escape(Null)", "Null"},
    });
}

TEST(TextFunctions, AscAndChrSpeakCodePage936) {
    check_table({
        {"Asc(\"中\") & \"|\" & Asc(\"A\") & \"|\" & Asc(\"€\")", "String -10544|65|128"},
        {"Chr(-10544) & Chr(&HD6D0) & Chr(65) & Chr(128)", "String 中中A€"},
        {"Asc(Chr(255)) & \"|\" & Asc(Chr(0))", "String 255|0"},
        {"AscW(Chr(&H81))", "Integer 12539"},
        {"Asc(\"☃\")", "Integer 63"},
        {"String(2, -10544 + 65536 * 0 + 200) = String(2, Chr(200))", "Boolean True"},
        {"Chr(65536)", "error 5: 无效的过程调用或参数"},
        {"Chr(-32769)", "error 5: 无效的过程调用或参数"},
        {"Asc(Empty)", "error 5: 无效的过程调用或参数"},
        {"Asc(Null)", "error 94: 无效使用 Null"},
    });
}

TEST(ByteFunctions, WorkOnTheBytesOfTheUnicodeText) {
    check_table({
        {"LenB(\"中\") & LenB(\"abc\") & LenB(\"\")", "String 260"},
        {"AscB(\"A\") & \"|\" & AscB(\"中\")", "String 65|45"},
        {"LenB(ChrB(65)) & Len(ChrB(65)) & LenB(CStr(ChrB(65)))", "String 101"},
        {"ChrB(65) & ChrB(66)", "String 䉁"},
        {"LenB(ChrB(65) & \"b\")", "Long 3"},
        {"LeftB(\"abc\", 4) & \"|\" & MidB(\"abc\", 3, 2) & \"|\" & RightB(\"abc\", 2)", "String ab|b|c"},
        {"LenB(LeftB(\"abc\", 3))", "Long 3"},
        {"MidB(\"abc\", 7)", "String "},
        {"InStrB(\"abc\", \"c\") & InStrB(3, \"abab\", \"a\") & InStrB(\"abc\", \"\")", "String 551"},
        {"InStrB(1, \"ABC\", \"b\", 1)", "Long 3"},
        {"ChrB(256)", "error 5: 无效的过程调用或参数"},
        {"AscB(\"\")", "error 5: 无效的过程调用或参数"},
        {"LeftB(\"a\", -1)", "error 5: 无效的过程调用或参数"},
        {"LenB(Null)", "Null"},
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
        {"\"(5)\"+1", "Double -4"},
        {"\"5-\"*1", "Double -5"},
        {"\"1,,000\"*1 & \"|\" & \"1,00,0,,\"*1", "String 1000|1000"},
        {"\"¥12\"*1", "Double 12"},
        {"CDbl(\" ( ¥1,234.5 ) \") & \"|\" & CDbl(\"12¥¥\") & \"|\" & CDbl(\"- 5\") & \"|\" & CDbl(\"-¥.5e1\")",
         "String -1234.5|12|-5|-5"},
        {"CDbl(ChrW(160) & \"5\" & vbVerticalTab & vbFormFeed)", "Double 5"},
        {"CInt(\"(5)\") & CLng(\"5-\") & CCur(\"(1,5.5¥)\") & CByte(\"¥2\") & IsNumeric(\"(5)\")",
         "String -5-5-15.52True"},
        {"IsNumeric(\",1\") Or IsNumeric(\"-5-\") Or IsNumeric(\"(5\") Or IsNumeric(\"5)\") Or IsNumeric(\"¥¥1\") Or "
         "IsNumeric(\"+ +1\") Or IsNumeric(\"1e\") Or IsNumeric(\"1..5\") Or IsNumeric(\"¥\") Or IsNumeric(\"()\")",
         "Boolean False"},
        {"CDbl(\"-5-\")", "error 13: 类型不匹配"},
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
        {"Eval(\"Array(1, 2)\")(1) + UBound(Array(1, 2), 1)", "Long 3"},
        {"Join(Array(Err, CCur(1.5), #1/2/2020#), \";\")", "String 0;1.5;2020/1/2"},
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
        {"CCur(\"0.000001\") & \"|\" & CCur(\"0.00006\") & \"|\" & CCur(\"-0.00005\") & \"|\" & CCur(\"1e-30\")",
         "String 0|0.0001|0|0"},
        {"CCur(\" +.5 \") & \"|\" & CCur(\"5.\") & \"|\" & CCur(\"-1.23456789e3\")", "String 0.5|5|-1234.5679"},
        {"CCur(\"1e15\")", "error 6: 溢出"},
        {"CCur(\"1e\")", "error 13: 类型不匹配"},
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
        {"CSng(0.1) = 0.1", "Boolean True"},
        {"0.1 <> CSng(0.1) Or 0.1 > CSng(0.1) Or CSng(0.1) < 0.1 Or Not CSng(0.1) >= 0.1", "Boolean False"},
        {"CSng(1) = 1.00000001 And CSng(0.001 * 0.001) = 0.000001", "Boolean True"},
        {"CSng(1) = CDate(1.00000001) And CSng(0.1) = CCur(0.1) And CCur(0.1) = CSng(0.1)", "Boolean True"},
        {"CSng(3.4E+38) < 1E+300", "Boolean True"},
        {"CSng(16777216) = CLng(16777217)", "Boolean False"},
        {"CSng(0.1) = CSng(0.1)", "Boolean True"},
        {"CSng(0.1) + CSng(0.2)", "Single 0.3"},
        {"CDbl(CSng(0.1))", "Double 0.100000001490116"},
        {"CSng(1) / 3", "Single 0.3333333"},
        {"TypeName(CSng(1) / CLng(3)) & TypeName(CSng(1) / 1.5) & TypeName(CByte(1) / CSng(2))",
         "String DoubleDoubleSingle"},
        {"TypeName(CSng(1) * CCur(1))", "String Double"},
    });
}

TEST(ConversionFunctions, BooleanTextsAndBooleanBits) {
    check_table({
        {"CBool(\"#TRUE#\")", "Boolean True"},
        {"CBool(\" #FALSE# \")", "Boolean False"},
        {"CBool(\"#True#\")", "error 13: 类型不匹配"},
        {"CBool(\"fAlSe\") & CBool(\"(5)\")", "String FalseTrue"},
        {"Not \"#FALSE#\"", "Boolean True"},
        {"\"#TRUE#\" And 5", "Integer 5"},
        {"\"#TRUE#\" Or Null", "Boolean True"},
        {"CInt(\"#TRUE#\")", "error 13: 类型不匹配"},
        {"CByte(True) & \"|\" & CByte(False)", "String 255|0"},
        {"TypeName(CByte(True))", "String Byte"},
        {"Round(True)", "Boolean True"},
    });
}

TEST(EngineFunctions, EvalVersionsLocaleColoursAndTimer) {
    check_table({
        {"Eval(\"1+2*3\")", "Integer 7"},
        {"Eval(\"Eval(\"\"2^10\"\")\") & Eval(12)", "String 102412"},
        {"Eval(\"\")", "Empty"},
        {"Eval(\"1+\")", "error 1023: 缺少表达式"},
        {"Eval(\"1/0\")", "error 11: 被零除"},
        {"Eval(Null)", "error 94: 无效使用 Null"},
        {"ScriptEngine & ScriptEngineMajorVersion & \".\" & ScriptEngineMinorVersion", "String VBScript5.8"},
        {"TypeName(ScriptEngineBuildVersion)", "String Long"},
        {"GetLocale", "Long 2052"},
        {"RGB(1, 2, 3) = 1 + 2 * 256 + 3 * 65536", "Boolean True"},
        {"RGB(300, 255.5, 0)", "Long 65535"},
        {"RGB(-1, 0, 0)", "error 5: 无效的过程调用或参数"},
        {"TypeName(Timer) & (Timer >= 0 And Timer < 86400)", "String SingleTrue"},
    });
}

TEST(EngineFunctions, EvalThatEvaluatesItselfStopsAtItsNestingBound) {
    const std::string quine = "Eval(Replace(@,Chr(64),Chr(34)&Replace(@,Chr(34),Chr(34)&Chr(34))&Chr(34)))";
    std::string formula = quine;
    const std::string quoted = "\"" + quine + "\"";
    for (size_t at = 0; (at = formula.find('@', at)) != std::string::npos; at += quoted.size())
        formula.replace(at, 1, quoted);
    EXPECT_EQ(outcome(formula), "error 28: 堆栈溢出");
    EXPECT_EQ(outcome("Eval(String(8000000, \"1\"))"), "error 7: 内存不够");
}

TEST(FormatFunctions, NumbersCurrencyPercentInChineseConventions) {
    check_table({
        {"FormatNumber(1234.5678)", "String 1,234.57"},
        {"FormatNumber(-1234.5678, 0)", "String -1,235"},
        {"FormatNumber(2.5, 0) & \"|\" & FormatNumber(0.125, 2)", "String 3|0.13"},
        {"FormatNumber(.2, , 0) & \"|\" & FormatNumber(.2, , -1)", "String .20|0.20"},
        {"FormatNumber(-50, , , -1) & \"|\" & FormatNumber(-50, , , 0)", "String (50.00)|-50.00"},
        {"FormatNumber(1000000, , , , 0) & \"|\" & FormatNumber(1000000, , , , vbUseDefault)",
         "String 1000000.00|1,000,000.00"},
        {"FormatNumber(9.999, 2) & \"|\" & FormatNumber(-0.001)", "String 10.00|-0.00"},
        {"FormatNumber(1, -1) & \"|\" & FormatNumber(\"1e3\", 3)", "String 1.00|1,000.000"},
        {"FormatNumber(Null)", "error 13: 类型不匹配"},
        {"FormatNumber(\"abc\")", "error 13: 类型不匹配"},
        {"FormatNumber(1, Null)", "error 94: 无效使用 Null"},
        {"FormatNumber(1, -2)", "error 5: 无效的过程调用或参数"},
        {"FormatCurrency(1234.5) & \"|\" & FormatCurrency(-1234.5)", "String ¥1,234.50|¥-1,234.50"},
        {"FormatCurrency(-1000, , , -1)", "String (¥1,000.00)"},
        {"FormatCurrency(CCur(\"922337203685477.5807\"), 4)", "String ¥922,337,203,685,477.5807"},
        {"FormatPercent(0.125) & \"|\" & FormatPercent(-0.5, 0) & \"|\" & FormatPercent(-0.5, 0, , -1)",
         "String 12.50%|-50%|(50%)"},
        {"FormatNumber(CSng(0.1), 9) & \"|\" & FormatNumber(True) & \"|\" & FormatNumber(#1/2/2020#, 0)",
         "String 0.100000000|-1.00|43,832"},
        {"FormatNumber(123456.789, 2, , , 0) & \"|\" & FormatPercent(\"0.5\")", "String 123456.79|50.00%"},
        {"Len(FormatNumber(1, 1000))", "Long 1002"},
        {"FormatNumber(1, 100000000)", "error 7: 内存不够"},
    });
}

TEST(FormatFunctions, DatesAndNamesInChineseConventions) {
    check_table({
        {"FormatDateTime(#2020-01-02 13:04:05#)", "String 2020/1/2 13:04:05"},
        {"FormatDateTime(#2020-01-02 13:04:05#, vbLongDate)", "String 2020年1月2日"},
        {"FormatDateTime(#2020-01-02 13:04:05#, vbShortDate)", "String 2020/1/2"},
        {"FormatDateTime(#2020-01-02 13:04:05#, vbLongTime)", "String 13:04:05"},
        {"FormatDateTime(#9:04:05#, vbShortTime)", "String 09:04"},
        {"FormatDateTime(0.5) & \"|\" & FormatDateTime(\"2020-1-2\")", "String 12:00:00|2020/1/2"},
        {"FormatDateTime(Null)", "error 13: 类型不匹配"},
        {"FormatDateTime(1, 5)", "error 5: 无效的过程调用或参数"},
        {"MonthName(1) & MonthName(12, True) & MonthName(\"3\", 10)", "String 一月12月3月"},
        {"MonthName(13)", "error 5: 无效的过程调用或参数"},
        {"MonthName(1, Null)", "error 94: 无效使用 Null"},
        {"WeekdayName(1) & WeekdayName(1, True, vbMonday) & WeekdayName(1, True, 0) & WeekdayName(7, , 7)",
         "String 星期日周一周一星期五"},
        {"WeekdayName(8)", "error 5: 无效的过程调用或参数"},
        {"WeekdayName(1, , 8)", "error 5: 无效的过程调用或参数"},
    });
}

TEST(DateFunctions, PartsValuesAndWeeksOfTheYear) {
    check_table({
        {"DatePart(\"yyyy\", #3/4/2021#) & DatePart(\"q\", #3/4/2021#) & DatePart(\"m\", #3/4/2021#)", "String 202113"},
        {"DatePart(\"y\", #3/4/2021#) & \"|\" & DatePart(\"d\", #3/4/2021#) & \"|\" & DatePart(\"w\", #3/4/2021#)",
         "String 63|4|5"},
        {"DatePart(\"w\", #3/4/2021#, vbMonday) & DatePart(\"w\", #3/4/2021#, vbUseSystemDayOfWeek)", "String 44"},
        {"DatePart(\"h\", #13:04:05#) & DatePart(\"n\", #13:04:05#) & DatePart(\"s\", #13:04:05#)", "String 1345"},
        {"DatePart(\"ww\", #1/1/2021#) & \"|\" & DatePart(\"ww\", #12/31/2021#)", "String 1|53"},
        {"DatePart(\"ww\", #1/1/2021#, vbMonday, vbFirstFourDays)", "Integer 53"},
        {"DatePart(\"ww\", #1/4/2021#, vbMonday, vbFirstFourDays)", "Integer 1"},
        {"DatePart(\"ww\", #1/3/2021#, vbMonday, vbFirstFullWeek)", "Integer 52"},
        {"DatePart(\"ww\", #12/31/2021#, vbMonday, vbFirstFullWeek)", "Integer 52"},
        {"TypeName(DatePart(\"yyyy\", Now))", "String Integer"},
        {"DatePart(\"ww\", Null)", "Null"},
        {"DatePart(\"x\", #1/1/2020#)", "error 5: 无效的过程调用或参数"},
        {"DatePart(\"ww\", #1/1/2020#, 1, 4)", "error 5: 无效的过程调用或参数"},
        {"Weekday(#1/5/2020#, vbUseSystemDayOfWeek)", "Integer 7"},
        {"DateValue(\"2020/1/2 13:00\") & \"|\" & TimeValue(\"2020/1/2 13:00\")", "String 2020/1/2|13:00:00"},
        {"DateValue(\"x\")", "error 13: 类型不匹配"},
        {"CDate(\"2020年1月2日 13:04\") & \"|\" & IsDate(\"2020年\")", "String 2020/1/2 13:04:00|False"},
        {"CDate(\"6/30/2011\u30001:20:34\")", "Date 2011/6/30 1:20:34"},
        {"CDate(FormatDateTime(#3/4/2021#, vbLongDate)) = #3/4/2021#", "Boolean True"},
        {"DateValue(Null)", "Null"},
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
