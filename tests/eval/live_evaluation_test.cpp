#include "eval/live_evaluation.h"

#include <gtest/gtest.h>

#include "app/calc.h"
#include "eval/vbscript_control.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_window_system.h"
#include "platform/text.h"

namespace {

using platform::to_u16;
using platform::to_utf8;

constexpr double deg_factor = 0.017453292519943295;

struct live_fixture : ::testing::Test {
    fakes::fake_forms_runtime forms;
    fakes::fake_window_system windows{&forms.log};
    app::calc window{{forms, windows, [] { return std::unique_ptr<platform::file_system>(); }}};

    void SetUp() override { ASSERT_TRUE(window.load()); }
    fakes::fake_text_box& formula() { return forms.live("calc")->text("Text_calc"); }
    std::string result() { return to_utf8(forms.live("calc")->text("Text_re").text()); }
    std::string tip() { return to_utf8(forms.live("calc")->label("Label_tip").caption()); }
};

struct rewrite_row {
    const char* typed;
    const char* passed;
};

TEST(DegreeRewrite, BracketsBecomeRadiansOnlyWithALessThanAndNoNotEqual) {
    const rewrite_row rows[] = {
        {"1+2.5-36.25+2*3", "1+2.5-36.25+2*3"},
        {"sin<30>", "sin(1.74532925199433E-02*(30))"},
        {"sin<30>+cos<60>", "sin(1.74532925199433E-02*(30))+cos(1.74532925199433E-02*(60))"},
        {"pi+sin<90>", "1.74532925199433E-02+sin(1.74532925199433E-02*(90))"},
        {"2*pi", "2*pi"},
        {"3>2", "3>2"},
        {"2<>3", "2<>3"},
        {"sin<>", "sin<>"},
        {"sin<30", "sin(1.74532925199433E-02*(30"},
        {"1<2", "1(1.74532925199433E-02*(2"},
        {"sin<30>+(1<>2)", "sin<30>+(1<>2)"},
        {"sin<30>>1", "sin(1.74532925199433E-02*(30))))1"},
        {"PI*sin<1>", "PI*sin(1.74532925199433E-02*(1))"},
        {"spin<2>", "s1.74532925199433E-02n(1.74532925199433E-02*(2))"},
        {"\"<b>\"", "\"(1.74532925199433E-02*(b))\""},
        {"ｓｉｎ＜３０＞＆\"＜\"", "sin(1.74532925199433E-02*(30))&\"＜\""},
        {"１＜＞２＜３", "1<>2<3"},
        {"", ""},
    };
    for (const rewrite_row& r : rows)
        EXPECT_EQ(to_utf8(eval::degree_rewrite(to_u16(r.typed), deg_factor)), r.passed) << r.typed;
}

struct shown_row {
    const char* typed;
    const char* result;
    const char* tip;  // "" for none, "*" for any tip
};

void expect_shown(const shown_row& r, const std::string& result, const std::string& tip) {
    EXPECT_EQ(result, r.result) << r.typed;
    if (std::string(r.tip) == "*") {
        EXPECT_EQ(tip.rfind("温馨提示:", 0), 0u) << r.typed << " tip: " << tip;
        EXPECT_GT(tip.size(), std::string("温馨提示:").size()) << r.typed;
    } else {
        EXPECT_EQ(tip, r.tip) << r.typed;
    }
}

const shown_row shown_rows[] = {
    {"1+2.5-36.25+2*3", "-26.75", ""},
    {"sin<30>", "0.5", ""},
    {"sin<30>+cos<60>", "1", ""},
    {"ｓｉｎ＜３０＞", "0.5", ""},
    {"pi+sin<90>", "1.01745329251994", ""},
    {"2*pi", "0", ""},
    {"3>2", "-1", ""},
    {"2<>3", "-1", ""},
    {"sin<>", "0", "温馨提示:缺少表达式"},
    {"sin<30", "0", "温馨提示:缺少 ')'"},
    {"1<2", "0", "*"},
    {"", "0", ""},
    {"sin<30>+(1<>2)", "0", "*"},
    {"sin<30>>1", "0", "*"},
    {"PI", "0", ""},
    {"cos<90>", "-3.82856869892695E-16", ""},
    {"1/0", "0", "温馨提示:被零除"},
    {"1/3", "0.333333333333333", ""},
    {"2/3", "0.666666666666667", ""},
    {"0.1+0.2", "0.3", ""},
    {"1E15", "1E+15", ""},
    {"999999999999999", "999999999999999", ""},
    {"1/24", "4.16666666666667E-02", ""},
    {"sqr(2)", "1.4142135623731", ""},
    {"1e-300", "1E-300", ""},
    {"1++2", "3", ""},
    {"1--2", "3", ""},
    {"1+-2", "-1", ""},
    {"1-+2", "-1", ""},
    {"left(\"123\",2)", "12", ""},
    {"mid(\"abc\",2,1)", "0", "温馨提示:类型不匹配"},
    {"Sqrt(16)", "4", ""},
    {"Cot(1)", "0", "温馨提示:类型不匹配: 'Cot'"},
    {"if", "0", "温馨提示:公式错误"},
    {"Null", "0", "温馨提示:类型不匹配"},
    {"#1/1/1900#", "2", ""},
    {"Atn(1)*4", "3.14159265358979", ""},
};

TEST_F(live_fixture, EveryChangeShowsTheValueOrZeroAndTheMessage) {
    for (const shown_row& r : shown_rows) {
        formula().set_text(u"x");  // a different text, so the next one is a change
        formula().set_text(to_u16(r.typed));
        expect_shown(r, result(), tip());
    }
}

TEST(EvaluateFormula, GivesWhatTheBoxesWouldShow) {
    for (const shown_row& r : shown_rows) {
        const eval::formula_view v = eval::evaluate_formula(to_u16(r.typed), deg_factor, eval::make_script_control);
        expect_shown(r, to_utf8(v.result), to_utf8(v.tip));
    }
}

TEST_F(live_fixture, TheFormulaBoxKeepsItsTextCaretAndSelection) {
    formula().type(u"sin<30>");
    EXPECT_EQ(formula().text(), u"sin<30>");
    EXPECT_EQ(formula().sel_start(), 7);
    EXPECT_EQ(result(), "0.5");
    EXPECT_EQ(formula().changes, 1);  // writing Text_re and the tip raised no change of its own
}

TEST_F(live_fixture, TypingOnUntilValidClearsTheTip) {
    const std::pair<const char16_t*, const char*> steps[] = {
        {u"1", "1"}, {u"/", "0"}, {u"0", "0"}, {u".", "0"}, {u"5", "2"},
    };
    for (const auto& [key, shown] : steps) {
        formula().type(key);
        EXPECT_EQ(result(), shown) << to_utf8(formula().text());
    }
    EXPECT_EQ(tip(), "");

    formula().set_text(u"1/0");
    EXPECT_EQ(tip(), "温馨提示:被零除");
    formula().set_sel_start(2);
    formula().set_sel_length(1);
    formula().type(u"");  // deleting the "0" leaves an incomplete formula
    EXPECT_EQ(to_utf8(formula().text()), "1/");
    EXPECT_EQ(result(), "0");
    EXPECT_EQ(tip(), "温馨提示:缺少表达式");
}

TEST_F(live_fixture, DegreeFormulasUseTheFactorSetAtLoad) {
    EXPECT_DOUBLE_EQ(window.degree_factor(), deg_factor);
    formula().set_text(u"cos<60>");
    EXPECT_EQ(result(), "0.5");
}

TEST_F(live_fixture, AFailedWriteOfTheResultEndsTheHandlerSilently) {
    formula().set_text(u"1+1");
    ASSERT_EQ(result(), "2");
    forms.live("calc")->text("Text_re").refuse_writes = true;
    EXPECT_NO_THROW(formula().set_text(u"1/0"));
    EXPECT_EQ(result(), "2");
    EXPECT_EQ(tip(), "温馨提示:被零除");
}

}  // namespace
