#include "eval/live_evaluation.h"

#include <cmath>
#include <exception>
#include <optional>

#include "eval/script_eval.h"
#include "eval/text_replace.h"
#include "vbscript/engine.h"
#include "vbscript/number_text.h"

namespace eval {

double degree_factor() { return std::atan(1.0) * 4 / 180; }

std::u16string degree_rewrite(std::u16string text, double deg_factor) {
    // Brackets typed full-width ("ｓｉｎ＜３０＞") are degree brackets too, so a text that
    // may hold one is read as the engine reads it before the rewrite looks at it. Any
    // other text the engine reads so itself: no copy on every keystroke.
    unsigned brackets = 0;  // not a bool, so that the compiler vectorises the pass
    for (char16_t c : text) brackets |= (c == u'<') | (c == u'\uFF1C');
    if (!brackets) return text;
    if (std::optional<std::u16string> half = vbscript::halfwidth_forms(text)) text = std::move(*half);
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
