// Speed of loading and saving a large document that is not plain bytes: UTF-16 with its mark,
// and a binary whose bytes are kept beside its text.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "BenchDocument.h"
#include "engine/editor/SourceEditor.h"
#include "engine/text/FileText.h"

namespace {

using quinkle::SourceEditor;
using quinkle::bench::Document;

// `bytes` in a temporary file named after `tag`, removed when the program ends.
std::string TemporaryFile(const std::string& tag, const std::string& bytes) {
    std::string name = "/tmp/quinkle-bench-" + tag + "-" + std::to_string(::getpid());
    std::ofstream(name, std::ios::binary) << bytes;
    return name;
}

const std::string& Utf16File() {
    static const std::string path = [] {
        std::string name = TemporaryFile(
            "utf16", quinkle::EncodeUnicodeForm(Document(), quinkle::FileEncoding::Utf16LE));
        std::atexit([] { ::unlink(Utf16File().c_str()); });
        return name;
    }();
    return path;
}

// The document with a NUL in every line and LF line ends in every other one: binary, with
// mixed line ends, so its bytes are kept.
const std::string& BinaryFile() {
    static const std::string path = [] {
        std::string bytes;
        bytes.reserve(Document().size());
        bool lf = false;
        for (char c : Document()) {
            if (c == '\r' && (lf = !lf)) continue;
            bytes += c == '\n' ? std::string("\0\n", 2) : std::string(1, c);
        }
        std::string name = TemporaryFile("binary", bytes);
        std::atexit([] { ::unlink(BinaryFile().c_str()); });
        return name;
    }();
    return path;
}

void BM_LoadUtf16File(benchmark::State& state) {
    SourceEditor editor;
    for (auto _ : state) editor.LoadFromFile(Utf16File());
    state.SetBytesProcessed(state.iterations() * Document().size());
}
BENCHMARK(BM_LoadUtf16File)->Unit(benchmark::kMillisecond);

void BM_SaveUtf16Text(benchmark::State& state) {
    SourceEditor editor;
    editor.LoadFromFile(Utf16File());
    for (auto _ : state)
        benchmark::DoNotOptimize(quinkle::WriteFileText(editor.Store(), editor.Store().Form));
    state.SetBytesProcessed(state.iterations() * Document().size());
}
BENCHMARK(BM_SaveUtf16Text)->Unit(benchmark::kMillisecond);

void BM_LoadBinaryFile(benchmark::State& state) {
    SourceEditor editor;
    for (auto _ : state) editor.LoadFromFile(BinaryFile());
    state.SetBytesProcessed(state.iterations() * Document().size());
}
BENCHMARK(BM_LoadBinaryFile)->Unit(benchmark::kMillisecond);

}  // namespace
