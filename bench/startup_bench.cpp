// Whole processes, started the same way and interleaved, on a drive folder in memory (tmpfs)
// where there is one:
// - `tarvomen-cli --version` beside /bin/true, and `show page`;
// - the whole-site generation of the full shop (tests/support/full_shop.hpp: 30 products, 33
//   pages and their media) beside doing the same to its own output with the system's tools:
//   `rm -rf` of a copy of the site and `cp -r` of the site, each one process, timed apart and
//   added up, since a generation both removes the previous site and writes the new one;
// - Hugo building the equivalent site (home page, 30 product pages, 2 link pages, the same media
//   as static files) from a small project laid out here, when `hugo` is on the PATH (Debian's
//   package: `apt-get install hugo`; the project does not depend on it);
// - the desktop program's start to its first window.
// Prints medians, their ratios and every command's peak memory.
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
#include <fstream>
#include <functional>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/full_shop.hpp"

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

// The program `name` as the shell would find it on the PATH.
std::optional<fs::path> onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const fs::path candidate = fs::path(folder.empty() ? "." : folder) / name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
}

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A Hugo project for the site the full shop generates: the home page listing the products of
// the home page, 30 product pages at /tarvomen/N.html with their picture, texts, theme media,
// price, order form and Previous / Next, and the two link pages, the second listing the products
// that are not on the home page. `media` (the generated site's Data folder) becomes its static
// Data folder, so that the same files are copied.
void layOutHugoProject(const fs::path& project, const fs::path& media) {
    writeText(project / "config.toml", R"(baseURL = "/"
title = "Corner Bakery"
uglyURLs = true
disablePathToLower = true
disableKinds = ["taxonomy", "term", "section", "RSS", "sitemap", "robotsTXT", "404"]
)");
    const std::string text(2000, 't');
    writeText(project / "content" / "_index.md", "+++\ntitle = \"Corner Bakery\"\n+++\n" + text);
    for (int n = 1; n <= 30; ++n) {
        const std::string k = std::to_string(n);
        writeText(project / "content" / "tarvomen" / (k + ".md"),
                  "+++\ntitle = \"Product " + k +
                      "\"\ndescription = \"A fine product\"\nweight = " + k +
                      "\nproduct = true\nhome = " + (n % 5 != 0 ? "true" : "false") +
                      "\npicture = \"/Tarvomen/Data/" + std::to_string(20 + (n + 1) / 2) +
                      ".jpg\"\nprice = \"12.5\"\nquantity = 1\nimageText = \"Picture text\"\n"
                      "videoText = \"Video text\"\n+++\n" +
                      text);
    }
    for (const char* link : {"Link211", "Link311"}) {
        writeText(project / "content" / "tarvomen" / (std::string(link) + ".md"),
                  std::string("+++\ntitle = \"Heading\"\nlayout = \"link\"\nlistProducts = ") +
                      (link[4] == '3' ? "true" : "false") + "\n+++\n" + text);
    }
    const std::string head = R"(<HTML><HEAD><TITLE>{{ .Title }}</TITLE></HEAD>
<BODY BGColor="#FFFFFF" VLINK="#0000FF" ALINK="#FF0000" BACKGROUND=/Tarvomen/Data/0.GIF>
<TABLE ALIGN=CENTER BACKGROUND=/Tarvomen/Data/1.JPG BORDER=10><TR><TH><FONT FACE="Arial" COLOR="#FFFF00" SIZE="3"><H2>{{ .Title }}</H2>{{ .Description }}</FONT></TABLE>
)";
    const std::string mediaSections =
        R"(<P><TABLE ALIGN=CENTER BGCOLOR=#000080 BORDER=5><TR><TH><IMG ALIGN=CENTER SRC=/Tarvomen/Data/3.JPG><TH>{{ .Params.imageText }}</TABLE><BR>
