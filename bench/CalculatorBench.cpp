// The calculator's evaluator over long sums, products with percentages and deep nesting: the
// work must stay linear in the length of the expression.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/html/Calculator.h"

namespace {

std::string Sum(int terms) {
    std::string text = "1";
    for (int i = 1; i < terms; ++i) text += i % 2 ? "+2.5" : "−1.25×3×10%";
    return text;
}

void BM_EvaluateLongSum(benchmark::State& state) {
    const std::string text = Sum(static_cast<int>(state.range(0)));
    if (!quinkle::Evaluate(text).Ok()) state.SkipWithError("the sum does not evaluate");
    for (auto _ : state) benchmark::DoNotOptimize(quinkle::Evaluate(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_EvaluateLongSum)->Arg(1000)->Arg(100000);

void BM_EvaluateDeepNesting(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    const std::string text = std::string(depth, '(') + "1+2" + std::string(depth, ')');
    for (auto _ : state) benchmark::DoNotOptimize(quinkle::Evaluate(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_EvaluateDeepNesting)->Arg(1000)->Arg(100000);

}  // namespace
