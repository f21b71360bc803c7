#include "vbscript/limits.h"

#include "vbscript/errors.h"

namespace vbscript {

void run_budget::require_text(std::size_t length) const {
    if (length > max_text_length || length > max_text_total - text_made_) raise(err_out_of_memory);
}

void run_budget::charge_text(std::size_t length) {
    require_text(length);
    text_made_ += length;
}

void run_budget::charge_elements(std::size_t count) {
    if (count > (max_text_total - text_made_) / element_cost) raise(err_out_of_memory);
    text_made_ += count * element_cost;
}

void run_budget::charge_compile(std::size_t length) {
    if (length > (max_text_total - text_made_ - eval_cost) / 8 || eval_cost > max_text_total - text_made_)
        raise(err_out_of_memory);
    text_made_ += eval_cost + 8 * length;
}

run_budget::eval_level::eval_level(run_budget& budget) : budget_(budget) {
    if (budget_.eval_depth_ >= max_eval_depth) raise(err_out_of_stack);
    ++budget_.eval_depth_;
}

}  // namespace vbscript
