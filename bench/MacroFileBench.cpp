// Macro recording at its limit: capturing 100,000 events into the buffer, and writing and
// reading the 2 MB file they make.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/store/MacroFile.h"
#include "engine/store/MacroRecorder.h"

namespace quinkle {
namespace {

// Forty widgets, as a session of typing and clicking around the window touches.
std::string WindowName(size_t i) {
    return "QuinkleForm/StyleBar/btnSomething" + std::to_string(i % 40);
}

MacroRecording FullMacro() {
    MacroRecording macro;
    for (size_t i = 0; i < 40; ++i) macro.Windows.push_back(WindowName(i));
    for (size_t i = 0; i < kMaxMacroEvents; ++i)
        macro.Events.push_back(
            {mmMouseMove, int32_t(i % 300), int32_t(i % 200), uint32_t(i), uint32_t(i % 40 + 1)});
    return macro;
}

void BM_CaptureFullRecording(benchmark::State& state) {
    std::vector<std::string> names;
    for (size_t i = 0; i < 40; ++i) names.push_back(WindowName(i));
    for (auto _ : state) {
        MacroRecorder recorder;
        recorder.SetMacroName("/nonexistent/bench");
        recorder.Record(0);
        for (size_t i = 0; i < kMaxMacroEvents; ++i)
            recorder.Capture({mmMouseMove, 1, 2}, names[i % 40], i);
        benchmark::DoNotOptimize(recorder.Macro().Events.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations() * kMaxMacroEvents));
}
BENCHMARK(BM_CaptureFullRecording)->Unit(benchmark::kMillisecond);

void BM_EncodeFullMacro(benchmark::State& state) {
    const MacroRecording macro = FullMacro();
    for (auto _ : state) benchmark::DoNotOptimize(EncodeMacro(macro));
    state.SetBytesProcessed(int64_t(state.iterations() * kMaxMacroEvents * kMacroRecordSize));
}
BENCHMARK(BM_EncodeFullMacro)->Unit(benchmark::kMillisecond);

void BM_DecodeFullMacro(benchmark::State& state) {
    const std::string bytes = EncodeMacro(FullMacro());
    for (auto _ : state) benchmark::DoNotOptimize(DecodeMacro(bytes, "bench.mcr"));
    state.SetBytesProcessed(int64_t(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeFullMacro)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quinkle
