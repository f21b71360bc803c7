#include "eval/script_eval.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <new>

#include "eval/vbscript_control.h"
#include "platform/text.h"

namespace {

using platform::runtime_error;
using platform::script_control;
using platform::to_utf8;

// A control whose every step can be made to fail, and which answers with a set value.
struct scripted_control : script_control {
    vbscript::variant answer;
    std::u16string eval_failure;
    bool eval_fails = false;
    std::u16string* seen = nullptr;

    void set_language(std::u16string_view language) override {
        if (language != u"vbscript") throw runtime_error(380, u"无效属性值");
    }
    vbscript::variant Eval(std::u16string_view expression) override {
        if (seen) *seen = expression;
        if (eval_fails) throw runtime_error(1002, eval_failure);
        return answer;
    }
};

platform::script_control_factory answering(vbscript::variant v) {
    return [v](std::u16string_view) {
        auto c = std::make_unique<scripted_control>();
        c->answer = v;
        return c;
    };
}

platform::script_control_factory failing_with(std::u16string description) {
    return [description](std::u16string_view) {
        auto c = std::make_unique<scripted_control>();
        c->eval_fails = true;
        c->eval_failure = description;
        return c;
    };
}

TEST(Eval, ConvertsEveryReturnedValueAsTheStandardConversionDoes) {
    using vbscript::variant;
    const std::pair<variant, double> rows[] = {
        {variant::real(2.5), 2.5},
        {variant::integer(-7), -7},
        {variant::boolean(true), -1},
        {variant::boolean(false), 0},
        {variant::empty(), 0},
        {variant::string(u"12"), 12},
        {variant::string(u" 1.5E2 "), 150},
        {variant::date(43832.5), 43832.5},
        {variant::single(0.25), 0.25},
    };
    for (const auto& [value, expected] : rows) {
        const eval::eval_result r = eval::evaluate(u"x", answering(value));
        EXPECT_EQ(r.value, expected);
        EXPECT_FALSE(r.tip.has_value());
    }
}

TEST(Eval, ValuesWithoutANumberAreATypeMismatch) {
    using vbscript::variant;
    for (const variant& v : {variant::string(u"b"), variant::null(), variant::nothing(), variant::string(u"1,5x")}) {
        const eval::eval_result r = eval::evaluate(u"x", answering(v));
        EXPECT_EQ(r.value, 0);
        EXPECT_EQ(to_utf8(r.tip.value_or(u"")), "温馨提示:类型不匹配");
    }
}

TEST(Eval, FailureDescriptionsShowFormulaForSyntax) {
    const std::pair<const char16_t*, const char*> rows[] = {
        {u"语法错误", "温馨提示:公式错误"},
        {u"语法语法", "温馨提示:公式公式"},
        {u"被零除", "温馨提示:被零除"},
        {u"", "温馨提示:"},
    };
    for (const auto& [description, tip] : rows)
        EXPECT_EQ(to_utf8(eval::evaluate(u"x", failing_with(description)).tip.value_or(u"-")), tip);
}

TEST(Eval, AMissingScriptControlShowsTheCreationFailureEveryTime) {
    int attempts = 0;
    platform::script_control_factory missing = [&](std::u16string_view) -> std::unique_ptr<script_control> {
        ++attempts;
        throw runtime_error(429, u"ActiveX 部件不能创建对象");
    };
    for (int i = 0; i < 2; ++i) {
        const eval::eval_result r = eval::evaluate(u"1+1", missing);
        EXPECT_EQ(r.value, 0);
        EXPECT_EQ(to_utf8(r.tip.value_or(u"")), "温馨提示:ActiveX 部件不能创建对象");
    }
    EXPECT_EQ(attempts, 2);  // a fresh control for every call
}

TEST(Eval, RunningOutOfMemoryAndInternalFaultsAreTipsToo) {
    platform::script_control_factory exhausted = [](std::u16string_view) -> std::unique_ptr<script_control> {
        throw std::bad_alloc();
    };
    eval::eval_result r = eval::evaluate(u"1+1", exhausted);
    EXPECT_EQ(r.value, 0);
    EXPECT_EQ(to_utf8(r.tip.value_or(u"")), "温馨提示:内存不够");
    platform::script_control_factory faulty = [](std::u16string_view) -> std::unique_ptr<script_control> {
        throw std::length_error("too long");
    };
    r = eval::evaluate(u"1+1", faulty);
    EXPECT_EQ(r.value, 0);
    EXPECT_EQ(to_utf8(r.tip.value_or(u"")), "温馨提示:内部错误: too long");
}

TEST(Eval, AsksForTheScriptControlAndHandsOverTheTextUnchanged) {
    std::u16string asked_for, seen;
    platform::script_control_factory recording = [&](std::u16string_view id) {
        asked_for = id;
        auto c = std::make_unique<scripted_control>();
        c->seen = &seen;
        return c;
    };
    eval::evaluate(u" a <> \"b\" ", recording);
    EXPECT_EQ(asked_for, u"MSScriptControl.ScriptControl");
    EXPECT_EQ(seen, u" a <> \"b\" ");
}

TEST(Eval, TheRealControlRoundTrip) {
    EXPECT_EQ(eval::evaluate(u"left(\"123\",2)", eval::make_script_control).value, 12);
    const eval::eval_result r = eval::evaluate(u"1/0", eval::make_script_control);
    EXPECT_EQ(r.value, 0);
    EXPECT_EQ(to_utf8(r.tip.value_or(u"")), "温馨提示:被零除");
}

}  // namespace
