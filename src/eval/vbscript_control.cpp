#include "eval/vbscript_control.h"

#include "common/ascii.h"
#include "vbscript/engine.h"

namespace eval {

namespace {

using common::same_ignoring_case;
using platform::raise;

class vbscript_control final : public platform::script_control {
public:
    void set_language(std::u16string_view language) override {
        if (!same_ignoring_case(language, u"vbscript")) raise(platform::err_invalid_property_value);
        language_set_ = true;
    }

    // The engine reports a failure as its number and description; the control raises
    // them as the program's error, as every service does.
    vbscript::variant Eval(std::u16string_view expression) override {
        if (!language_set_) raise(platform::err_invalid_property_value);
        vbscript::evaluation e = vbscript::evaluate(expression);
        if (e.failed()) throw platform::runtime_error(e.error_number, std::move(e.error_description));
        return std::move(e.value);
    }

private:
    bool language_set_ = false;
};

}  // namespace

std::unique_ptr<platform::script_control> make_script_control(std::u16string_view prog_id) {
    if (!same_ignoring_case(prog_id, u"MSScriptControl.ScriptControl")) raise(platform::err_cannot_create_object);
    return std::make_unique<vbscript_control>();
}

double to_double(const vbscript::variant& value) {
    const auto n = vbscript::to_number(value);
    if (!n) raise(platform::err_type_mismatch);
    return *n;
}

}  // namespace eval
