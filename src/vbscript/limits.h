// Bounds that keep any input from exhausting memory or time. An evaluation may make
// texts of up to max_text_length code units each (as long as the formula box may be) and
// max_text_total in all; beyond either it fails with 7 (out of memory). Every function
// does work in proportion to the texts it is given or makes, so the budget bounds an
// evaluation's time as well: a few milliseconds of text work at the most. Array
// elements count against the same total, each as element_cost code units (about what a
// variant takes), so an evaluation makes at most some hundred thousand of them.
#pragma once

#include <cstddef>
#include <string>

#include "vbscript/variant.h"

namespace vbscript {

inline constexpr std::size_t max_text_length = std::size_t{1} << 20;
inline constexpr std::size_t max_text_total = std::size_t{1} << 22;
inline constexpr std::size_t element_cost = 32;

// An Eval compiles a text of `length` code units: counted as eval_cost plus eight
// units per character (about what its compiled program takes), so one evaluation
// compiles at most some two hundred Eval texts, or half a million characters in all,
// however its Evals call each other.
inline constexpr std::size_t eval_cost = 16384;

// How deep Eval may call Eval; deeper raises 28 (out of stack space).
inline constexpr int max_eval_depth = 64;

// What one evaluation has spent against the bounds. evaluate() makes one for each run
// and hands it to the compiler and the machine, and through a call's arguments to the
// built-in functions: whatever makes or copies a text inside an evaluation counts it
// here. A value copied anywhere else (variant's own copy) counts nothing and never
// fails, whatever ran before.
class run_budget {
public:
    // A String value of the text, counted; raises 7 when it breaks a bound.
    variant text(std::u16string s) {
        charge_text(s.size());
        return variant::string(std::move(s));
    }
    // A copy of the value, its text counted as a new one. Every copy the engine makes of
    // a value it was handed counts, so nesting functions that pass a long text on
    // (CStr(CStr(...)), Array(...)(0)) runs out of budget, not of time.
    variant copy(const variant& v) {
        if (!v.text.empty()) charge_text(v.text.size());  // most copies are numbers
        return v;
    }
    // Counts a text about to be made or copied; raises 7 when it breaks a bound.
    void charge_text(std::size_t length);
    // Raises 7 unless a text of that length could still be made; counts nothing. For
    // texts built piece by piece, which are counted once they become a value.
    void require_text(std::size_t length) const;
    // Counts the elements of an array about to be made; raises 7 when they break the
    // total.
    void charge_elements(std::size_t count);
    // Counts an Eval's text of `length` code units about to be compiled; raises 7 beyond
    // the total.
    void charge_compile(std::size_t length);

    // One level of Eval for as long as it lives, however the Eval ends; beyond
    // max_eval_depth its making raises 28.
    class eval_level {
    public:
        explicit eval_level(run_budget& budget);
        ~eval_level() { --budget_.eval_depth_; }
        eval_level(const eval_level&) = delete;
        eval_level& operator=(const eval_level&) = delete;

    private:
        run_budget& budget_;
    };

private:
    std::size_t text_made_ = 0;
    int eval_depth_ = 0;
};

}  // namespace vbscript
