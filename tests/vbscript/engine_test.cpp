#include <gtest/gtest.h>

#include <string>

#include "engine_results.h"
#include "vbscript/variant.h"

using engine_results::check_table;
using engine_results::outcome;
using engine_results::row;

namespace {

TEST(EngineLiterals, NumbersStringsDatesAndKeywordsKeepVBScriptTyping) {
    check_table({
        {"2.5", "Double 2.5"},
        {".5", "Double 0.5"},
        {"5.", "Double 5"},
        {"1E3", "Double 1000"},
        {"1.74532925199433E-02", "Double 1.74532925199433E-02"},
        {"1D2", "Double 100"},
        {"32767", "Integer 32767"},
        {"32768", "Long 32768"},
        {"2147483648", "Double 2147483648"},
        {"&HFFFF", "Integer -1"},
        {"&H8000", "Integer -32768"},
        {"&H10000", "Long 65536"},
        {"&HFFFF&", "Long 65535"},
        {"&HFFFFFFFF", "Integer -1"},
        {"&o17", "Integer 15"},
        {"\"say \"\"hi\"\"\"", "String say \"hi\""},
        {"\"\"", "String "},
        {"#1/2/2020#", "Date 2020/1/2"},
        {"#2020-01-02 13:04:05#", "Date 2020/1/2 13:04:05"},
        {"#13:30#", "Date 13:30:00"},
        {"True", "Boolean True"},
        {"false", "Boolean False"},
        {"Empty", "Empty"},
        {"NULL", "Null"},
        {"Nothing", "Nothing"},
        {"undeclared_name", "Empty"},
        {"PI", "Empty"},
        {"", "Empty"},
        {"  \r\n  ", "Empty"},
        {"1 + 2 ' a comment", "Integer 3"},
        {"1 + _\r\n 2", "Integer 3"},
        {"1+2\r\n", "Integer 3"},
    });
}

TEST(EngineOperators, PrecedenceAndAssociativityFollowWindows) {
    check_table({
        {"1+2.5-36.25+2*3", "Double -26.75"},
        {"-3^2", "Double 9"},
        {"2^-1", "Double 0.5"},
        {"2^3^2", "Double 64"},
        {"2*-3^2", "Double 18"},
        {"1++2", "Integer 3"},
        {"1--2", "Integer 3"},
        {"1+-2", "Integer -1"},
        {"1-+2", "Integer -1"},
        {"- - - 1", "Integer -1"},
        {"7 \\ 2 * 2", "Integer 1"},
        {"10 Mod 4 \\ 2", "Integer 0"},
        {"1 + 10 Mod 4", "Integer 3"},
        {"1 + 2 & 3", "String 33"},
        {"1 & 2 = \"12\"", "Boolean True"},
        {"Not 1 = 2", "Boolean True"},
        {"Not 0 And 1", "Integer 1"},
        {"1 Or 2 And 0", "Integer 1"},
        {"True Xor True Or True", "Boolean False"},
        {"False Imp False Eqv False", "Boolean True"},
        {"(1+2)*3", "Integer 9"},
        {"sin (0)", "Double 0"},
        {"3>2", "Boolean True"},
        {"2<>3", "Boolean True"},
        {"1 < 2 < 3", "Boolean True"},
        {"Not Not 5", "Integer 5"},
        {"1 And Not 0 = 1", "Integer 1"},
        {"(Not 0) + 1", "Integer 0"},
        {"abs (-2) ^ 2", "Double 4"},
        {"-2 ^ 2 * 3", "Double 12"},
        {"2 ^ - - 2", "Double 4"},
        {"left(\"abc\", 1 + 1) & mid(\"xyz\", (2), 1)", "String aby"},
    });
}

TEST(EngineSubtypes, ResultsPromoteAsVBScriptDoes) {
    check_table({
        {"32767+1", "Long 32768"},
        {"-32768-1", "Long -32769"},
        {"2147483647+1", "Double 2147483648"},
        {"200*200", "Long 40000"},
        {"CByte(200)+CByte(100)", "Integer 300"},
        {"CByte(2)+CByte(3)", "Byte 5"},
        {"CByte(2)-CByte(3)", "Integer -1"},
        {"True+True", "Integer -2"},
        {"CSng(1.5)+1", "Single 2.5"},
        {"CSng(1.5)+CLng(1)", "Double 2.5"},
        {"CSng(1)/CSng(3)", "Single 0.3333333"},
        {"1/2", "Double 0.5"},
        {"\"1\"+2", "Double 3"},
        {"\"a\"+\"b\"", "String ab"},
        {"\"a\"+Empty", "String a"},
        {"Empty+Empty", "Integer 0"},
        {"Empty+CByte(5)", "Byte 5"},
        {"\"3\"-\"1\"", "Double 2"},
        {"#1/2/2020#+1", "Date 2020/1/3"},
        {"#1/3/2020#-#1/1/2020#", "Double 2"},
        {"#1/2/2020#*1", "Double 43832"},
        {"-(-32768)", "Long 32768"},
        {"-Empty", "Integer 0"},
        {"-True", "Integer 1"},
        {"7.5\\2", "Long 4"},
        {"2147483647\\1", "Long 2147483647"},
        {"-7 Mod 3", "Integer -1"},
        {"5.5 Mod 3", "Long 0"},
        {"Null+1", "Null"},
        {"Null&Null", "Null"},
        {"Null&\"a\"", "String a"},
        {"1.5 & \"\"", "String 1.5"},
        {"True & \"\"", "String True"},
        {"-Null", "Null"},
        {"Null\\1", "Null"},
        {"2^0.5*2^0.5", "Double 2"},
    });
}

TEST(EngineComparisons, NumbersStringsEmptyAndNull) {
    check_table({
        {"1 = 1.0", "Boolean True"},
        {"\"a\" < \"b\"", "Boolean True"},
        {"\"a\" < \"B\"", "Boolean False"},
        {"\"abc\" = \"abc\"", "Boolean True"},
        {"1 < \"a\"", "Boolean True"},
        {"\"1\" = 1", "Boolean False"},
        {"Empty = 0", "Boolean True"},
        {"Empty = \"\"", "Boolean True"},
        {"Empty < 1", "Boolean True"},
        {"True = -1", "Boolean True"},
        {"Null = Null", "Null"},
        {"1 <> Null", "Null"},
        {"#1/1/2020# < #1/2/2020#", "Boolean True"},
        {"Nothing Is Nothing", "Boolean True"},
    });
}

TEST(EngineLogic, BitwiseOnNumbersAndNullRules) {
    check_table({
        {"Not 0", "Integer -1"},           {"Not True", "Boolean False"},
        {"Not CByte(1)", "Byte 254"},      {"Not 1.6", "Long -3"},
        {"Not Empty", "Integer -1"},       {"Not Null", "Null"},
        {"12 And 10", "Integer 8"},        {"12 Or 3", "Integer 15"},
        {"12 Xor 10", "Integer 6"},        {"True And 3", "Integer 3"},
        {"70000 And 1", "Long 0"},         {"Null And False", "Boolean False"},
        {"Null And True", "Null"},         {"Null Or True", "Boolean True"},
        {"Null Or False", "Null"},         {"False Imp Null", "Boolean True"},
        {"Null Imp True", "Boolean True"}, {"True Imp Null", "Null"},
        {"Null Xor True", "Null"},         {"True Eqv False", "Boolean False"},
        {"\"3\" And 1", "Long 1"},         {"Null Or 2", "Integer 2"},
        {"Empty Or Null", "Null"},         {"Null And CCur(0)", "Long 0"},
        {"Null Or CSng(1)", "Long 1"},     {"CByte(2) Or Null", "Byte 2"},
        {"CDbl(1) Imp Null", "Long -2"},   {"CByte(0) Imp Null", "Byte 255"},
        {"Null Imp -1", "Integer -1"},     {"Null Imp 0", "Null"},
        {"Empty Imp Null", "Integer -1"},  {"0 Eqv Null", "Null"},
    });
}

TEST(EngineErrors, EachFailureHasItsNumberAndChineseDescription) {
    check_table({
        {"1/0", "error 11: 被零除"},
        {"0/0", "error 6: 溢出"},
        {"5 \\ 0", "error 11: 被零除"},
        {"5 Mod 0", "error 11: 被零除"},
        {"1E308*10", "error 6: 溢出"},
        {"10^400", "error 6: 溢出"},
        {"(-8)^(1/3)", "error 5: 无效的过程调用或参数"},
        {"0^-1", "error 5: 无效的过程调用或参数"},
        {"3000000000 \\ 1", "error 6: 溢出"},
        {"\"abc\"*2", "error 13: 类型不匹配"},
        {"Sqrt(16)", "Double 4"},
        {"foo(1)", "error 13: 类型不匹配: 'foo'"},
        {"Cot(1)", "error 13: 类型不匹配: 'Cot'"},
        {"sin(1,2)", "error 450: 错误的参数个数或无效的参数属性值: 'sin'"},
        {"sin", "error 450: 错误的参数个数或无效的参数属性值: 'sin'"},
        {"Now(1)", "error 450: 错误的参数个数或无效的参数属性值: 'Now'"},
        {"1 Is 1", "error 424: 缺少对象"},
        {"sin(Null)", "error 94: 无效使用 Null"},
        {"1+", "error 1023: 缺少表达式"},
        {"sin<>", "error 1023: 缺少表达式"},
        {"(1", "error 1006: 缺少 ')'"},
        {"sin(1.74532925199433E-02*(30", "error 1006: 缺少 ')'"},
        {"left(\"a\",1", "error 1006: 缺少 ')'"},
        {"1 2", "error 1025: 缺少语句结束"},
        {"1(1.74532925199433E-02*(2", "error 1025: 缺少语句结束"},
        {"sin(1.74532925199433E-02*(30))))1", "error 1025: 缺少语句结束"},
        {"1\r\n2", "error 1025: 缺少语句结束"},
        {"1E", "error 1031: 无效数字"},
        {"&H", "error 1023: 缺少表达式"},
        {"1 @ 2", "error 1032: 无效字符"},
        {"1 + \"１", "error 1033: 未结束的字符串常量"},
        {"\"abc", "error 1033: 未结束的字符串常量"},
        {"if", "error 1002: 语法错误"},
        {"#99/99/2020#", "error 1002: 语法错误"},
        {"1/0 + )", "error 1023: 缺少表达式"},
        {"1 + Not 2", "error 1023: 缺少表达式"},
        {"-Not 1", "error 1023: 缺少表达式"},
        {"+Not 1", "error 1023: 缺少表达式"},
        {"1 = Not 2", "error 1023: 缺少表达式"},
        {"sin(1,)", "error 450: 错误的参数个数或无效的参数属性值: 'sin'"},
        {"()", "error 1023: 缺少表达式"},
        {"(1,2)", "error 1006: 缺少 ')'"},
        {"left(\"abc\" 2)", "error 1006: 缺少 ')'"},
        {"(1\r\n)", "error 1006: 缺少 ')'"},
        {"1,2", "error 1025: 缺少语句结束"},
        {"abs(-1)(2)", "error 13: 类型不匹配"},
        {"1)", "error 1025: 缺少语句结束"},
        {"1/0 + foo(1)", "error 11: 被零除"},
        {"Space(-1)", "error 5: 无效的过程调用或参数"},
    });
}

TEST(EngineConstants, NamesReadAsTheirValueAndSubtypeInAnyCase) {
    check_table({
        {"VarType(vbFalse) & VarType(vbRed) & VarType(vbCrLf)", "String 238"},
        {"vbCrLf = Chr(13) & Chr(10) And vbNewLine = vbCrLf", "Boolean True"},
        {"Asc(vbCr) & Asc(vbLf) & Asc(vbTab) & Asc(vbFormFeed) & Asc(vbVerticalTab)", "String 131091211"},
        {"Len(vbNullChar) & Len(vbNullString)", "String 10"},
        {"VBTEXTCOMPARE + vbSaturday", "Integer 8"},
        {"vbBlue + vbGreen + vbRed = vbWhite", "Boolean True"},
        {"vbObjectError", "Long -2147221504"},
        {"vbMsgBoxRtlReading", "Long 1048576"},
        {"vbArray + vbVariant", "Integer 8204"},
        {"vbUseDefault & vbTrue & vbFirstFullWeek & vbShortTime & vbYes & vbCritical", "String -2-134616"},
        {"vbCr(1)", "error 13: 类型不匹配: 'vbCr'"},
    });
}

TEST(EngineSyntax, PostfixOmittedArgumentsAndOtherSpellings) {
    check_table({
        {"Array(1,2,3)(1)", "Integer 2"},
        {"Split(\"a,b\",\",\")(1)", "String b"},
        {"Array(Array(1,2),3)(0)(1)", "Integer 2"},
        {"(Array(1,2))(0.6)", "Integer 2"},
        {"-Array(1,2)(1) ^ 2", "Double 4"},
        {"Array(1,2)(2)", "error 9: 下标越界"},
        {"Array(1,2)(-1)", "error 9: 下标越界"},
        {"Array(1,2)(0,1)", "error 9: 下标越界"},
        {"Array(1,2)()", "error 9: 下标越界"},
        {"\"ab\"(0)", "error 1025: 缺少语句结束"},
        {"InStrRev(\"abcabc\",\"b\",,0)", "Long 5"},
        {"InStr(,\"abc\",\"c\")", "error 449: 参数不可选"},
        {"Mid(,1)", "error 449: 参数不可选"},
        {"Array(1,,2)", "error 449: 参数不可选"},
        {"(1,)", "error 1006: 缺少 ')'"},
        {"2 => 2", "Boolean True"},
        {"1 =< 0", "Boolean False"},
        {"2 >< 2", "Boolean False"},
        {"[x] + 1", "Integer 1"},
        {"[if] & [a b]", "String "},
        {"[sin](0)", "Double 0"},
        {"[vbTab] = vbTab", "Boolean True"},
        {"[abc", "error 1007: 缺少 ']'"},
        {"\"x\" &hi", "String x"},
        {"(&h01or&h02)", "Integer 3"},
        {"VarType(&h10&) & VarType(&hFFFF&) & VarType(&hFFFFFFFE&)", "String 232"},
        {"1+2 Rem x", "error 1025: 缺少语句结束"},
        {"Rem 1/0", "Empty"},
        {"1+2 :", "error 1025: 缺少语句结束"},
        {"1+2 : rem x", "error 1025: 缺少语句结束"},
        {"1+2\r\n\r\n:", "error 1025: 缺少语句结束"},
        {"1+2\r\nRem x", "Integer 3"},
        {"1+Rem", "error 1002: 语法错误"},
        {"Err.", "error 1010: 缺少标识符"},
    });
}

TEST(EngineObjects, ErrAndNothingAsFarAsAnExpressionReaches) {
    check_table({
        {"Err.Number & Err.description & Err.Source & Err.HelpFile & Err.HelpContext", "String 00"},
        {"Err + 1", "Long 1"},
        {"Err = 0", "Boolean True"},
        {"Err.Clear", "Empty"},
        {"Err.Clear()", "Empty"},
        {"TypeName(Err) & VarType(Err) & IsObject(Err)", "String Object9True"},
        {"Err Is Err", "Boolean True"},
        {"Err Is Nothing", "Boolean False"},
        {"Err.Raise(5)", "error 5: 无效的过程调用或参数"},
        {"Err.Raise(1)", "error 1: 未知的运行时错误"},
        {"Err.Raise(1000, \"src\", \"自定义\")", "error 1000: 自定义"},
        {"Err.Raise(0)", "error 5: 无效的过程调用或参数"},
        {"Err.Raise(70000)", "error 5: 无效的过程调用或参数"},
        {"Err.Raise(&H800A000B&)", "error 11: 被零除"},
        {"Err.Raise(-20)", "error -20: 未知的运行时错误"},
        {"Err.Raise", "error 450: 错误的参数个数或无效的参数属性值"},
        {"Err.Number(1)", "error 450: 错误的参数个数或无效的参数属性值"},
        {"Err.Foo", "error 438: 对象不支持此属性或方法: 'Err.Foo'"},
        {"Err.rem", "error 438: 对象不支持此属性或方法: 'Err.rem'"},
        {"Err.Number.Foo", "error 424: 缺少对象: 'Err.Number'"},
        {"x.y", "error 424: 缺少对象: 'x'"},
        {"Array(1).Count", "error 424: 缺少对象: 'Array(1)'"},
        {"TypeName(Nothing) & VarType(Nothing) & IsObject(Nothing)", "String Nothing9True"},
        {"Nothing + 1", "error 91: 对象变量未设置"},
        {"Not Nothing", "error 91: 对象变量未设置"},
        {"\"\" & Nothing", "error 91: 对象变量未设置"},
        {"Nothing = Nothing", "error 91: 对象变量未设置"},
        {"IsNumeric(Err) And Not IsNumeric(Nothing)", "Boolean True"},
        {"Empty + Err", "Long 0"},
        {"Empty + Nothing", "error 91: 对象变量未设置"},
        {"Empty & Array(1)", "error 13: 类型不匹配"},
        {"Err.[Number] + Err.number", "Long 0"},
    });
}

TEST(EngineFullWidthInput, ReadsAsASCIIOutsideStringLiterals) {
    check_table({
        {"１＋２", "Integer 3"},
        {"（３）＊２　－　ｓｉｎ（０）", "Double 6"},
        {"１　＜＞　２", "Boolean True"},
        {"＃1/2/2020＃ + 1", "Date 2020/1/3"},
        {"ｆｏｏ（１）", "error 13: 类型不匹配: 'foo'"},
        {"\"１＋２\" ＆ Ｌｅｆｔ（\"ａｂ\"，１）", "String １＋２ａ"},
        {"Len(\"　\")", "Long 1"},
        {"＂ａ＂", "error 1033: 未结束的字符串常量"},
        {"1 ＠ 2", "error 1032: 无效字符"},
        {"1 ＋ ２ ＇ 全角注释\"", "Integer 3"},
        {"\"a\"\"１\"＆１", "String a\"１1"},
    });
}

TEST(EngineLimits, DeepNestingEvaluatesUpToTheBoundThenFailsWithOutOfStack) {
    const std::string deep = std::string(10000, '(') + "1" + std::string(10000, ')');
    EXPECT_EQ(outcome(deep), "Integer 1");
    const std::string deeper = std::string(20001, '(') + "1" + std::string(20001, ')');
    EXPECT_EQ(outcome(deeper), "error 28: 堆栈溢出");
    std::string calls;
    for (int i = 0; i < 5000; ++i) calls += "abs(";
    calls += "-1" + std::string(5000, ')');
    EXPECT_EQ(outcome(calls), "Integer 1");
    EXPECT_EQ(outcome(std::string(100000, '(')), "error 28: 堆栈溢出");
}

TEST(EngineLimits, LongChainsAndPrefixRunsNeedNoDeepStack) {
    std::string chain = "1";
    for (int i = 1; i < 1000000; ++i) chain += "+1";
    EXPECT_EQ(outcome(chain), "Long 1000000");
    EXPECT_EQ(outcome(std::string(200000, '-') + "1"), "Integer 1");
    std::string nots;
    for (int i = 0; i < 100001; ++i) nots += "Not ";
    EXPECT_EQ(outcome(nots + "0"), "Integer -1");
    // A member keeps what was written before it for its message, which must cost no copy
    // of that text each: these took gigabytes.
    std::string members = "Err.Number";
    while (members.size() < 1000000) members += ".x";
    EXPECT_EQ(outcome(members), "error 424: 缺少对象: 'Err.Number'");
    EXPECT_EQ(outcome("Eval(\"Err.Number\"&Replace(Space(190000),\" \",\".x\"))"), "error 424: 缺少对象: 'Err.Number'");
}

TEST(EngineLimits, HugeTextsFailWithOutOfMemory) {
    check_table({
        {"Len(Space(1000000))", "Long 1000000"},
        {"Space(100000000)", "error 7: 内存不够"},
        {"String(100000000, \"a\")", "error 7: 内存不够"},
        {"Len(Space(10000000) & Space(10000000))", "error 7: 内存不够"},
        {"Len(Replace(Space(5000000), \" \", \"abcd\"))", "error 7: 内存不够"},
    });
}

// Every text an evaluation makes or copies counts: a short formula that copies a long
// text over and over runs out of budget at once instead of running for minutes.
TEST(EngineLimits, FunctionsThatCopyLongTextsShareOneBudget) {
    const std::string functions[] = {"UCase(", "LCase(", "Trim(",   "StrReverse(", "CStr(",  "Mid(",
                                     "Left(",  "Right(", "Escape(", "Join(Array(", "Array(", "Filter(Array("};
    const std::string closes[] = {")",         ")",         ")", ")",  ")",    ",1)",
                                  ",1000000)", ",1000000)", ")", "))", ")(0)", "),\"a\")(0)"};
    for (std::size_t f = 0; f < std::size(functions); ++f) {
        std::string formula = "String(1000000, \"a\")";
        for (int level = 0; level < 6; ++level) formula = functions[f] + formula + closes[f];
        EXPECT_EQ(outcome("Len(" + formula + ")"), "error 7: 内存不够") << functions[f];
        EXPECT_EQ(outcome("Len(" + functions[f] + "String(1000000, \"a\")" + closes[f] + ")").substr(0, 4), "Long")
            << functions[f] << " of one long text still works";
    }
}

// The budget is one evaluation's own: each starts with all of it, one that ran out
// leaves nothing behind, and a value copied outside any evaluation counts nothing.
TEST(EngineLimits, EachEvaluationHasItsOwnBudgetAndCopiesOutsideCountNothing) {
    const std::string uses_half = "Len(UCase(String(1000000, \"a\")))";
    for (int i = 0; i < 4; ++i) EXPECT_EQ(outcome(uses_half), "Long 1000000");
    EXPECT_EQ(outcome("Len(UCase(UCase(UCase(UCase(String(1000000, \"a\"))))))"), "error 7: 内存不够");
    const vbscript::variant long_text = vbscript::variant::string(std::u16string(1000000, u'a'));
    for (int i = 0; i < 20; ++i) {
        const vbscript::variant copy = long_text;
        EXPECT_EQ(copy.text.size(), 1000000u);
    }
    EXPECT_EQ(outcome(uses_half), "Long 1000000");
}

}  // namespace
