// Whole processes, started the same way and interleaved, on a drive folder in memory (tmpfs)
// where there is one: `tarvomen-cli --version` beside /bin/true, `show page`, the whole-site
// generation of the demo shop beside `cp -r` of its own output, and the desktop program's start
// to its first window. Prints medians, their ratios and every command's peak memory.
//   startup_bench [RUNS]   (default 11)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct Run {
    double milliseconds = 0;
    double cpuMilliseconds = 0;  // user and system: steadier than wall time on a busy machine
    double peakMiB = 0;
};

double milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// Starts `argv` with its output discarded and waits for it.
Run runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv) {
    std::vector<std::string> envStrings(extraEnv);
    for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
    std::vector<char*> env, args;
    for (auto& s : envStrings) env.push_back(s.data());
    env.push_back(nullptr);
    std::vector<std::string> argStrings(argv);
    for (auto& s : argStrings) args.push_back(s.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) throw std::runtime_error("cannot start " + argv[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(argv[0] + " " + (argv.size() > 1 ? argv.back() : "") +
                                 " failed with status " + std::to_string(status));
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), usage.ru_maxrss / 1024.0};
}

struct Case {
    std::string name;
    std::function<void()> prepare;  // untimed
    std::vector<std::string> argv;
    std::vector<std::string> env;
    std::vector<Run> runs;

    double median(double Run::*field) const {
        std::vector<double> values;
        for (const Run& run : runs) values.push_back(run.*field);
        std::sort(values.begin(), values.end());
        return values.empty() ? 0 : values[values.size() / 2];
    }
};

fs::path memoryFolder() {
    if (fs::is_directory("/dev/shm")) return "/dev/shm";
    return fs::temp_directory_path();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const fs::path base = memoryFolder() / ("tarvomen-startup-bench-" + std::to_string(getpid()));
    const fs::path drive = base / "drive";
    const fs::path copy = base / "copy";
    const std::string cli = TARVOMEN_CLI;
    fs::create_directories(base);
    runProcess({cli, "--drive", drive.string(), "init", "--demo"}, {});
    runProcess({cli, "--drive", drive.string(), "generate"}, {});

    std::vector<Case> cases;
    cases.push_back({"/bin/true", {}, {"/bin/true"}, {}, {}});
    cases.push_back({"tarvomen-cli --version", {}, {cli, "--version"}, {}, {}});
    cases.push_back(
        {"tarvomen-cli show page", {}, {cli, "--drive", drive.string(), "show", "page"}, {}, {}});
    cases.push_back(
        {"tarvomen-cli generate", {}, {cli, "--drive", drive.string(), "generate"}, {}, {}});
    cases.push_back({"cp -r of the site",
                     [&] { fs::remove_all(copy); },
                     {"/bin/cp", "-r", (drive / "Tarvomen").string(), copy.string()},
                     {},
                     {}});
    const std::string desktop = TARVOMEN_DESKTOP;
    if (!desktop.empty()) {
        cases.push_back({"desktop start to first window",
                         {},
                         {desktop, "--drive", drive.string()},
                         {"QT_QPA_PLATFORM=offscreen", "TARVOMEN_QUIT_AFTER_FIRST_WINDOW=1"},
                         {}});
    }

    for (int run = 0; run < runs; ++run) {
        for (Case& c : cases) {
            if (c.prepare) c.prepare();
            c.runs.push_back(runProcess(c.argv, c.env));
        }
    }
    std::error_code ec;
    fs::remove_all(base, ec);

    std::cout << "drive folder in " << memoryFolder().string() << ", medians of " << runs
              << " interleaved runs\n\n";
    std::cout << std::left << std::setw(34) << "command" << std::right << std::setw(10) << "ms"
              << std::setw(10) << "cpu ms" << std::setw(14) << "peak MiB"
              << "\n";
    for (const Case& c : cases) {
        std::cout << std::left << std::setw(34) << c.name << std::right << std::fixed
                  << std::setprecision(2) << std::setw(10) << c.median(&Run::milliseconds)
                  << std::setw(10) << c.median(&Run::cpuMilliseconds) << std::setw(14)
                  << c.median(&Run::peakMiB) << "\n";
    }
    const auto ms = [&](std::size_t i) { return cases[i].median(&Run::milliseconds); };
    const auto cpu = [&](std::size_t i) { return cases[i].median(&Run::cpuMilliseconds); };
    // A child started by this process counts this process's memory in its peak until it
    // executes its program: the /bin/true line is the floor of the peak figures.
    std::cout << "(peak memory below the /bin/true line's cannot be told apart)\n";
    std::cout << "\n--version / /bin/true: " << ms(1) / ms(0) << ", in processor time "
              << cpu(1) / cpu(0) << " (aim: <= 2)\n";
    std::cout << "generate / cp -r of the site: " << ms(3) / ms(4) << " (aim: <= 1.2)\n";
    std::cout << "generate peak memory: " << cases[3].median(&Run::peakMiB) << " MiB (aim: <= 6)\n";
    if (cases.size() > 5) {
        std::cout << "desktop start to first window: " << ms(5) << " ms (aim: <= 150)\n";
    }
    return 0;
}
