#include "vbscript/errors.h"

#include <algorithm>
#include <array>

namespace vbscript {

namespace {

struct message {
    int number;
    std::u16string_view text;
};

// The descriptions of a Chinese VBScript, sorted by number for the binary search.
constexpr std::array<message, 25> catalogue{{
    {1, u"未知的运行时错误"},
    {5, u"无效的过程调用或参数"},
    {6, u"溢出"},
    {7, u"内存不够"},
    {9, u"下标越界"},
    {11, u"被零除"},
    {13, u"类型不匹配"},
    {28, u"堆栈溢出"},
    {91, u"对象变量未设置"},
    {94, u"无效使用 Null"},
    {424, u"缺少对象"},
    {438, u"对象不支持此属性或方法"},
    {449, u"参数不可选"},
    {450, u"错误的参数个数或无效的参数属性值"},
    {1002, u"语法错误"},
    {1005, u"缺少 '('"},
    {1006, u"缺少 ')'"},
    {1007, u"缺少 ']'"},
    {1010, u"缺少标识符"},
    {1023, u"缺少表达式"},
    {1025, u"缺少语句结束"},
    {1030, u"标识符太长"},
    {1031, u"无效数字"},
    {1032, u"无效字符"},
    {1033, u"未结束的字符串常量"},
}};

static_assert(std::is_sorted(catalogue.begin(), catalogue.end(),
                             [](const message& a, const message& b) { return a.number < b.number; }));

}  // namespace

engine_error::engine_error(int number, std::u16string description)
    : std::runtime_error("vbscript error " + std::to_string(number)),
      number_(number),
      description_(std::move(description)) {}

std::optional<std::u16string_view> catalogue_text(int number) {
    auto it = std::lower_bound(catalogue.begin(), catalogue.end(), number,
                               [](const message& m, int n) { return m.number < n; });
    if (it != catalogue.end() && it->number == number) return it->text;
    return std::nullopt;
}

std::u16string_view describe(int number) {
    if (auto text = catalogue_text(number)) return *text;
    return describe(number >= 1000 ? err_syntax : err_invalid_call);
}

void raise(int number) { throw engine_error(number, std::u16string(describe(number))); }

void raise_described(int number, std::u16string description) { throw engine_error(number, std::move(description)); }

void raise(int number, std::u16string_view name) {
    std::u16string text(describe(number));
    text += u": '";
    text += name;
    text += u"'";
    throw engine_error(number, std::move(text));
}

}  // namespace vbscript
