// tallix-eval: evaluates each formula given as an argument or, with none, each line of
// standard input, exactly as the formula box does, and prints what the result box then
// shows, followed by a TAB and the tip when there is one.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "eval/live_evaluation.h"
#include "eval/vbscript_control.h"
#include "platform/command_line.h"
#include "platform/text.h"

namespace {

constexpr std::string_view help_text =
    "Usage: tallix-eval [--] [FORMULA]...\n"
    "Evaluate each FORMULA as the formula box of tallix does and print, one line for each,\n"
    "what its result box would show. When a formula cannot be evaluated, print 0, a tab\n"
    "and the tip the window would show. Without a FORMULA, read one formula from each\n"
    "line of standard input. Input and output are UTF-8.\n"
    "\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Any other argument is a formula, also one that starts with '-'; every argument\n"
    "after '--' is a formula.\n"
    "\n"
    "Example: tallix-eval 'sin<30>' '2^10'\n"
    "Full documentation: man tallix-eval\n";

void evaluate_line(std::string formula) {
    if (!formula.empty() && formula.back() == '\r') formula.pop_back();
    static const double deg_factor = eval::degree_factor();
    const eval::formula_view v =
        eval::evaluate_formula(platform::to_u16(formula), deg_factor, eval::make_script_control);
    std::cout << platform::to_utf8(v.result);
    if (!v.tip.empty()) std::cout << '\t' << platform::to_utf8(v.tip);
    std::cout << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = platform::answer_info_option(argc, argv, "tallix-eval", help_text)) return *status;
    std::ios::sync_with_stdio(false);
    std::vector<std::string> formulas(argv + 1, argv + argc);
    if (const auto end_of_options = std::find(formulas.begin(), formulas.end(), "--"); end_of_options != formulas.end())
        formulas.erase(end_of_options);
    if (!formulas.empty()) {
        for (auto& formula : formulas) evaluate_line(std::move(formula));
    } else {
        for (std::string line; std::getline(std::cin, line);) evaluate_line(std::move(line));
    }
    std::cout.flush();
    return 0;
}
