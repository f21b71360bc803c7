#include "vbscript/limits.h"

#include "vbscript/errors.h"

namespace vbscript {

namespace {
thread_local std::size_t text_made = 0;
}

void reset_text_budget() { text_made = 0; }

void require_text(std::size_t length) {
    if (length > max_text_length || length > max_text_total - text_made) raise(err_out_of_memory);
}

void charge_text(std::size_t length) {
    require_text(length);
    text_made += length;
}

void charge_elements(std::size_t count) {
    if (count > (max_text_total - text_made) / element_cost) raise(err_out_of_memory);
    text_made += count * element_cost;
}

void charge_compile(std::size_t length) {
    if (length > (max_text_total - text_made - eval_cost) / 8 || eval_cost > max_text_total - text_made)
        raise(err_out_of_memory);
    text_made += eval_cost + 8 * length;
}

}  // namespace vbscript
