// tallix-eval: evaluates each formula given as an argument or, with none, each line of
// standard input, exactly as the formula box does, and prints what the result box then
// shows, followed by a TAB and the tip when there is one.
#include <iostream>
#include <string>

#include "eval/live_evaluation.h"
#include "platform/text.h"

namespace {

void evaluate_line(std::string formula) {
    if (!formula.empty() && formula.back() == '\r') formula.pop_back();
    static const double deg_factor = eval::degree_factor();
    const eval::formula_view v =
        eval::evaluate_formula(platform::to_u16(formula), deg_factor, platform::make_script_control);
    std::cout << platform::to_utf8(v.result);
    if (!v.tip.empty()) std::cout << '\t' << platform::to_utf8(v.tip);
    std::cout << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) evaluate_line(argv[i]);
    } else {
        for (std::string line; std::getline(std::cin, line);) evaluate_line(std::move(line));
    }
    std::cout.flush();
    return 0;
}
