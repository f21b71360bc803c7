#include <benchmark/benchmark.h>

#include "bench_inputs.h"
#include "eval/live_evaluation.h"
#include "eval/vbscript_control.h"

namespace {

const double deg_factor = eval::degree_factor();

void evaluate(benchmark::State& state, const std::u16string& formula) {
    for (auto _ : state) {
        eval::formula_view v = eval::evaluate_formula(formula, deg_factor, eval::make_script_control);
        benchmark::DoNotOptimize(v);
        if (!v.tip.empty()) state.SkipWithError("the formula failed to evaluate");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(formula.size()));
}

void BM_Simple(benchmark::State& s) { evaluate(s, bench_inputs::simple); }
void BM_Degrees(benchmark::State& s) { evaluate(s, bench_inputs::degrees); }
void BM_Mixed200(benchmark::State& s) { evaluate(s, bench_inputs::mixed); }

void BM_Sum100000Terms(benchmark::State& s) {
    static const std::u16string sum = bench_inputs::long_sum(100000);
    evaluate(s, sum);
}

void BM_Nested10000(benchmark::State& s) {
    static const std::u16string deep = bench_inputs::nested(10000);
    evaluate(s, deep);
}

BENCHMARK(BM_Simple);
BENCHMARK(BM_Degrees);
BENCHMARK(BM_Mixed200);
BENCHMARK(BM_Sum100000Terms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nested10000)->Unit(benchmark::kMillisecond);

}  // namespace
