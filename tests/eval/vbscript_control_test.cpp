#include "eval/vbscript_control.h"

#include <gtest/gtest.h>

#include "fakes/error_number.h"
#include "platform/text.h"

namespace {

using eval::make_script_control;
using fakes::error_number;

TEST(ScriptControl, EvaluatesVBScriptOnceCreatedAndSet) {
    auto control = make_script_control(u"MSScriptControl.ScriptControl");
    control->set_language(u"vbscript");
    const vbscript::variant v = control->Eval(u"1+2.5");
    EXPECT_EQ(v.type, vbscript::vt_double);
    EXPECT_EQ(v.number, 3.5);
    EXPECT_NO_THROW(make_script_control(u"msscriptcontrol.scriptcontrol")->set_language(u"VBScript"));
}

TEST(ScriptControl, NewValueKindsConvertToADoubleOrAreATypeMismatch) {
    auto control = make_script_control(u"MSScriptControl.ScriptControl");
    control->set_language(u"vbscript");
    EXPECT_EQ(eval::to_double(control->Eval(u"CCur(\"922337203685.4775\")")), 922337203685.4775);
    EXPECT_EQ(eval::to_double(control->Eval(u"Err")), 0);
    for (const char16_t* value : {u"Array(1)", u"Nothing", u"Split(\"1\")"})
        EXPECT_EQ(error_number([&] { eval::to_double(control->Eval(value)); }), 13);
}

TEST(ScriptControl, RefusesUnknownIdentifiersAndLanguages) {
    EXPECT_EQ(error_number([] { make_script_control(u"Scripting.FileSystemObject"); }), 429);
    auto control = make_script_control(u"MSScriptControl.ScriptControl");
    EXPECT_EQ(error_number([&] { control->set_language(u"jscript"); }), 380);
    EXPECT_EQ(error_number([&] { control->Eval(u"1"); }), 380);
}

TEST(ScriptControl, EvaluationFailuresCarryNumberAndDescription) {
    auto control = make_script_control(u"MSScriptControl.ScriptControl");
    control->set_language(u"vbscript");
    try {
        control->Eval(u"1/0");
        FAIL() << "no error";
    } catch (const platform::runtime_error& e) {
        EXPECT_EQ(e.number(), 11);
        EXPECT_EQ(platform::to_utf8(e.description()), "被零除");
    }
}

}  // namespace
