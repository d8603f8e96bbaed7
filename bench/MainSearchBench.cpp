// Show All over a large document: highlighting 100,000 occurrences, and the keystroke after it
// that removes them.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchDocument.h"
#include "engine/editor/MainSearch.h"
#include "engine/editor/SourceEditor.h"

namespace {

using namespace quinkle;

// Lines of about 210 bytes, one "needle" in each: 100,000 of them in 20 MB.
const std::string& NeedleDocument() {
    static const std::string text = [] {
        const std::string line =
            "<p class=\"body\">An ordinary line of a page with <a href=\"x.html\">a link</a>, "
            "some words that fill it up to a typical length, and one <b>needle</b> in it, "
            "as pages have.</p>\r";
        std::string all;
        const size_t bytes = bench::DocumentBytes();
        all.reserve(bytes + line.size());
        while (all.size() < bytes) all += line;
        return all;
    }();
    return text;
}

void LoadNeedles(SourceEditor& editor) {
    editor.SetText(NeedleDocument().c_str());
    editor.SetSearchText("needle");
    editor.SetSel(0, 0);
}

void BM_ShowAll(benchmark::State& state) {
    SourceEditor editor;
    LoadNeedles(editor);
    for (auto _ : state) {
        MainSearch search(editor);
        SearchReport report = search.ShowAll();
        benchmark::DoNotOptimize(report);
        state.counters["matches"] = report.Matches;
        state.PauseTiming();
        editor.ClearMarks();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowAll)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KeystrokeRemovesHighlights(benchmark::State& state) {
    SourceEditor editor;
    LoadNeedles(editor);
    for (auto _ : state) {
        state.PauseTiming();
        MainSearch search(editor);
        search.ShowAll();
        editor.SetSel(10, 10);
        state.ResumeTiming();
        editor.ReplaceSel("x");
        search.EditorChanged();
        benchmark::DoNotOptimize(search.HighlightsShown());
        state.PauseTiming();
        editor.SetSel(10, 11);
        editor.ReplaceSel("");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_KeystrokeRemovesHighlights)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
