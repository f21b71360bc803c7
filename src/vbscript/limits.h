// Bounds that keep any input from exhausting memory or time. An evaluation may make
// texts of up to max_text_length code units each (as long as the formula box may be) and
// max_text_total in all; beyond either it fails with 7 (out of memory). Every function
// does work in proportion to the texts it is given or makes, so the budget bounds an
// evaluation's time as well: a few milliseconds of text work at the most. Array
// elements count against the same total, each as element_cost code units (about what a
// variant takes), so an evaluation makes at most some hundred thousand of them.
#pragma once

#include <cstddef>

namespace vbscript {

inline constexpr std::size_t max_text_length = std::size_t{1} << 20;
inline constexpr std::size_t max_text_total = std::size_t{1} << 22;
inline constexpr std::size_t element_cost = 32;

// Starts the count of one evaluation on the running thread.
void reset_text_budget();
// Counts a text about to be made or copied; raises 7 when it breaks a bound. Every text
// value counts (variant::string and the copy of a variant do it), so nesting functions
// that copy a long text (UCase(UCase(...))) runs out of budget, not of time.
void charge_text(std::size_t length);
// Raises 7 unless a text of that length could still be made; counts nothing. For texts
// built piece by piece, which are counted once they become a value.
void require_text(std::size_t length);
// Counts the elements of an array about to be made; raises 7 when they break the total.
void charge_elements(std::size_t count);

// An Eval compiles a text of `length` code units: counted as eval_cost plus eight
// units per character (about what its compiled program takes), so one evaluation
// compiles at most some two hundred Eval texts, or half a million characters in all,
// however its Evals call each other. Raises 7 beyond.
inline constexpr std::size_t eval_cost = 16384;
void charge_compile(std::size_t length);

// How deep Eval may call Eval; deeper raises 28 (out of stack space).
inline constexpr int max_eval_depth = 64;

}  // namespace vbscript
