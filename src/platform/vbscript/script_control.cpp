#include "platform/script_control.h"

#include "platform/vbscript/characters.h"
#include "platform/vbscript/engine.h"
#include "platform/vbscript/errors.h"

namespace platform {

namespace {

using vbscript::same_ignoring_case;

constexpr int err_cannot_create_object = 429;
constexpr int err_invalid_property_value = 380;

class vbscript_control final : public script_control {
public:
    void set_language(std::u16string_view language) override {
        if (!same_ignoring_case(language, u"vbscript")) throw script_error(err_invalid_property_value);
        language_set_ = true;
    }

    vbscript::variant Eval(std::u16string_view expression) override {
        if (!language_set_) throw script_error(err_invalid_property_value);
        vbscript::evaluation e = vbscript::evaluate(expression);
        if (e.failed()) throw script_error(e.error_number, std::move(e.error_description));
        return std::move(e.value);
    }

private:
    bool language_set_ = false;
};

}  // namespace

script_error::script_error(int number, std::u16string description)
    : std::runtime_error("script error " + std::to_string(number)),
      number_(number),
      description_(std::move(description)) {}

script_error::script_error(int number) : script_error(number, std::u16string(vbscript::describe(number))) {}

std::unique_ptr<script_control> make_script_control(std::u16string_view prog_id) {
    if (!same_ignoring_case(prog_id, u"MSScriptControl.ScriptControl")) throw script_error(err_cannot_create_object);
    return std::make_unique<vbscript_control>();
}

}  // namespace platform
