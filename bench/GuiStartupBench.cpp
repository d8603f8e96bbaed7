// Start-up time of the editor program: from starting the process to its first painted main
// window, on Qt's offscreen platform; the median of several runs is the figure that counts.
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

// Starts the program once and returns the nanoseconds from the start to its first painting,
// or -1 when it did not report one.
long long TimeOneStart(const std::string& program, const Sandbox& box) {
    std::vector<std::string> settings = {
        "QT_QPA_PLATFORM=offscreen",
        "QUINKLE_EXIT_AFTER_PAINT=1",
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

    int out[2];
    if (pipe(out) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};

    const auto start = std::chrono::steady_clock::now().time_since_epoch();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string output;
    if (failed == 0) {
        char buffer[256];
        for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) output.append(buffer, n);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    close(out[0]);

    const std::string marker = "first paint: ";
    const size_t at = output.find(marker);
    if (failed != 0 || at == std::string::npos) return -1;
    const long long painted = std::atoll(output.c_str() + at + marker.size());
    return painted - std::chrono::duration_cast<std::chrono::nanoseconds>(start).count();
}

void BM_StartToFirstPaint(benchmark::State& state) {
    const std::string program = ProgramPath();
    if (access(program.c_str(), X_OK) != 0) {
        state.SkipWithError("the program htmquinkle has not been built");
        return;
    }
    Sandbox box;
    TimeOneStart(program, box);  // the first start seeds the program folder and warms caches
    for (auto _ : state) {
        const long long nanoseconds = TimeOneStart(program, box);
        if (nanoseconds < 0) {
            state.SkipWithError("the program did not report its first painting");
            return;
        }
        state.SetIterationTime(double(nanoseconds) / 1e9);
    }
}

BENCHMARK(BM_StartToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(9)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });

}  // namespace

BENCHMARK_MAIN();
