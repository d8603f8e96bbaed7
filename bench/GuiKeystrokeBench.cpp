// A key press in the editor widget on a large document, with the repaint it causes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "BenchDocument.h"
#include "gui/editor/SourceEditorWidget.h"

namespace {

using quinkle::SourceEditorWidget;

// One editor window on the benchmark document, shown once for the whole run; main closes it
// while the application still exists.
std::unique_ptr<SourceEditorWidget> g_window;

SourceEditorWidget& Window() {
    if (!g_window) {
        g_window = std::make_unique<SourceEditorWidget>();
        g_window->resize(900, 700);
        g_window->Editor().LoadFromFile(quinkle::bench::DocumentFile());
        g_window->Editor().Settings().Options |= quinkle::smoLineNumbers;
        g_window->ApplySettings();
        g_window->show();
        if (!QTest::qWaitForWindowExposed(g_window.get())) qWarning("editor window not exposed");
    }
    return *g_window;
}

void SendKey(QWidget& widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &release);
}

// Runs `step` once per iteration, each followed by a synchronous repaint of the whole view,
// and times each on its own; the counters give the median and the 99th percentile.
template <class Step>
void TimeKeystrokes(benchmark::State& state, SourceEditorWidget& widget, Step&& step) {
    std::vector<double> times;
    times.reserve(1 << 16);
    int64_t count = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        step(count++);
        widget.viewport()->repaint();
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        if (times.size() < times.capacity()) times.push_back(seconds * 1e3);
    }
    QCoreApplication::processEvents();
    if (times.empty()) return;
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p99_ms"] = times[times.size() * 99 / 100];
}

// Typing in the middle of the document: a character, then Backspace, so the text stays.
void BM_TypeKeyAndRepaint(benchmark::State& state) {
    SourceEditorWidget& widget = Window();
    const quinkle::TextStore& store = widget.Editor().Store();
    int32_t at = store.RowStart(store.RowCount() / 2) + 3;
    widget.Editor().SetSel(at, at);
    widget.ScrollCaret();
    TimeKeystrokes(state, widget, [&](int64_t i) {
        if (i % 2 == 0)
            SendKey(widget, Qt::Key_X, QStringLiteral("x"));
        else
            SendKey(widget, Qt::Key_Backspace, QString());
    });
    state.counters["rows"] = store.RowCount();
}
BENCHMARK(BM_TypeKeyAndRepaint)->UseManualTime()->Unit(benchmark::kMillisecond);

// Paging through the document: every key shows a page of rows not painted before.
void BM_PageDownAndRepaint(benchmark::State& state) {
    SourceEditorWidget& widget = Window();
    widget.Editor().SetSel(0, 0);
    widget.ScrollCaret();
    TimeKeystrokes(state, widget, [&](int64_t) { SendKey(widget, Qt::Key_PageDown, QString()); });
}
BENCHMARK(BM_PageDownAndRepaint)->UseManualTime()->Unit(benchmark::kMillisecond);

// Moving the caret down one line at a time.
void BM_ArrowDownAndRepaint(benchmark::State& state) {
    SourceEditorWidget& widget = Window();
    widget.Editor().SetSel(0, 0);
    widget.ScrollCaret();
    TimeKeystrokes(state, widget, [&](int64_t) { SendKey(widget, Qt::Key_Down, QString()); });
}
BENCHMARK(BM_ArrowDownAndRepaint)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}
