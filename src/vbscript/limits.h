// Bounds that keep any input from exhausting memory. An evaluation may make texts of
// up to max_text_length code units each and max_text_total in all; beyond either it
// fails with 7 (out of memory) instead of taking the machine's memory.
#pragma once

#include <cstddef>

namespace vbscript {

inline constexpr std::size_t max_text_length = std::size_t{1} << 24;
inline constexpr std::size_t max_text_total = std::size_t{1} << 26;

// Starts the count of one evaluation on the running thread.
void reset_text_budget();
// Counts a text about to be made; raises 7 when it breaks a bound.
void charge_text(std::size_t length);

}  // namespace vbscript
