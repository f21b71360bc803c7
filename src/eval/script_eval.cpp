#include "eval/script_eval.h"

#include <new>

#include "eval/text_replace.h"
#include "eval/vbscript_control.h"

namespace eval {

namespace {

constexpr std::u16string_view prog_id = u"MSScriptControl.ScriptControl";

std::u16string tip_for(std::u16string_view description) {
    return std::u16string(tip_prefix) + replace_all(description, u"语法", u"公式");
}

}  // namespace

eval_result evaluate(std::u16string Expressions, const platform::script_control_factory& make) {
    eval_result result;
    try {
        std::unique_ptr<platform::script_control> control = make(prog_id);
        control->set_language(u"vbscript");
        result.value = to_double(control->Eval(Expressions));
    } catch (const platform::runtime_error& e) {
        result.value = 0;
        result.tip = tip_for(e.description());
    } catch (const std::bad_alloc&) {
        result.value = 0;
        result.tip = tip_for(platform::describe(platform::err_out_of_memory));
    } catch (const std::exception&) {
        // A fault of the program's own, not of the formula: the formula still shows 0 and
        // the tip names the internal error, so typing goes on.
        result.value = 0;
        result.tip = tip_for(platform::current_error().description());
    }
    return result;
}

double Eval(std::u16string Expressions, const platform::script_control_factory& make, const tip_report& show_tip) {
    eval_result r = evaluate(std::move(Expressions), make);
    if (r.tip) show_tip(*r.tip);
    return r.value;
}

}  // namespace eval
