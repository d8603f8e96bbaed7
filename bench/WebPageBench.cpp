// Speed of turning a fetched page into the editor's lines, and of replacing a document's text
// with it as one undo step: both run once per Get, on bodies of up to 64 MB.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchDocument.h"
#include "engine/editor/SourceEditor.h"
#include "engine/net/WebPage.h"
#include "engine/text/UndoStack.h"

namespace {

using quinkle::bench::Document;

void BM_PageFromResponse(benchmark::State& state) {
    const std::string& body = Document();
    for (auto _ : state) {
        quinkle::WebPage page = quinkle::PageFromResponse(body, "text/html; charset=utf-8");
        benchmark::DoNotOptimize(page.Text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_PageFromResponse)->Unit(benchmark::kMillisecond);

// The editor's part of the replacement: select all, replace, as one undoable group.
void BM_ReplaceTextWithPage(benchmark::State& state) {
    const quinkle::WebPage page = quinkle::PageFromResponse(Document(), "");
    quinkle::SourceEditor editor;
    editor.SetText("old text");
    for (auto _ : state) {
        editor.BeginGroup(quinkle::ucLoadFromWeb);
        editor.SelectAll();
        editor.ReplaceSel(page.Text);
        editor.EndGroup(quinkle::ucLoadFromWeb);
        state.PauseTiming();
        editor.ClearUndo();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.Text.size()));
}
BENCHMARK(BM_ReplaceTextWithPage)->Unit(benchmark::kMillisecond);

}  // namespace
