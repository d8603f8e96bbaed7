// Loading the six built-in schemes from the images embedded in the program.
#include <benchmark/benchmark.h>

#include "engine/store/UserStore.h"
#include "gui/app/ShippedSchemes.h"

namespace {

void BM_LoadSixShippedSchemes(benchmark::State& state) {
    quinkle::UserStore store;  // nothing stored: the images as built
    for (auto _ : state) {
        std::vector<std::string> problems;
        auto schemes = quinkle::LoadShippedSchemes(store, problems);
        if (!problems.empty()) state.SkipWithError(problems.front().c_str());
        benchmark::DoNotOptimize(schemes.data());
    }
}
BENCHMARK(BM_LoadSixShippedSchemes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
