// Whole-site generation of a full shop (30 products, every section, media shared between
// pages) timed beside `cp -r` of the finished site folder in the same run; prints the ratio
// and the peak memory of the process. The drive lies in memory (/dev/shm, or $TMPDIR when set)
// so that the disk's noise does not hide the program's own cost.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <string_view>

#include "generator/generate.hpp"
#include "platform/font_list.hpp"
#include "store/site_paths.hpp"
#include "store/style_ops.hpp"

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

// "p7.jpg": built with append, which GCC 12 does not misreport under -Wrestrict.
std::string numbered(std::string_view prefix, int n, std::string_view suffix) {
    std::string name(prefix);
    name.append(std::to_string(n)).append(suffix);
    return name;
}

void writeBytes(const fs::path& path, std::size_t size, char fill) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(size, fill);
}

StyleRecord themeStyle(int theme, bool listedOnHomePage) {
    StyleRecord style;
    style.ScreenColor.assign("#FFFFFF");
    style.LinkColor.assign("#0000FF");
    style.ActiveLinkColor.assign("#FF0000");
    style.BoxColor.assign("#000080");
    style.BoxTextColor.assign("#FFFF00");
    style.BoxFont.assign("Arial");
    style.BoxTextSize.assign("3");
    style.TextColor.assign("#000000");
    style.TextSize.assign("2");
    style.TextFont.assign("Verdana");
    style.BackgroundFile.assign("BACKGD01.GIF");
    style.BannerFile.assign("BANNER01.JPG");
    style.RulerFile.assign("HRULER01.GIF");
    style.ImageFile.assign("IMAGES01.JPG");
    style.ControlFile.assign("CONTRL01.GIF");
    style.SoundFile.assign("SOUNDS01.WAV");
    style.VideoFile.assign("VIDEO01.AVI");
    style.MediaFolder.assign(numbered("C:\\Program Files\\Tarvomen\\TMedia\\THEME0", theme, "\\"));
    style.LinkToProfile = listedOnHomePage ? -1 : 0;
    return style;
}

// A drive holding a full shop: every field of the page record, both link pages, 30 products
// with pictures (two products per picture) and texts, three themes with all seven media.
class FullShop {
  public:
    FullShop()
        : root_(benchFolder() / ("tarvomen-bench-" + std::to_string(::getpid()))),
          drive_(root_ / "drive"),
          fonts_({"Arial", "Verdana"}),
          state_(drive_, Services{&messages_, &shell_, &fonts_, nullptr, nullptr}) {
        const fs::path c = drive_.root();
        for (int theme = 1; theme <= 3; ++theme) {
            const fs::path folder =
                c / "Program Files" / "Tarvomen" / "TMedia" / numbered("THEME0", theme, "");
            const std::pair<const char*, std::size_t> media[] = {
                {"BACKGD01.GIF", 2'000}, {"BANNER01.JPG", 6'000}, {"HRULER01.GIF", 1'000},
                {"IMAGES01.JPG", 4'000}, {"CONTRL01.GIF", 2'000}, {"SOUNDS01.WAV", 20'000},
                {"VIDEO01.AVI", 60'000}};
            for (const auto& [name, size] : media) writeBytes(folder / name, size, 'm');
        }
        for (int picture = 1; picture <= 15; ++picture) {
            writeBytes(c / "Pictures" / numbered("p", picture, ".jpg"), 25'000, 'p');
        }
        writeBytes(c / "Pictures" / "logo.gif", 8'000, 'l');
        fs::create_directories(c / "Tarvomen");
        state_.files.openAll(drive_);
        FillColorText(state_);

        const std::string text(2000, 't');
        PageRecord page;
        for (auto* field : {&page.DomainName, &page.Title, &page.Heading, &page.Link1, &page.Link2,
                            &page.Link3, &page.Link4}) {
            field->assign("Corner Bakery");
        }
        page.LogoImage.assign("C:\\Pictures\\logo.gif");
        page.CompanyName.assign("Corner Bakery Ltd");
        page.CompanyAddress.assign("1 Mill Lane");
        page.City.assign("Easton");
        page.PostCode.assign("EA1 2BC");
        page.Phone.assign("01234 567");
        page.Fax.assign("01234 568");
        page.Email.assign("orders@shop.example");
        page.VideoText.assign("Watch us bake");
        page.ImageText.assign("Our oven");
        page.BodyText.assign(text);
        page.CurrencyName.assign("U.S.");
        page.CurrencySymbol.assign("$");
        for (std::size_t i = 0; i < 2; ++i) {
            page.LinkHeading[i].assign("Heading");
            page.LinkImage[i].assign("C:\\Pictures\\p1.jpg");
            page.LinkImageText[i].assign("Picture text");
            page.LinkVideoText[i].assign("Video text");
            page.LinkText[i].assign(text);
        }
        state_.files.writePage(1, page);
        state_.files.writeStyle(101, themeStyle(1, true));
        state_.files.writeStyle(112, themeStyle(2, true));
        state_.files.writeStyle(113, themeStyle(3, true));

        for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
            ProductRecord product;
            product.ProductName.assign(numbered("Product ", r, ""));
            product.Description.assign("A fine product");
            product.QuantityPerUnit = 1;
            product.UnitPrice.scaled = 125000;
            product.ProductImage.assign(numbered("C:\\Pictures\\p", (r + 1) / 2, ".jpg"));
            product.BodyText.assign(text);
            product.ImageText.assign("Picture text");
            product.VideoText.assign("Video text");
            state_.files.writeProduct(r, product);
            state_.files.writeStyle(r, themeStyle(r % 3 + 1, r % 5 != 0));
        }
        state_.LinkAppearanceNormal = false;
        state_.LinkStyleFromProfile = false;
        state_.ShopCartOn = true;
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
        Generate(state_);
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
                  << " (aim: <= 1.2)\n";
    }
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    std::cout << "peak memory of this process: " << self.ru_maxrss / 1024.0 << " MiB\n";
    benchmark::Shutdown();
    return 0;
}
