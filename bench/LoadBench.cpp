// Loading a file into the editor's store beside the floor program (read the file, record its
// line starts with memchr), both timed the same way in one process. The file is
// QUINKLE_LOAD_FILE when set, else the benchmark document; bench/load-side-by-side.sh compares
// the two.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "engine/editor/SourceEditor.h"
#include "engine/text/LineEnds.h"

#define LINE_START_FLOOR_NO_MAIN
#include "helpers/LineStartFloor.cpp"

namespace {

const std::string& LoadFile() {
    static const std::string path = [] {
        const char* chosen = std::getenv("QUINKLE_LOAD_FILE");
        return chosen && *chosen ? std::string(chosen) : quinkle::bench::DocumentFile();
    }();
    return path;
}

int64_t FileBytes() {
    int fd = ::open(LoadFile().c_str(), O_RDONLY | O_CLOEXEC);
    off_t size = fd >= 0 ? ::lseek(fd, 0, SEEK_END) : 0;
    if (fd >= 0) ::close(fd);
    return size;
}

void BM_FloorLineStarts(benchmark::State& state) {
    const std::string& file = LoadFile();  // made before the timing starts
    std::vector<size_t> starts;
    long lines = 0;
    for (auto _ : state) {
        lines = line_start_floor::LineStarts(file.c_str(), starts);
        benchmark::DoNotOptimize(starts.data());
    }
    state.SetBytesProcessed(state.iterations() * FileBytes());
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_FloorLineStarts)->Unit(benchmark::kMillisecond);

// SourceEditor::LoadFromFile into a new editor, as opening a file does; making the editor and
// freeing the last one are not timed (the floor starts from nothing either).
void BM_LoadIntoStore(benchmark::State& state) {
    const std::string& file = LoadFile();
    auto editor = std::make_unique<quinkle::SourceEditor>();
    int32_t rows = 0;
    for (auto _ : state) {
        editor->LoadFromFile(file);
        state.PauseTiming();
        rows = editor->Store().RowCount();
        editor = std::make_unique<quinkle::SourceEditor>();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * FileBytes());
    state.counters["rows"] = rows;
}
BENCHMARK(BM_LoadIntoStore)->Unit(benchmark::kMillisecond);

// LoadFromFile again and again into one editor: each load also frees the last one's rows.
void BM_ReloadIntoStore(benchmark::State& state) {
    const std::string& file = LoadFile();
    quinkle::SourceEditor editor;
    for (auto _ : state) editor.LoadFromFile(file);
    state.SetBytesProcessed(state.iterations() * FileBytes());
    state.counters["rows"] = editor.Store().RowCount();
}
BENCHMARK(BM_ReloadIntoStore)->Unit(benchmark::kMillisecond);

// The file as the editor stores it, in one string (what the command-line search reads).
void BM_ReadStoredText(benchmark::State& state) {
    const std::string& file = LoadFile();
    size_t stored = 0;
    for (auto _ : state) {
        std::string text;
        int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || !quinkle::ReadStoredText(fd, text, INT32_MAX - 1))
            state.SkipWithError("cannot read the file");
        if (fd >= 0) ::close(fd);
        stored = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * FileBytes());
    state.counters["stored"] = static_cast<double>(stored);
}
BENCHMARK(BM_ReadStoredText)->Unit(benchmark::kMillisecond);

}  // namespace
