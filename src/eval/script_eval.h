// The evaluator call: an expression text to a double through a fresh script control,
// every failure turned into a tip and a value of 0.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/script_control.h"

namespace eval {

inline constexpr std::u16string_view tip_prefix = u"温馨提示:";

// Where the evaluation tells its tip for the tip line; "" says there is none.
using tip_report = std::function<void(const std::u16string& tip)>;

struct eval_result {
    double value = 0;
    std::optional<std::u16string> tip;  // set when the evaluation failed
};

// Creates a script control from make, sets it to VBScript, evaluates and converts the
// value to a double. Never throws: any failure, of creation, language, evaluation or
// conversion (each a platform::runtime_error), and running out of memory, leaves value
// 0 and the tip "温馨提示:" + the failure's description, with "语法" shown as "公式".
eval_result evaluate(std::u16string Expressions, const platform::script_control_factory& make);

// Eval as the main window offers it: the tip of a failure is reported, a success reports
// nothing.
double Eval(std::u16string Expressions, const platform::script_control_factory& make, const tip_report& show_tip);

}  // namespace eval
