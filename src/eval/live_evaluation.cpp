#include "eval/live_evaluation.h"

#include <cmath>
#include <exception>

#include "eval/script_eval.h"
#include "eval/text_replace.h"
#include "vbscript/number_text.h"

namespace eval {

double degree_factor() { return std::atan(1.0) * 4 / 180; }

std::u16string degree_rewrite(std::u16string text, double deg_factor) {
    if (text.find(u'<') == std::u16string::npos || text.find(u"<>") != std::u16string::npos) return text;
    text = replace_all(text, u"<", u"(pi*(");
    text = replace_all(text, u">", u"))");
    return replace_all(text, u"pi", vbscript::number_to_text(deg_factor));
}

formula_view evaluate_formula(std::u16string formula, double deg_factor, const platform::script_control_factory& make) {
    eval_result r = evaluate(degree_rewrite(std::move(formula), deg_factor), make);
    return {vbscript::number_to_text(r.value), r.tip.value_or(std::u16string())};
}

void Text_calc_Change(const platform::text_box& Text_calc, platform::text_box& Text_re, const tip_report& show_tip,
                      double deg_factor, const platform::script_control_factory& make) {
    show_tip(u"");
    std::u16string formula = Text_calc.text();
    try {
        const formula_view shown = evaluate_formula(std::move(formula), deg_factor, make);
        if (!shown.tip.empty()) show_tip(shown.tip);
        Text_re.set_text(shown.result);
    } catch (const std::exception&) {
        // Nothing to report: the result box keeps its text, the tip what it has.
    }
}

}  // namespace eval
