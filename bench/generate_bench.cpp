// Whole-site generation of the full shop (support/full_shop.hpp: 30 products, every section,
// media shared between pages) inside this process, timed beside `cp -r` of the finished site
// folder in the same run; prints the ratio and the peak memory of the process. The drive lies
// in memory (/dev/shm, or $TMPDIR when set) so that the disk's noise does not hide the
// program's own cost. The generation here starts no process and `cp -r` does: the comparison of
// whole processes, against which the aim is set, is startup_bench's.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "generator/generate.hpp"
#include "platform/font_list.hpp"
#include "store/site_paths.hpp"
#include "store/style_ops.hpp"
#include "support/full_shop.hpp"

extern char** environ;

namespace fs = std::filesystem;
using namespace tarvomen;

namespace {

class QuietMessages : public MessageBox {
  public:
    Answer show(const MessageBoxRequest& request) override { return request.defaultButton; }
};

class NoShell : public Shell {
  public:
    void open(const std::string&, ShowMode) override {}
};

fs::path benchFolder() {
    std::error_code ec;
    if (!std::getenv("TMPDIR") && fs::is_directory("/dev/shm", ec)) return "/dev/shm";
    return fs::temp_directory_path();
}

// A drive holding the full shop (support/full_shop.hpp).
class FullShop {
  public:
    FullShop()
        : root_(benchFolder() / ("tarvomen-bench-" + std::to_string(::getpid()))),
          drive_(root_ / "drive"),
          fonts_({"Arial", "Verdana"}),
          state_(drive_, Services{&messages_, &shell_, &fonts_, nullptr, nullptr}) {
        fs::create_directories(drive_.root() / "Program Files" / "Tarvomen");
        state_.files.openAll(drive_);
        FillColorText(state_);
        testing::layOutFullShop(drive_, state_.files);
        testing::selectFullShopOptions(state_);
    }
    ~FullShop() {
        state_.files.closeAll();
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    void generate() {
        state_.Page = state_.files.readPage(1);
        state_.Selection.PageKind = PageType::Home;
        state_.Selection.CurrentRecord = 1;
        generator::Generate(state_);
    }
    fs::path siteFolder() const { return drive_.root() / "Tarvomen"; }
    fs::path copyFolder() const { return root_ / "copy"; }

  private:
    fs::path root_;
    Drive drive_;
    QuietMessages messages_;
    NoShell shell_;
    FixedFontList fonts_;
    AppState state_;
};

FullShop& shop() {
    static FullShop instance;
    return instance;
}

void copyFolder(const fs::path& from, const fs::path& to) {
    const std::string source = from.string();
    const std::string target = to.string();
    char* argv[] = {const_cast<char*>("cp"), const_cast<char*>("-r"),
                    const_cast<char*>(source.c_str()), const_cast<char*>(target.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "cp", nullptr, nullptr, argv, environ) != 0) {
        throw std::runtime_error("cannot start cp");
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("cp failed");
}

void BM_GenerateSite(benchmark::State& state) {
    FullShop& full = shop();
    for (auto _ : state) full.generate();
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(full.siteFolder())) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_GenerateSite)->Unit(benchmark::kMillisecond);

void BM_CopySite(benchmark::State& state) {
    FullShop& full = shop();
    full.generate();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(full.copyFolder());
        state.ResumeTiming();
        copyFolder(full.siteFolder(), full.copyFolder());
    }
}
BENCHMARK(BM_CopySite)->Unit(benchmark::kMillisecond);

// Keeps the mean real time of every benchmark for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto generate = reporter.times.find("BM_GenerateSite");
    const auto copy = reporter.times.find("BM_CopySite");
    if (generate != reporter.times.end() && copy != reporter.times.end() && copy->second > 0) {
        std::cout << "\nwhole-site generation / cp -r of the site: " << generate->second << " ms / "
                  << copy->second << " ms = " << generate->second / copy->second
                  << " (in-process; the aim is on whole processes, startup_bench)\n";
    }
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    std::cout << "peak memory of this process: " << self.ru_maxrss / 1024.0 << " MiB\n";
    benchmark::Shutdown();
    return 0;
}
