// Compiling a 1,000-line scheme script (the bar: under 20 ms).
#include <benchmark/benchmark.h>

#include <string>

#include "engine/scheme/SchemeCompiler.h"

namespace {

using namespace quinkle;

/// A script of about `lines` lines using every section: macros, words, tokens in own tables,
/// state changes, effects and the map.
std::string MakeScript(int lines) {
    std::string script =
        "// generated\n#define WORD_END '[^a-zA-Z0-9_]'\n%%language\n"
        "  name = 'Bench' case = __insensitive options = __DEFAULT_OPTIONS\n"
        "  startstate = [0] anchor = [0 1]\n"
        "%%tokens\n  1 '[\\x01-\\s]' '[\\x01-\\s]' * '[^\\x01-\\s]' 0\n"
        "  2 __STD_IDENTIFIER\n  3 __STD_NUMBER_OR_FP\n";
    int line = 9;
    for (int state = 1; state <= 20; ++state, line += 4)
        script += "  InState " + std::to_string(state) +
                  " (\n    1 '[\\x01-\\s]' '[\\x01-\\s]' * "
                  "'[^\\x01-\\s]' 0\n    2 __STD_IDENTIFIER\n  )\n";
    script += "%%states\n";
    for (int value = 100; value < 140; ++value, ++line)
        script +=
            "  " + std::to_string(value) + " ( +" + std::to_string(value % 20 + 1) + " -0 )\n";
    script += "%%effects\n";
    for (int effect = 1; effect < 60; ++effect, ++line)
        script += "  " + std::to_string(effect) + " [fsBold] clRed clWhite *\n";
    script += "%%words\n";
    for (int word = 0; line < lines; ++word, ++line)
        script += "  'word" + std::to_string(word) + "' WORD_END " + std::to_string(4 + word % 90) +
                  " [" + std::to_string(word % 20) + "]\n";
    return script;
}

void CompileThousandLines(benchmark::State& state) {
    const std::string script = MakeScript(1000);
    CompiledScheme compiled;
    for (auto _ : state) {
        SchemeCompiler compiler(compiled);
        compiler.Compile(script);
        benchmark::DoNotOptimize(compiled.Scheme.Keywords().Entries().size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * script.size()));
}
BENCHMARK(CompileThousandLines)->Unit(benchmark::kMillisecond);

}  // namespace
