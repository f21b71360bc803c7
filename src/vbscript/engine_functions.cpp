// The functions about the engine itself: Eval, the script engine's name and version,
// and the locale it runs in.
#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/limits.h"
#include "vbscript/locale.h"
#include "vbscript/program.h"

namespace vbscript::functions {

namespace {

thread_local int eval_depth = 0;

// Counts one level of Eval for as long as it runs, however it ends.
class eval_level {
public:
    eval_level() {
        if (eval_depth >= max_eval_depth) raise(err_out_of_stack);
        ++eval_depth;
    }
    ~eval_level() { --eval_depth; }
    eval_level(const eval_level&) = delete;
    eval_level& operator=(const eval_level&) = delete;
};

}  // namespace

// Eval(expression): the value of the text as an expression of its own; its syntax
// errors and run-time errors are the caller's.
variant Eval(arguments a) {
    const std::u16string text = text_of(a[0]);
    charge_compile(text.size());
    const eval_level level;
    return run(compile(text));
}

variant ScriptEngine(arguments) { return variant::string(u"VBScript"); }
variant ScriptEngineMajorVersion(arguments) { return variant::long_integer(5); }
variant ScriptEngineMinorVersion(arguments) { return variant::long_integer(8); }
variant ScriptEngineBuildVersion(arguments) { return variant::long_integer(16384); }

// Chinese (PRC), the locale of the systems the calculator's evaluator ran on.
variant GetLocale(arguments) { return variant::long_integer(zh_cn::lcid); }

}  // namespace vbscript::functions
