// Speed and memory of the text store on a large HTML document.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "engine/editor/SourceEditor.h"
#include "engine/text/Streams.h"

namespace {

using quinkle::SourceEditor;
using quinkle::bench::Document;
using quinkle::bench::DocumentFile;

std::unique_ptr<SourceEditor> LoadedEditor() {
    auto editor = std::make_unique<SourceEditor>();
    editor->LoadFromFile(DocumentFile());
    return editor;
}

// The floor: a plain program that reads the file and splits it into lines.
void BM_FloorReadAndSplitLines(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(DocumentFile(), std::ios::binary);
        std::string data((std::istreambuf_iterator<char>(in)), {});
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = data.find('\n', start)) != std::string::npos; start = end + 1)
            lines.emplace_back(data, start, end - start);
        lines.emplace_back(data, start);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(state.iterations() * Document().size());
}
BENCHMARK(BM_FloorReadAndSplitLines)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
    SourceEditor editor;
    for (auto _ : state) editor.LoadFromFile(DocumentFile());
    state.SetBytesProcessed(state.iterations() * Document().size());
    state.counters["rows"] = editor.Store().RowCount();
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

// Resident memory the loaded document adds, as a multiple of its size.
void BM_ResidentMemoryOfLoadedDocument(benchmark::State& state) {
    DocumentFile();
    for (auto _ : state) {
        malloc_trim(0);
        size_t before = quinkle::bench::ResidentBytes();
        auto editor = LoadedEditor();
        size_t after = quinkle::bench::ResidentBytes();
        state.counters["size_ratio"] =
            static_cast<double>(after - before) / static_cast<double>(Document().size());
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ResidentMemoryOfLoadedDocument)->Iterations(1)->Unit(benchmark::kMillisecond);

// Typing one character at a random place, through the editor with undo logging. Each
// keystroke is timed on its own; the counters give the median and the 99th percentile.
void BM_TypeCharacterAtRandomPlace(benchmark::State& state) {
    static auto editor = LoadedEditor();
    std::mt19937 random(1);
    std::vector<int32_t> places(1 << 16);
    for (int32_t& place : places)
        place = static_cast<int32_t>(random() % editor->Store().CharCount());
    std::vector<double> times;
    times.reserve(1 << 20);
    size_t next = 0;
    for (auto _ : state) {
        int32_t at = places[next++ & (places.size() - 1)];
        auto start = std::chrono::steady_clock::now();
        editor->SetSel(at, at);
        editor->ReplaceSel("x");
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        if (times.size() < times.capacity()) times.push_back(seconds * 1e6);
    }
    if (times.empty()) return;
    std::sort(times.begin(), times.end());
    state.counters["median_us"] = times[times.size() / 2];
    state.counters["p99_us"] = times[times.size() * 99 / 100];
}
BENCHMARK(BM_TypeCharacterAtRandomPlace)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_OffsetToRow(benchmark::State& state) {
    static auto editor = LoadedEditor();
    const quinkle::TextStore& store = editor->Store();
    std::mt19937 random(2);
    for (auto _ : state) {
        auto offset = static_cast<int32_t>(random() % store.CharCount());
        benchmark::DoNotOptimize(store.Locate(offset));
    }
}
BENCHMARK(BM_OffsetToRow);

void BM_RowToOffset(benchmark::State& state) {
    static auto editor = LoadedEditor();
    const quinkle::TextStore& store = editor->Store();
    std::mt19937 random(3);
    for (auto _ : state) {
        auto row = static_cast<int32_t>(random() % store.RowCount());
        benchmark::DoNotOptimize(store.RowStart(row));
    }
}
BENCHMARK(BM_RowToOffset);

// Word-wrapping the whole document at 80 columns, and joining the rows again.
void BM_WordWrapAt80Columns(benchmark::State& state) {
    auto editor = LoadedEditor();
    editor->Settings().WrapAtColumn = 80;
    for (auto _ : state) {
        editor->SetOptions(editor->Options() | quinkle::smoWordWrap);
        state.PauseTiming();
        state.counters["rows"] = editor->Store().RowCount();
        editor->SetOptions(editor->Options() & ~quinkle::smoWordWrap);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * Document().size());
}
BENCHMARK(BM_WordWrapAt80Columns)->Unit(benchmark::kMillisecond);

// Indenting a block of 10,000 lines in the middle of the document, then undoing it.
void BM_Indent10000LinesAndUndo(benchmark::State& state) {
    static auto editor = LoadedEditor();
    int32_t first = editor->Store().RowCount() / 2;
    int32_t start = editor->Store().RowStart(first);
    int32_t end = editor->Store().RowStart(first + 10000);
    for (auto _ : state) {
        editor->SetSel(start, end);
        editor->IndentBlock(4, false);
        editor->Undo();
    }
}
BENCHMARK(BM_Indent10000LinesAndUndo)->Unit(benchmark::kMillisecond);

// 100,000 single-row replacements spread over the document: a word of a row replaced.
void Replace100k(SourceEditor& editor, uint32_t seed) {
    std::mt19937 random(seed);
    const quinkle::TextStore& store = editor.Store();
    for (int i = 0; i < 100000; ++i) {
        int32_t row = static_cast<int32_t>(random() % store.RowCount());
        int32_t start = store.RowStart(row);
        int32_t length = store.Row(row)->TextLength();
        editor.SetSel(start, start + std::min(length, 5));
        editor.ReplaceSel("word");
    }
}

void BM_Replace100kRows(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = LoadedEditor();
        state.ResumeTiming();
        Replace100k(*editor, 4);
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Replace100kRows)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Undo100kReplacements(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = LoadedEditor();
        Replace100k(*editor, 5);
        state.ResumeTiming();
        while (editor->CanUndo()) editor->Undo();
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Undo100kReplacements)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
