// Arbitrary bytes, read as UTF-8, through the whole live evaluation: the degree
// rewrite, the engine and the number-to-text conversion. Besides the sanitizers'
// findings, it stops on a broken promise: a failure shows "0" with a tip, and every
// result text reads back as a number.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "eval/live_evaluation.h"
#include "eval/vbscript_control.h"
#include "platform/text.h"
#include "vbscript/variant.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const double deg_factor = eval::degree_factor();
    const std::u16string formula = platform::to_u16(std::string_view(reinterpret_cast<const char*>(data), size));
    const eval::formula_view v = eval::evaluate_formula(formula, deg_factor, eval::make_script_control);
    if (!v.tip.empty() && v.result != u"0") std::abort();
    if (!vbscript::parse_number_text(v.result)) std::abort();
    return 0;
}
