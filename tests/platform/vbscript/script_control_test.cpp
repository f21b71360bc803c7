#include <gtest/gtest.h>

#include "engine_results.h"
#include "platform/script_control.h"

namespace {

using platform::make_script_control;
using platform::script_error;

int failure_number(const std::function<void()>& f) {
    try {
        f();
    } catch (const script_error& e) {
        return e.number();
    }
    return 0;
}

TEST(ScriptControl, EvaluatesVBScriptOnceCreatedAndSet) {
    auto control = make_script_control(u"MSScriptControl.ScriptControl");
    control->set_language(u"vbscript");
    const vbscript::variant v = control->Eval(u"1+2.5");
    EXPECT_EQ(v.type, vbscript::vt_double);
    EXPECT_EQ(v.number, 3.5);
    EXPECT_NO_THROW(make_script_control(u"msscriptcontrol.scriptcontrol")->set_language(u"VBScript"));
}

TEST(ScriptControl, RefusesUnknownIdentifiersAndLanguages) {
    EXPECT_EQ(failure_number([] { make_script_control(u"Scripting.FileSystemObject"); }), 429);
    auto control = make_script_control(u"MSScriptControl.ScriptControl");
    EXPECT_EQ(failure_number([&] { control->set_language(u"jscript"); }), 380);
    EXPECT_EQ(failure_number([&] { control->Eval(u"1"); }), 380);
}

TEST(ScriptControl, EvaluationFailuresCarryNumberAndDescription) {
    auto control = make_script_control(u"MSScriptControl.ScriptControl");
    control->set_language(u"vbscript");
    try {
        control->Eval(u"1/0");
        FAIL() << "no error";
    } catch (const script_error& e) {
        EXPECT_EQ(e.number(), 11);
        EXPECT_EQ(engine_results::utf8(e.description()), "被零除");
    }
}

}  // namespace
