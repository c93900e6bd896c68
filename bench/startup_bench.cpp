// Quillbay's start-up against the least a Qt Widgets program can do: bare_widgets_window, one window of the
// same size with one label, built here and measured in the same run. Both run as shipped, with the
// preloaded quillbay_idle_exit ending them once their window has painted and the event loop goes idle.
//   1. instructions, counted by callgrind on the offscreen platform (exact and repeatable, so counted once);
//   2. wall clock and peak RSS, pair by pair so that whatever else the machine does weighs on both alike,
//      on the platform the environment names (QT_QPA_PLATFORM), else X if there is a display, else offscreen.
// QUILLBAY_PROFILE_DIR=<dir> keeps the callgrind profiles there (callgrind_annotate --inclusive=yes <file>).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path& binDir() {
    static const fs::path dir = fs::canonical("/proc/self/exe").parent_path();
    return dir;
}

struct Program {
    const char* label;
    fs::path path;
};

Program quillbay() { return {"quillbay", binDir() / "quillbay"}; }
Program bare() { return {"bare window", binDir() / "bare_widgets_window"}; }

std::string platform() {
    if (const char* chosen = std::getenv("QT_QPA_PLATFORM"); chosen && *chosen) return chosen;
    if (const char* display = std::getenv("DISPLAY"); display && *display) return "xcb";
    return "offscreen";
}

struct Run {
    bool ok = false;
    double ms = 0;
    double rssMb = 0;
};

// Runs argv to its end with the idle-exit module preloaded, its output discarded; kills it after `limit`.
Run runToIdle(const std::vector<std::string>& argv, const std::string& qpa, std::chrono::seconds limit) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("LD_PRELOAD=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0) env.push_back(entry);
    }
    env.push_back("LD_PRELOAD=" + (binDir() / "libquillbay_idle_exit.so").string());
    env.push_back("QT_QPA_PLATFORM=" + qpa);
    std::vector<char*> envp, args;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argvCopy = argv;
    for (auto& a : argvCopy) args.push_back(a.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    Run run;
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return run;

    // A program that never goes idle must not hang the benchmark.
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!ended.wait_for(lock, limit, [&] { return done; })) ::kill(pid, SIGKILL);
    });
    int status = 0;
    rusage usage{};
    const pid_t reaped = wait4(pid, &status, 0, &usage);
    const auto end = Clock::now();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    ended.notify_one();
    watchdog.join();

    run.ok = reaped == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.ms = std::chrono::duration<double, std::milli>(end - start).count();
    run.rssMb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    return run;
}

// Instructions from exec to the idle exit, or nothing if callgrind is missing or the run failed.
std::optional<double> instructions(const Program& program, const fs::path& profileDir) {
    const fs::path out = profileDir / (fs::path(program.path).filename().string() + ".callgrind");
    fs::remove(out);
    const Run run = runToIdle({"/usr/bin/valgrind", "--tool=callgrind", "--callgrind-out-file=" + out.string(),
                               program.path.string()},
                              "offscreen", std::chrono::seconds(300));
    if (!run.ok) return std::nullopt;
    std::ifstream profile(out);
    for (std::string line; std::getline(profile, line);) {
        if (line.rfind("summary: ", 0) == 0 || line.rfind("totals: ", 0) == 0) return std::stod(line.substr(line.find(' ') + 1));
    }
    return std::nullopt;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Results {
    std::optional<double> bareInstructions, quillbayInstructions;
    std::vector<double> bareMs, quillbayMs, bareRss, quillbayRss, timeRatios;
};
Results results;

void BM_StartupAgainstBareWindow(benchmark::State& state) {
    const std::string qpa = platform();
    for (auto _ : state) {
        const Run b = runToIdle({bare().path.string()}, qpa, std::chrono::seconds(60));
        const Run q = runToIdle({quillbay().path.string()}, qpa, std::chrono::seconds(60));
        if (!b.ok || !q.ok) {
            state.SkipWithError(!b.ok ? "the bare window did not start and go idle" : "quillbay did not start and go idle");
            return;
        }
        results.bareMs.push_back(b.ms);
        results.quillbayMs.push_back(q.ms);
        results.bareRss.push_back(b.rssMb);
        results.quillbayRss.push_back(q.rssMb);
        results.timeRatios.push_back(q.ms / b.ms);
        state.SetIterationTime(q.ms / 1e3);
    }
    state.SetLabel(qpa);
    state.counters["bare_ms"] = median(results.bareMs);
    state.counters["quillbay_ms"] = median(results.quillbayMs);
    state.counters["time_ratio"] = median(results.timeRatios);
    state.counters["bare_rss_MB"] = median(results.bareRss);
    state.counters["quillbay_rss_MB"] = median(results.quillbayRss);
    state.counters["rss_ratio"] = median(results.quillbayRss) / median(results.bareRss);
    if (results.bareInstructions && results.quillbayInstructions) {
        state.counters["bare_Minstr"] = *results.bareInstructions / 1e6;
        state.counters["quillbay_Minstr"] = *results.quillbayInstructions / 1e6;
        state.counters["instr_ratio"] = *results.quillbayInstructions / *results.bareInstructions;
    }
}
BENCHMARK(BM_StartupAgainstBareWindow)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    fs::path profileDir;
    if (const char* keep = std::getenv("QUILLBAY_PROFILE_DIR"); keep && *keep) {
        profileDir = keep;
        fs::create_directories(profileDir);
    } else {
        profileDir = fs::temp_directory_path() / ("quillbay-startup-" + std::to_string(::getpid()));
        fs::create_directories(profileDir);
    }
    if (fs::exists("/usr/bin/valgrind")) {
        results.bareInstructions = instructions(bare(), profileDir);
        results.quillbayInstructions = instructions(quillbay(), profileDir);
        if (!results.bareInstructions || !results.quillbayInstructions)
            std::fprintf(stderr, "startup_bench: callgrind did not count both programs\n");
    } else {
        std::fprintf(stderr, "startup_bench: valgrind is not installed; no instruction counts (bash scripts/setup.sh --test)\n");
    }
    if (!std::getenv("QUILLBAY_PROFILE_DIR")) fs::remove_all(profileDir);

    // One start of each first, so that neither side pays for a cold disk cache.
    runToIdle({bare().path.string()}, platform(), std::chrono::seconds(60));
    runToIdle({quillbay().path.string()}, platform(), std::chrono::seconds(60));

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (results.bareInstructions && results.quillbayInstructions)
        std::printf("Start-up: %.1f M instructions against %.1f M for a bare window: %.2fx (offscreen; target <= 1.30)\n",
                    *results.quillbayInstructions / 1e6, *results.bareInstructions / 1e6,
                    *results.quillbayInstructions / *results.bareInstructions);
    if (!results.bareRss.empty()) {
        const double q = median(results.quillbayRss), b = median(results.bareRss);
        std::printf("Start-up: peak RSS %.1f MB against %.1f MB: %.2fx; wall clock %.1f ms against %.1f ms "
                    "(medians of %zu pairs, %s; RSS target <= 1.10)\n",
                    q, b, q / b, median(results.quillbayMs), median(results.bareMs), results.bareRss.size(),
                    platform().c_str());
    }
    return 0;
}
