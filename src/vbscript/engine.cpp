#include "vbscript/engine.h"

#include <new>

#include "vbscript/errors.h"
#include "vbscript/limits.h"
#include "vbscript/program.h"

namespace vbscript {

namespace {

evaluation failure(int number, std::u16string description) {
    evaluation e;
    e.error_number = number;
    e.error_description = std::move(description);
    return e;
}

}  // namespace

evaluation evaluate(std::u16string_view expression) {
    try {
        run_budget budget;
        const program p = compile(expression, budget);
        evaluation e;
        e.value = run(p, budget);
        return e;
    } catch (const engine_error& error) {
        return failure(error.number(), error.description());
    } catch (const std::bad_alloc&) {
        return failure(err_out_of_memory, std::u16string(describe(err_out_of_memory)));
    }
}

}  // namespace vbscript
