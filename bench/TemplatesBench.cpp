// Auto-correct on the key path with the plain-text scheme's list of some 600 words: the
// lookup every activation key costs, a correction with its undo, and building the table.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/editor/SourceEditor.h"
#include "engine/scheme/KeyCombination.h"
#include "engine/scheme/SchemeCompiler.h"

namespace {

using namespace quinkle;

const CompiledScheme& PlainText() {
    static const std::unique_ptr<CompiledScheme> scheme = [] {
        auto compiled = std::make_unique<CompiledScheme>();
        SchemeCompiler(*compiled).CompileFile(QUINKLE_SOURCE_DIR "/schemes/plaintext.sch");
        return compiled;
    }();
    return *scheme;
}

// An editor over 100 lines of prose, its caret after the last word, with the scheme's lists.
struct ProseEditor {
    EditorSettings Settings = PlainText().Settings.Editor;
    SourceEditor Editor;
    ProseEditor() {
        std::string text;
        for (int line = 0; line < 100; ++line)
            text += "The quick brown fox jumps over the lazy dog near the river bank\r";
        Editor.SetText(text.c_str());
        Editor.SetSettings(&Settings);
        Editor.SetSel(Editor.GetTextLen(), Editor.GetTextLen());
    }
};

// A space after a word the list does not hold: the common case, one lookup per key.
void SpaceAfterAPlainWord(benchmark::State& state) {
    ProseEditor prose;
    prose.Editor.TypeText("word");
    for (auto _ : state) benchmark::DoNotOptimize(prose.Editor.OfferKeyToTemplates(VK_SPACE));
}
BENCHMARK(SpaceAfterAPlainWord);

// "teh" corrected to "the" and undone again.
void CorrectionAndUndo(benchmark::State& state) {
    ProseEditor prose;
    prose.Editor.TypeText("teh");
    for (auto _ : state) {
        prose.Editor.OfferKeyToTemplates(VK_SPACE);
        prose.Editor.Undo();
    }
}
BENCHMARK(CorrectionAndUndo);

// Adding every entry to an empty table and building its reversed-name trie.
void BuildTheList(benchmark::State& state) {
    const AutoReplace& list = PlainText().Settings.Editor.AutoCorrect;
    for (auto _ : state) {
        AutoReplace table;
        for (const CodeTemplate& entry : list.Entries())
            table.AddTemplate(entry.Name, entry.Description, entry.Text);
        benchmark::DoNotOptimize(table.LongestName());
    }
    state.counters["entries"] = static_cast<double>(list.Entries().size());
}
BENCHMARK(BuildTheList)->Unit(benchmark::kMicrosecond);

}  // namespace
