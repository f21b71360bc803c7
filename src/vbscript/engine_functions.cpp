// The functions about the engine itself: Eval, the script engine's name and version,
// and the locale it runs in.
#include "vbscript/functions.h"
#include "vbscript/limits.h"
#include "vbscript/locale.h"
#include "vbscript/program.h"

namespace vbscript::functions {

// Eval(expression): the value of the text as an expression of its own, in the caller's
// budget; its syntax errors and run-time errors are the caller's.
variant Eval(arguments a) {
    run_budget& budget = a.budget();
    const std::u16string text = text_of(a[0]);
    budget.charge_compile(text.size());
    const run_budget::eval_level level(budget);
    return run(compile(text, budget), budget);
}

variant ScriptEngine(arguments a) { return a.budget().text(u"VBScript"); }
variant ScriptEngineMajorVersion(arguments) { return variant::long_integer(5); }
variant ScriptEngineMinorVersion(arguments) { return variant::long_integer(8); }
variant ScriptEngineBuildVersion(arguments) { return variant::long_integer(16384); }

// Chinese (PRC), the locale of the systems the calculator's evaluator ran on.
variant GetLocale(arguments) { return variant::long_integer(zh_cn::lcid); }

}  // namespace vbscript::functions
