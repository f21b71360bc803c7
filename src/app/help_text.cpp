#include "app/form1.h"

namespace app {

namespace {

// Joined with CR LF, no break after the last line. Trailing blanks belong to the text.
constexpr const char16_t* help_lines[] = {
    u"说明:  ",
    u"○在框内连续输入公式,如:1+2.5-36.25+2*3 会实时得出结果  ",
    u"○如果要清除全部公式内容,请按ESC键(清空)  ",
    u"○公式中容认\"++,--,+-,-+\",且分别对应\"+,+,-,-\"  ",
    u"○公式中可包含常用函数如",
    u"sin(),",
    u"right()(左字符),",
    u"left(),",
    u"mid(),",
    u"abs()(绝对值),",
    u"round()(四舍五入),",
    u"Atn()(反正切值),",
    u"Exp(number)(e（自然对数的底）的幂次方),",
    u"Int(number)(数字的整数部分),",
    u"Fix(number)",
    u"Int 和 Fix 函数的区别在于如果 number 参数为负数时，Int 函数返回小于或等于 number 的第一个负整数，而 Fix 函数返回大于或等于 number 参数的第一个负整数。例如，Int 将 -8.4 转换为 -9，而 Fix 函数将 -8.4 转换为 -8。",
    u"Log(数值的自然对数),",
    u"Rnd[(number)](返回一个随机数),",
    u"Sgn返回表示数字符号的整数。",
    u"返回值",
    u"Sgn 函数有如下返回值：",
    u"",
    u"如果 number 为 Sgn 返回",
    u"大于零 1",
    u"等于零 0",
    u"小于零 -1 ",
    u"○注意:三角函数sin() cos() tan()的参数为弧度值,如果要以角度为参数,请大写三角函数名加双括号 如:sin<角度>",
    u"○计算平方根用Sqrt(n) 或者 n^(1/2)",
};

}  // namespace

std::u16string help_text() {
    std::u16string text;
    bool first = true;
    for (const char16_t* line : help_lines) {
        if (!first) text += u"\r\n";
        text += line;
        first = false;
    }
    return text;
}

}  // namespace app
