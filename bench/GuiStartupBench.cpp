// Start-up and exit times of the editor program, on Qt's offscreen platform: from starting the
// process to its first painted main window, and from choosing File > Exit to the end of the
// process; the median of several runs is the figure that counts.
// The program is started as a process of its own, so this file needs no application object.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The program binary of this build ($QUINKLE_PROGRAM names another).
std::string ProgramPath() {
    if (const char* chosen = std::getenv("QUINKLE_PROGRAM")) return chosen;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / ".." / "src" / "gui" / "htmquinkle").lexically_normal();
}

// A private folder for the program's settings, data and lock, removed at the end.
struct Sandbox {
    fs::path root;
    Sandbox() {
        std::string pattern = (fs::temp_directory_path() / "quinkle-bench-XXXXXX").string();
        root = mkdtemp(pattern.data());
        for (const char* folder : {"cfg", "home", "run"}) fs::create_directories(root / folder);
    }
    ~Sandbox() {
        std::error_code error;
        fs::remove_all(root, error);
    }
};

// What one run of the program reported, with the steady clock at its start and end.
struct Run {
    std::string Output;
    long long Started = 0;
    long long Ended = 0;
    bool Failed = true;

    // The time the program wrote after `marker`, or -1.
    long long Stamp(const std::string& marker) const {
        const size_t at = Output.find(marker + ": ");
        if (Failed || at == std::string::npos) return -1;
        return std::atoll(Output.c_str() + at + marker.size() + 2);
    }
};

long long Now() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

// Starts the program once; it leaves after its first painting as `exitMode` says ("1" at
// once, "menu" through File > Exit).
Run RunOnce(const std::string& program, const Sandbox& box, const std::string& exitMode) {
    std::vector<std::string> settings = {
        "QT_QPA_PLATFORM=offscreen",
        "QUINKLE_EXIT_AFTER_PAINT=" + exitMode,
        "QUINKLE_CONFIG_DIR=" + (box.root / "cfg").string(),
        "QUINKLE_HOME=" + (box.root / "home").string(),
        "XDG_RUNTIME_DIR=" + (box.root / "run").string(),
    };
    std::vector<char*> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        bool replaced = false;
        for (const std::string& setting : settings)
            replaced |= text.substr(0, text.find('=')) == setting.substr(0, setting.find('='));
        if (!replaced) env.push_back(*entry);
    }
    for (std::string& setting : settings) env.push_back(setting.data());
    env.push_back(nullptr);

    Run run;
    int out[2];
    if (pipe(out) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};

    run.Started = Now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed == 0) {
        char buffer[256];
        for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
            run.Output.append(buffer, n);
        int status = 0;
        waitpid(pid, &status, 0);
        run.Ended = Now();
        run.Failed = !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    }
    close(out[0]);
    return run;
}

// Times `span` over runs of the program left as `exitMode` says; the span is the nanoseconds
// of one run, or -1 when the program did not report what it needs.
template <class Span>
void TimeRuns(benchmark::State& state, const std::string& exitMode, Span span) {
    const std::string program = ProgramPath();
    if (access(program.c_str(), X_OK) != 0) {
        state.SkipWithError("the program htmquinkle has not been built");
        return;
    }
    Sandbox box;
    RunOnce(program, box, exitMode);  // the first run seeds the program folder, warms caches
    for (auto _ : state) {
        const long long nanoseconds = span(RunOnce(program, box, exitMode));
        if (nanoseconds < 0) {
            state.SkipWithError("the program did not report its times");
            return;
        }
        state.SetIterationTime(double(nanoseconds) / 1e9);
    }
}

void BM_StartToFirstPaint(benchmark::State& state) {
    TimeRuns(state, "1", [](const Run& run) {
        const long long painted = run.Stamp("first paint");
        return painted < 0 ? -1 : painted - run.Started;
    });
}

void BM_ExitToProcessEnd(benchmark::State& state) {
    TimeRuns(state, "menu", [](const Run& run) {
        const long long exit = run.Stamp("exit");
        return exit < 0 ? -1 : run.Ended - exit;
    });
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

BENCHMARK(BM_StartToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(9)
    ->ComputeStatistics("min", Min);
BENCHMARK(BM_ExitToProcessEnd)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(9)
    ->ComputeStatistics("min", Min);

}  // namespace

BENCHMARK_MAIN();
