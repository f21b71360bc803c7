#include "eval/live_evaluation.h"

#include <exception>

#include "eval/script_eval.h"
#include "eval/text_replace.h"
#include "platform/vbscript/number_text.h"

namespace eval {

std::u16string replace_all(std::u16string_view text, std::u16string_view from, std::u16string_view to) {
    std::u16string out;
    size_t start = 0;
    for (size_t at = text.find(from); at != std::u16string_view::npos; at = text.find(from, start)) {
        out.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

std::u16string degree_rewrite(std::u16string text, double deg_factor) {
    if (text.find(u'<') == std::u16string::npos || text.find(u"<>") != std::u16string::npos) return text;
    text = replace_all(text, u"<", u"(pi*(");
    text = replace_all(text, u">", u"))");
    return replace_all(text, u"pi", vbscript::number_to_text(deg_factor));
}

formula_view evaluate_formula(std::u16string_view formula, double deg_factor,
                              const platform::script_control_factory& make) {
    eval_result r = evaluate(degree_rewrite(std::u16string(formula), deg_factor), make);
    return {vbscript::number_to_text(r.value), r.tip.value_or(std::u16string())};
}

void Text_calc_Change(const platform::text_box& Text_calc, platform::text_box& Text_re,
                      platform::label& Label_tip, double deg_factor,
                      const platform::script_control_factory& make) {
    Label_tip.set_caption(u"");
    std::u16string working = degree_rewrite(Text_calc.text(), deg_factor);
    try {
        const double result = Eval(std::move(working), make, Label_tip);
        Text_re.set_text(vbscript::number_to_text(result));
    } catch (const std::exception&) {
        // Nothing to report: the result box keeps its text, the tip what it has.
    }
}

}  // namespace eval