<P ALIGN=CENTER><EMBED SRC=/Tarvomen/Data/5.WAV ALT=/Tarvomen/Data/5.WAV START=FILEOPEN>
<TABLE ALIGN=CENTER BGCOLOR=#000080 BORDER=5><TR><TH><EMBED SRC=/Tarvomen/Data/6.AVI LOOP=INFINITE START=FILEOPEN><TR><TH>{{ .Params.videoText }}</TABLE><BR>
)";
    const std::string row =
        R"({{ range $i, $p := PAGES }}<P><TABLE ALIGN=CENTER BGColor=#000080 BORDER=5><TR><TH><IMG ALT={{ $p.Params.picture }} WIDTH=40 HEIGHT=40 SRC={{ $p.Params.picture }}><TH><A HREF={{ $p.RelPermalink }}>{{ $p.Title }}</A><TH>{{ $p.Description }}</TABLE>
{{ end }})";
    const auto rows = [&](const std::string& pages) {
        std::string r = row;
        r.replace(r.find("PAGES"), 5, pages);
        return r;
    };
    writeText(
        project / "layouts" / "index.html",
        head +
            "<P><TABLE ALIGN=CENTER BORDER=10><TR><TH><IMG SRC=/Tarvomen/Data/7.gif>"
            "<TR><TH>{{ .Content }}</TABLE>\n" +
            rows(R"(where (where .Site.RegularPages "Params.product" true) "Params.home" true)") +
            mediaSections + "</BODY></HTML>\n");
    writeText(
        project / "layouts" / "_default" / "single.html",
        head +
            R"(<P><TABLE ALIGN=CENTER BORDER=10><TR><TH><IMG ALIGN=CENTER SRC={{ .Params.picture }}><TR><TH><FONT FACE="Verdana">{{ .Content }}</FONT></TABLE>
)" + mediaSections +
            R"(<P><TABLE ALIGN=CENTER BGCOLOR=#000080 BORDER=5><TR><TH><IMG WIDTH=64 HEIGHT=64 SRC={{ .Params.picture }}><TH>{{ .Title }}<TH>{{ .Description }}<TH>Quantity: {{ .Params.quantity }}<TH>Price: ${{ .Params.price }}U.S.</TABLE>
{{ if .Params.home }}<FORM ACTION="/scripts/shopcart.asp" METHOD="POST"><INPUT TYPE="Hidden" NAME="ID" VALUE="{{ .Weight }}"><INPUT TYPE="Hidden" NAME="Product" VALUE="{{ .Title }}"><INPUT TYPE="Hidden" NAME="Price" VALUE="{{ .Params.price }}"><INPUT TYPE="SUBMIT" VALUE="Add to Shopping Cart"></FORM>{{ end }}
<TABLE ALIGN=CENTER BGCOLOR=#000080 BORDER=5><TR><TH>{{ with $.Site.RegularPages.ByWeight.Next . }}<A HREF={{ .RelPermalink }}>Previous</A>{{ end }}<TH><IMG SRC=/Tarvomen/Data/4.GIF><TH>{{ with $.Site.RegularPages.ByWeight.Prev . }}<A HREF={{ .RelPermalink }}>Next....</A>{{ end }}</TABLE>
<TABLE ALIGN=CENTER BGCOLOR="#000080" WIDTH="120" BORDER = 5><TR><TH><A HREF=index.html>Home</A></TABLE>
</BODY></HTML>
)");
    writeText(
        project / "layouts" / "_default" / "link.html",
        head +
            "<P><TABLE ALIGN=CENTER BORDER=10><TR><TH><IMG SRC=/Tarvomen/Data/8.jpg>"
            "<TR><TH>{{ .Content }}</TABLE>\n{{ if .Params.listProducts }}" +
            rows(R"(where (where .Site.RegularPages "Params.product" true) "Params.home" false)") +
            "{{ end }}" + mediaSections +
            "<P ALIGN=CENTER><A HREF=index.html>Home</A></BODY></HTML>\n");
    fs::create_directories(project / "static" / "Tarvomen");
    fs::copy(media, project / "static" / "Tarvomen" / "Data", fs::copy_options::recursive);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const fs::path base = memoryFolder() / ("tarvomen-startup-bench-" + std::to_string(getpid()));
    const fs::path drive = base / "drive";
    const fs::path site = drive / "Tarvomen";
    const fs::path copy = base / "copy";
    const std::string cli = TARVOMEN_CLI;
    fs::create_directories(base);
    runProcess({cli, "--drive", drive.string(), "init"}, {});
    // Laid out by a child, so that this process stays small: a child counts this process's
    // memory in its peak until it executes its program.
    const pid_t layOut = ::fork();
    if (layOut == 0) {
        tarvomen::Drive shopDrive(drive);
        tarvomen::SiteFiles files;
        files.openAll(shopDrive);
        tarvomen::testing::layOutFullShop(shopDrive, files);
        files.closeAll();
        std::_Exit(0);
    }
    int layOutStatus = 0;
    if (layOut < 0 || ::waitpid(layOut, &layOutStatus, 0) != layOut || layOutStatus != 0) {
        throw std::runtime_error("cannot lay out the full shop");
    }
    std::vector<std::string> generate = {cli, "--drive", drive.string(), "generate"};
    for (const char* flag : tarvomen::testing::kFullShopGenerateFlags) generate.push_back(flag);
    runProcess(generate, {});

    std::vector<Case> cases;
    const auto add = [&](Case c) { cases.push_back(std::move(c)); };
    add({"/bin/true", {}, {"/bin/true"}, {}, {}});
    add({"tarvomen-cli --version", {}, {cli, "--version"}, {}, {}});
    add({"tarvomen-cli show page", {}, {cli, "--drive", drive.string(), "show", "page"}, {}, {}});
    add({"tarvomen-cli generate", {}, generate, {}, {}});
    const std::string cp = "/bin/cp";
    add({"rm -rf of a copy of the site",
         [&] {
             if (!fs::exists(copy)) runProcess({cp, "-r", site.string(), copy.string()}, {});
         },
         {"/bin/rm", "-rf", copy.string()},
         {},
         {}});
    add({"cp -r of the site",
         [&] { fs::remove_all(copy); },
         {cp, "-r", site.string(), copy.string()},
         {},
         {}});
    const std::optional<fs::path> hugo = onPath("hugo");
    if (hugo) {
        layOutHugoProject(base / "hugo", site / "Data");
        add({"hugo, the same site",
             {},
             {hugo->string(), "--source", (base / "hugo").string(), "--destination",
              (base / "hugo-public").string(), "--quiet", "--noBuildLock", "--cacheDir",
              (base / "hugo-cache").string()},
             {},
             {}});
    }
    const std::string desktop = TARVOMEN_DESKTOP;
    if (!desktop.empty()) {
        add({"desktop start to first window",
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
    std::size_t siteFiles = 0;
    for (const auto& entry : fs::recursive_directory_iterator(site)) {
        siteFiles += entry.is_regular_file() ? 1 : 0;
    }
    std::size_t hugoFiles = 0;
    if (hugo) {
        for (const auto& entry : fs::recursive_directory_iterator(base / "hugo-public")) {
            hugoFiles += entry.is_regular_file() ? 1 : 0;
        }
    }
    std::error_code ec;
    fs::remove_all(base, ec);

    const auto find = [&](const std::string& name) -> const Case* {
        for (const Case& c : cases) {
            if (c.name == name) return &c;
        }
        return nullptr;
    };
    const auto ms = [&](const std::string& name) { return find(name)->median(&Run::milliseconds); };
    const auto cpu = [&](const std::string& name) {
        return find(name)->median(&Run::cpuMilliseconds);
    };

    std::cout << "drive folder in " << memoryFolder().string() << ", medians of " << runs
              << " interleaved runs; the full shop's site: " << siteFiles << " files\n\n";
    std::cout << std::left << std::setw(34) << "command" << std::right << std::setw(10) << "ms"
              << std::setw(10) << "cpu ms" << std::setw(14) << "peak MiB"
              << "\n";
    for (const Case& c : cases) {
        std::cout << std::left << std::setw(34) << c.name << std::right << std::fixed
                  << std::setprecision(2) << std::setw(10) << c.median(&Run::milliseconds)
                  << std::setw(10) << c.median(&Run::cpuMilliseconds) << std::setw(14)
                  << c.median(&Run::peakMiB) << "\n";
    }
    // A child started by this process counts this process's memory in its peak until it
    // executes its program: the /bin/true line is the floor of the peak figures.
    std::cout << "(peak memory below the /bin/true line's cannot be told apart)\n";
    std::cout << "\n--version / /bin/true: " << ms("tarvomen-cli --version") / ms("/bin/true")
              << ", in processor time " << cpu("tarvomen-cli --version") / cpu("/bin/true")
              << " (aim: <= 2)\n";
    const double generated = ms("tarvomen-cli generate");
    const double removed = ms("rm -rf of a copy of the site");
    const double copied = ms("cp -r of the site");
    const double start = ms("/bin/true");
    std::cout << "generate / (rm -rf + cp -r): " << generated / (removed + copied)
              << " (aim: <= 1.2)\n";
    std::cout << "  the same less the start of a process (/bin/true) in each: "
              << (generated - start) / (removed - start + copied - start) << "\n";
    std::cout << "  generate / cp -r alone: " << generated / copied << "\n";
    if (hugo) {
        std::cout << "hugo / generate: " << ms("hugo, the same site") / generated << " (aim: >= 5; "
                  << hugoFiles << " files written by hugo)\n";
    } else {
        std::cout << "hugo: not installed (apt-get install hugo)\n";
    }
    std::cout << "generate peak memory: " << find("tarvomen-cli generate")->median(&Run::peakMiB)
              << " MiB (aim: <= 6)\n";
    if (find("desktop start to first window")) {
        std::cout << "desktop start to first window: " << ms("desktop start to first window")
                  << " ms (aim: <= 150)\n";
    }
    return 0;
}
