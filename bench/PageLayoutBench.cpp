// Laying out the large HTML document on pages for printing, with a fixed-pitch and with a
// proportional font, composing one page for painting, and copying the highlighted document
// into the text the print preview lays out.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchDocument.h"
#include "engine/print/DocumentPrintText.h"
#include "engine/print/PageLayout.h"
#include "engine/scheme/SchemeCompiler.h"

namespace {

using quinkle::bench::Document;

// The document as the editor hands it to the print preview: one string per logical line.
const quinkle::PrintText& DocumentText() {
    static const quinkle::PrintText text = [] {
        quinkle::PrintText result;
        const std::string& document = Document();
        size_t start = 0;
        for (size_t end; (end = document.find("\r\n", start)) != std::string::npos; start = end + 2)
            result.Lines.emplace_back(document, start, end - start);
        result.Lines.emplace_back(document, start);
        result.Title = "HTML Quinkle - bench.html";
        return result;
    }();
    return text;
}

// A font of a printer's 10 points whose letters have three widths, as a proportional one has.
class ProportionalFont : public quinkle::FontMetrics {
public:
    double LineHeight() const override { return 11.5; }
    double Advance(char32_t code) const override {
        if (code == U'i' || code == U'l' || code == U'.' || code == U' ') return 2.8;
        if (code == U'm' || code == U'w' || code == U'<' || code == U'>') return 8.3;
        return 5.6;
    }
    double ColumnWidth() const override { return 5.6; }
};

void LayOut(benchmark::State& state, const quinkle::FontMetrics& font) {
    const quinkle::PrintText& text = DocumentText();
    const quinkle::PageSetup setup;  // A4, one-inch margins, header and footer
    const quinkle::EditorSettings tabs;
    int pages = 0;
    int rows = 0;
    for (auto _ : state) {
        const quinkle::PageLayout layout(text, setup, font, tabs);
        pages = layout.PageCount();
        rows = layout.RowCount();
        benchmark::DoNotOptimize(pages);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Document().size()));
    state.counters["lines"] = static_cast<double>(text.Lines.size());
    state.counters["rows"] = rows;
    state.counters["pages"] = pages;
}

void BM_LayOutFixedPitch(benchmark::State& state) {
    LayOut(state, quinkle::FixedPitchMetrics(6.0, 11.5));
}
BENCHMARK(BM_LayOutFixedPitch)->Unit(benchmark::kMillisecond);

void BM_LayOutProportional(benchmark::State& state) { LayOut(state, ProportionalFont()); }
BENCHMARK(BM_LayOutProportional)->Unit(benchmark::kMillisecond);

// What the preview does to paint a page: its rows' pieces, its header and its footer.
void BM_ComposeOnePage(benchmark::State& state) {
    const quinkle::FixedPitchMetrics font(6.0, 11.5);
    const quinkle::EditorSettings tabs;
    const quinkle::PageLayout layout(DocumentText(), quinkle::PageSetup{}, font, tabs);
    const int page = (layout.PageCount() + 1) / 2;
    for (auto _ : state) {
        size_t pieces = 0;
        for (const quinkle::PlacedRow& row : layout.Rows(page)) pieces += layout.Pieces(row).size();
        benchmark::DoNotOptimize(pieces);
        benchmark::DoNotOptimize(layout.Decorations(page, {2026, 12, 10, 16, 30}));
    }
}
BENCHMARK(BM_ComposeOnePage)->Unit(benchmark::kMicrosecond);

// What the preview does each time it is shown: the document's lines and the shipped HTML
// scheme's colours copied out of the store, the highlighting already done (as the editor keeps
// it); then the same without colours.
void PrintTextOfStore(benchmark::State& state, bool colour) {
    std::string text;
    for (char c : Document())
        if (c != '\n') text += c;
    quinkle::TextStore store;
    store.Insert(0, text);
    quinkle::CompiledScheme html;
    quinkle::SchemeCompiler(html).CompileFile(std::string(QUINKLE_SOURCE_DIR) +
                                              "/schemes/html.sch");
    quinkle::Highlighter highlighter(store, &html.Scheme);
    highlighter.HighlightAll();
    const quinkle::SchemeStyles& styles = html.Settings.Editor.Styles;
    size_t runs = 0;
    for (auto _ : state) {
        const quinkle::PrintText printed =
            quinkle::MakePrintText(store, colour ? &highlighter : nullptr, &styles, {},
                                   quinkle::Charset::Utf8, "bench.html");
        runs = 0;
        for (const auto& line : printed.Styles) runs += line.size();
        benchmark::DoNotOptimize(printed.Lines.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
    state.counters["runs"] = static_cast<double>(runs);
}

void BM_PrintTextInColour(benchmark::State& state) { PrintTextOfStore(state, true); }
BENCHMARK(BM_PrintTextInColour)->Unit(benchmark::kMillisecond);

void BM_PrintTextBlackAndWhite(benchmark::State& state) { PrintTextOfStore(state, false); }
BENCHMARK(BM_PrintTextBlackAndWhite)->Unit(benchmark::kMillisecond);

}  // namespace
