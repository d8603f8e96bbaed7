// The dialogs' builders at their largest: a 99 by 99 table (9,801 cells, about half a
// megabyte of text), built and put into the editor as one undo step, and a link whose address
// needs escaping throughout.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/editor/SourceEditor.h"
#include "engine/html/LinkText.h"
#include "engine/html/TableText.h"

namespace {

quinkle::TableFields LargestTable() {
    quinkle::TableFields fields;
    fields.Rows = fields.Cols = 99;
    fields.Align = "Center";
    fields.CellAlign = "Left";
    fields.CellVAlign = "Top";
    return fields;
}

void BM_LargestTable(benchmark::State& state) {
    const quinkle::TableFields fields = LargestTable();
    size_t bytes = 0;
    for (auto _ : state) {
        quinkle::GeneratedText table = quinkle::BuildTable(fields);
        bytes = table.Text.size();
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_LargestTable);

// The table inserted into a page as the window does it (one undo group), then undone.
void BM_InsertLargestTableAndUndo(benchmark::State& state) {
    const std::string table = quinkle::BuildTable(LargestTable()).Text;
    quinkle::SourceEditor editor;
    editor.SetText("<html>\r<body>\r\r</body>\r</html>\r");
    for (auto _ : state) {
        editor.SetSel(14, 14);
        editor.BeginGroup(quinkle::ucTable);
        editor.ReplaceSel(table);
        editor.EndGroup(quinkle::ucTable);
        editor.Undo();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(table.size()));
}
BENCHMARK(BM_InsertLargestTableAndUndo)->Unit(benchmark::kMillisecond);

void BM_LongEscapedLink(benchmark::State& state) {
    quinkle::LinkFields fields;
    fields.Link.clear();
    for (int i = 0; i < 10000; ++i) fields.Link += "?a=<1>&b=\"2\"&amp;";
    fields.Text.clear();
    for (auto _ : state) benchmark::DoNotOptimize(quinkle::BuildLink(fields));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fields.Link.size()));
}
BENCHMARK(BM_LongEscapedLink);

}  // namespace
