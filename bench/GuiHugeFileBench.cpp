// Huge files in the editor widget: opening a 200 MB page to its first screen (time and resident
// memory), Ctrl+End in it, Select All + Delete + Undo over it, and a key press in a 10 MB page
// that is one single line. QUINKLE_BENCH_MB scales everything (20 gives 200 MB and 10 MB).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <chrono>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

#include "BenchDocument.h"
#include "engine/store/UserStore.h"
#include "gui/app/ShippedSchemes.h"
#include "gui/editor/SourceEditorWidget.h"

namespace {

using quinkle::SourceEditorWidget;
using Clock = std::chrono::steady_clock;

size_t HugeBytes() { return quinkle::bench::DocumentBytes() * 10; }
size_t LongLineBytes() { return quinkle::bench::DocumentBytes() / 2; }

// Writes `bytes` of the benchmark document, with its line ends removed when `oneLine`, to a
// temporary file once; the file is removed when the program ends.
std::string WriteFile(const char* name, size_t bytes, bool oneLine) {
    std::string path = "/tmp/quinkle-huge-" + std::to_string(::getpid()) + "-" + name;
    const std::string& page = quinkle::bench::Document();
    std::ofstream out(path, std::ios::binary);
    std::string chunk;
    for (char c : page)
        if (!oneLine || (c != '\r' && c != '\n')) chunk += c;
    for (size_t written = 0; written < bytes; written += chunk.size())
        out.write(chunk.data(),
                  static_cast<std::streamsize>(std::min(chunk.size(), bytes - written)));
    return path;
}

const std::string& HugeFile() {
    static const std::string path = WriteFile("huge.html", HugeBytes(), false);
    return path;
}

const std::string& LongLineFile() {
    static const std::string path = WriteFile("line.html", LongLineBytes(), true);
    return path;
}

std::unique_ptr<SourceEditorWidget> g_huge;
std::unique_ptr<SourceEditorWidget> g_line;

// The HTML scheme, as the main window has it for a page.
quinkle::ShippedScheme& HtmlScheme() {
    static quinkle::UserStore store;  // nothing stored: the scheme as built
    static std::vector<std::unique_ptr<quinkle::ShippedScheme>> schemes = [] {
        std::vector<std::string> problems;
        return quinkle::LoadShippedSchemes(store, problems);
    }();
    return *schemes.front();
}

std::unique_ptr<SourceEditorWidget> OpenWindow(const std::string& path) {
    auto widget = std::make_unique<SourceEditorWidget>();
    widget->resize(900, 700);
    widget->Editor().SetSettings(&HtmlScheme().Compiled.Settings.Editor);
    widget->SetScheme(&HtmlScheme().Compiled.Scheme);
    widget->ApplySettings();
    widget->Editor().LoadFromFile(path);
    widget->Refresh();
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget.get())) qWarning("editor window not exposed");
    widget->viewport()->repaint();
    return widget;
}

SourceEditorWidget& HugeWindow() {
    if (!g_huge) g_huge = OpenWindow(HugeFile());
    return *g_huge;
}

void SendKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&widget, &release);
}

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// CPU time of this thread in milliseconds: on a busy machine it tells the work apart from the
// waiting for a core.
double CpuMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Opening the huge file into a new window up to its first painted screen; memory is the
// resident growth over the file's size.
void BM_OpenHugeFile(benchmark::State& state) {
    const std::string& path = HugeFile();
    g_huge.reset();
    for (auto _ : state) {
        size_t before = quinkle::bench::ResidentBytes();
        auto start = Clock::now();
        g_huge = OpenWindow(path);
        state.SetIterationTime(Milliseconds(start) / 1e3);
        // Only the first opening counts: later ones reuse memory the allocator kept.
        if (!state.counters.count("memory_x"))
            state.counters["memory_x"] =
                static_cast<double>(quinkle::bench::ResidentBytes() - before) / HugeBytes();
        state.PauseTiming();
        g_huge.reset();
        state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(HugeBytes() >> 20);
}
BENCHMARK(BM_OpenHugeFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// Ctrl+End from the top, with the repaint it causes.
void BM_CtrlEndHuge(benchmark::State& state) {
    SourceEditorWidget& widget = HugeWindow();
    for (auto _ : state) {
        SendKey(widget, Qt::Key_Home, Qt::ControlModifier, QString());
        widget.viewport()->repaint();
        auto start = Clock::now();
        SendKey(widget, Qt::Key_End, Qt::ControlModifier, QString());
        widget.viewport()->repaint();
        state.SetIterationTime(Milliseconds(start) / 1e3);
        if (widget.Editor().SelStart() != widget.Editor().Store().CharCount())
            state.SkipWithError("Ctrl+End did not reach the end");
    }
}
BENCHMARK(BM_CtrlEndHuge)->UseManualTime()->Unit(benchmark::kMillisecond);

// Select All, Delete and Undo on the huge file, each with its repaint, timed on its own.
void BM_SelectAllDeleteUndoHuge(benchmark::State& state) {
    SourceEditorWidget& widget = HugeWindow();
    double selectMs = 0, deleteMs = 0, undoMs = 0, deleteCpuMs = 0, undoCpuMs = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        // Select All is the main window's menu command (Ctrl+T): it selects, then shows.
        widget.Editor().SelectAll();
        widget.Refresh();
        widget.viewport()->repaint();
        selectMs = std::max(selectMs, Milliseconds(start));
        start = Clock::now();
        double cpu = CpuMilliseconds();
        SendKey(widget, Qt::Key_Delete, Qt::NoModifier, QString());
        widget.viewport()->repaint();
        deleteMs = std::max(deleteMs, Milliseconds(start));
        deleteCpuMs = std::max(deleteCpuMs, CpuMilliseconds() - cpu);
        if (widget.Editor().Store().CharCount() != 0) state.SkipWithError("nothing deleted");
        start = Clock::now();
        cpu = CpuMilliseconds();
        SendKey(widget, Qt::Key_Z, Qt::ControlModifier, QString());
        widget.viewport()->repaint();
        undoMs = std::max(undoMs, Milliseconds(start));
        undoCpuMs = std::max(undoCpuMs, CpuMilliseconds() - cpu);
        state.SetIterationTime((selectMs + deleteMs + undoMs) / 1e3);
    }
    state.counters["select_ms"] = selectMs;
    state.counters["delete_ms"] = deleteMs;
    state.counters["undo_ms"] = undoMs;
    state.counters["delete_cpu_ms"] = deleteCpuMs;
    state.counters["undo_cpu_ms"] = undoCpuMs;
    state.counters["chars"] = static_cast<double>(widget.Editor().Store().CharCount());
    if (widget.Editor().Store().CharCount() == 0) state.SkipWithError("Undo did not restore");
}
BENCHMARK(BM_SelectAllDeleteUndoHuge)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// Typing in the middle of a page that is one single line: a character, then Backspace.
void BM_TypeKeyInLongLine(benchmark::State& state) {
    if (!g_line) g_line = OpenWindow(LongLineFile());
    SourceEditorWidget& widget = *g_line;
    int32_t at = widget.Editor().Store().CharCount() / 2;
    widget.Editor().SetSel(at, at);
    widget.ScrollCaret();
    int64_t count = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        if (count++ % 2 == 0)
            SendKey(widget, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        else
            SendKey(widget, Qt::Key_Backspace, Qt::NoModifier, QString());
        widget.viewport()->repaint();
        state.SetIterationTime(Milliseconds(start) / 1e3);
    }
}
BENCHMARK(BM_TypeKeyInLongLine)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_huge.reset();
    g_line.reset();
    ::unlink(HugeFile().c_str());
    ::unlink(LongLineFile().c_str());
    return 0;
}
