#include "platform/script_control.h"

#include "vbscript/characters.h"
#include "vbscript/engine.h"

namespace platform {

namespace {

using vbscript::same_ignoring_case;

class vbscript_control final : public script_control {
public:
    void set_language(std::u16string_view language) override {
        if (!same_ignoring_case(language, u"vbscript")) raise(err_invalid_property_value);
        language_set_ = true;
    }

    vbscript::variant Eval(std::u16string_view expression) override {
        if (!language_set_) raise(err_invalid_property_value);
        vbscript::evaluation e = vbscript::evaluate(expression);
        if (e.failed()) throw runtime_error(e.error_number, std::move(e.error_description));
        return std::move(e.value);
    }

private:
    bool language_set_ = false;
};

}  // namespace

std::unique_ptr<script_control> make_script_control(std::u16string_view prog_id) {
    if (!same_ignoring_case(prog_id, u"MSScriptControl.ScriptControl")) raise(err_cannot_create_object);
    return std::make_unique<vbscript_control>();
}

double to_double(const vbscript::variant& value) {
    const auto n = vbscript::to_number(value);
    if (!n) raise(err_type_mismatch);
    return *n;
}

}  // namespace platform
