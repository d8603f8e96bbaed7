// Speed of the KH compressor both ways over a large HTML document.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchDocument.h"
#include "engine/scheme/Compressor.h"

namespace {

using quinkle::Compressor;

void BM_CompressorCompress(benchmark::State& state) {
    const std::string& document = quinkle::bench::Document();
    size_t packed = 0;
    for (auto _ : state) {
        std::string stream = Compressor::Compress(document);
        packed = stream.size();
        benchmark::DoNotOptimize(stream);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
    state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(document.size());
}
BENCHMARK(BM_CompressorCompress)->Unit(benchmark::kMillisecond);

void BM_CompressorDecompress(benchmark::State& state) {
    const std::string& document = quinkle::bench::Document();
    const std::string stream = Compressor::Compress(document);
    for (auto _ : state) {
        std::string data = Compressor::Decompress(stream);
        benchmark::DoNotOptimize(data);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_CompressorDecompress)->Unit(benchmark::kMillisecond);

}  // namespace
