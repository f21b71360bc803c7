// The live evaluation of the formula box: on every change the whole formula is
// rewritten for the degree notation (on a copy), evaluated, and its value shown.
#pragma once

#include <string>

#include "eval/script_eval.h"
#include "platform/forms.h"
#include "platform/script_control.h"

namespace eval {

// The degree-to-radian factor: arctan(1) * 4 / 180, pi/180.
double degree_factor();

// The degree notation, on the text with its full-width forms read as ASCII first (as
// the engine reads them, string literals kept): when it holds "<" and no "<>", every
// "<" becomes "(pi*(", every ">" "))" and then every "pi" the text of deg_factor;
// otherwise it stays so, its "<" and ">" comparisons.
std::u16string degree_rewrite(std::u16string text, double deg_factor);

// What the result box and the tip label show for a formula.
struct formula_view {
    std::u16string result;
    std::u16string tip;  // empty when the formula evaluates
};

// The one evaluation of a formula, as the formula box shows it: the degree rewrite,
// Eval and the number-to-text conversion of the value. The change handler, tallix-eval,
// the fuzzer and the benchmarks all evaluate through it.
formula_view evaluate_formula(std::u16string formula, double deg_factor, const platform::script_control_factory& make);

// The change handler of Text_calc: reports an empty tip first, then evaluates the formula,
// reports a failure's tip and writes the value into Text_re. Text_calc itself is never
// written. A failure to write the result ends the handler silently.
void Text_calc_Change(const platform::text_box& Text_calc, platform::text_box& Text_re, const tip_report& show_tip,
                      double deg_factor, const platform::script_control_factory& make);

}  // namespace eval
