// The recovery journal on a 20 MB document: the snapshot the GUI thread takes when edits
// pause, and the write the worker thread does with it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "BenchDocument.h"
#include "engine/document/Document.h"
#include "engine/document/DocumentAsker.h"
#include "engine/document/DocumentHost.h"
#include "engine/document/RecoveryJournal.h"
#include "engine/editor/SourceEditor.h"
#include "engine/store/IniFile.h"
#include "engine/store/UserStore.h"

namespace {

using namespace quinkle;

class QuietAsker : public DocumentAsker {
public:
    int Message(Kind, const std::string&, const std::string&, int) override { return Cancel; }
    bool InputBox(const std::string&, const std::string&, std::string&) override { return false; }
    bool OpenFileName(const std::string&, const std::string&, std::string&) override {
        return false;
    }
    bool SaveFileName(const std::string&, const std::string&, const std::string&,
                      std::string&) override {
        return false;
    }
};

class QuietHost : public DocumentHost {
public:
    bool MoveToTrash(const std::string&) override { return false; }
    void ShowNotice(const std::string&) override {}
    bool StartupComplete() const override { return true; }
    std::string ProgramDir() const override { return "/tmp/"; }
};

// A document holding the benchmark text, with one edit so that it is modified.
struct EditedDocument {
    SourceEditor editor;
    IniFile settings;
    UserStore userStore;
    QuietAsker asker;
    QuietHost host;
    Document document{editor, settings, userStore, asker, host};

    EditedDocument() {
        editor.LoadFromFile(bench::DocumentFile());
        editor.ReplaceSel("x");
    }
};

// What the GUI thread does each time the journal's timer fires.
void BM_JournalSnapshot(benchmark::State& state) {
    EditedDocument edited;
    for (auto _ : state) {
        JournalRecord record = edited.document.JournalSnapshot();
        benchmark::DoNotOptimize(record.Text->data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * edited.editor.Store().CharCount());
}
BENCHMARK(BM_JournalSnapshot)->Unit(benchmark::kMillisecond);

// What the worker thread does with a snapshot: encode, checksum, write, flush, rename.
void BM_JournalWrite(benchmark::State& state) {
    EditedDocument edited;
    const JournalRecord record = edited.document.JournalSnapshot();
    const std::string path = "/tmp/quinkle-bench-journal-" + std::to_string(::getpid()) + ".qkj";
    for (auto _ : state) WriteJournal(path, record);
    ::unlink(path.c_str());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(record.Text->size()));
}
BENCHMARK(BM_JournalWrite)->Unit(benchmark::kMillisecond);

}  // namespace
