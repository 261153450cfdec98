// The pieces every page writer shares: page files, the line writer, the BODY tag, the ruler,
// the control picture, media publishing and the preparation of the site folders.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "generator/generation_run.hpp"
#include "generator/generator.hpp"
#include "generator/media_copy.hpp"
#include "generator/template_text.hpp"
#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "platform/write_all.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::generator {

using namespace tmpl;

namespace {

GeneratorState::PageFile& pageFile(GenerationRun& run, PageFileNo file) {
    switch (file) {
        case PageFileNo::Home:
            return run.generator.HomePageFile;
        case PageFileNo::Product:
            return run.generator.ProductPageFile;
        case PageFileNo::Link:
            break;
    }
    return run.generator.LinkPageFile;
}

bool isOneOf(const std::string& name, const std::vector<std::string>& names) {
    for (const std::string& other : names) {
        if (sameFileName(name, other)) return true;
    }
    return false;
}

// Creates (or empties) the page file and writes `text` into it.
void writeWholeFile(const GenerationRun& run, const std::string& windowsPath,
                    std::string_view text) {
    const auto fail = [&](int error) {
        throw Error("The page " + cp1252::toUtf8(windowsPath) +
                    " cannot be written: " + std::strerror(error) + ".");
    };
    const std::filesystem::path host = SiteHostPath(run, windowsPath);
    // A folder of the previous site that the new one keeps takes the page's name.
    if (!run.stage.empty() && host.parent_path() == run.stage &&
        isOneOf(host.filename().string(), run.siteFolders)) {
        fail(EISDIR);
    }
    const int fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) fail(errno);
    if (const auto failure = writeAll(fd, text)) {
        ::close(fd);
        fail(failure->errorOrNoSpace());
    }
    if (::close(fd) != 0) fail(errno);
}

// Copies `MediaSource` to `MediaDest`; returns why it failed, or nothing.
std::string copyMedia(GenerationRun& run) {
    const GeneratorState& g = run.generator;
    try {
        const std::filesystem::path from = run.mediaSource(cp1252::toUtf8(g.MediaSource));
        const std::filesystem::path to = SiteHostPath(run, g.MediaDest);
        const bool staged = !run.stage.empty();
        // A folder of the previous site's Data folder, kept in the new one, takes its name.
        if (staged && isOneOf(to.filename().string(), run.dataFolders)) {
            return std::strerror(EISDIR);
        }
        const int error = CopyMediaFile(from, to, staged, run.copyHints);
        return error == 0 ? std::string() : std::string(std::strerror(error));
    } catch (const PathError& error) {
        return error.what();
    }
}

// The line of the ruler: publishes the current style's RulerFile and sets `RulerUrl`.
std::string rulerLine(GenerationRun& run) {
    GeneratorState& g = run.generator;
    const std::string_view ruler = text(run.state.CurrentStyle.RulerFile);
    g.RulerUrl = ruler.empty() ? std::string() : PublishMedia(run, ruler);
    if (!g.RulerUrl.empty()) {
        return cat("<P><TABLE ALIGN=CENTER ", " BORDER=", "0", ">", "<TR><TH>",
                   "<IMG ALT=", g.RulerUrl, " ALIGN=CENTER SRC=", g.RulerUrl,
                   "></TABLE><BR CLEAR=ALL>", LF);
    }
    return cat("<BR CLEAR=ALL><HR>", LF);
}

}  // namespace

void OpenPageFile(GenerationRun& run, PageFileNo file, std::string windowsPath) {
    GeneratorState::PageFile& page = pageFile(run, file);
    page.open = true;
    page.path = std::move(windowsPath);
    page.text.clear();
    run.currentPage = cp1252::toUtf8(page.path);
}

void WritePageLine(GenerationRun& run, PageFileNo file, std::string_view text) {
    GeneratorState::PageFile& page = pageFile(run, file);
    if (!page.open) {
        throw std::logic_error("page file " + std::to_string(static_cast<int>(file)) +
                               " is not open");
    }
    page.text.append(text);
    page.text.append("\r\n");
}

void ClosePageFile(GenerationRun& run, PageFileNo file) {
    GeneratorState::PageFile& page = pageFile(run, file);
    if (!page.open) return;
    page.open = false;
    const std::string text = std::move(page.text);
    page.text.clear();
    writeWholeFile(run, page.path, text);
    run.result.pages.push_back(cp1252::toUtf8(page.path));
    run.currentPage.clear();
}

void WriteLine(GenerationRun& run) {
    const std::string& line = run.generator.LineBuffer;
    switch (run.generator.Selection.PageKind) {
        case PageType::Home:
            WritePageLine(run, PageFileNo::Home, line);
            break;
        case PageType::Product:
            WritePageLine(run, PageFileNo::Product, line);
            break;
        case PageType::Link:
            WritePageLine(run, PageFileNo::Link, line);
            break;
        default:
            break;
    }
}

void WriteLine(GenerationRun& run, std::string line) {
    run.generator.LineBuffer = std::move(line);
    WriteLine(run);
}

void WriteBodyTag(GenerationRun& run) {
    const StyleRecord& style = run.state.CurrentStyle;
    WriteLine(run, cat("<BODY BGColor=", Q, stored(style.ScreenColor), Q, " VLINK=", Q,
                       stored(style.LinkColor), Q, " ALINK=", Q, stored(style.ActiveLinkColor), Q,
                       " BACKGROUND=", run.generator.BackgroundUrl, ">", LF));
}

void WriteRuler(GenerationRun& run) {
    WriteLine(run, rulerLine(run));
}

void WriteRuler(GenerationRun& run, PageFileNo file) {
    WritePageLine(run, file, rulerLine(run));
}

void WriteControlPicture(GenerationRun& run, std::string_view mediaUrl) {
    if (text(run.state.CurrentStyle.ControlFile).empty()) return;
    const std::string_view url = text(mediaUrl);
    WriteLine(run, cat("<TABLE ALIGN=CENTER ", " BORDER=0>", "<BR><IMG ALT=", url,
                       " ALIGN=CENTER SRC=", url, "></CENTER></TABLE>", LF));
}

std::string PublishMedia(GenerationRun& run, std::string_view mediaName, bool mediaIsPath) {
    GeneratorState& g = run.generator;
    const std::string_view name = text(mediaName);
    if (name.empty()) return {};

    g.MediaSource =
        mediaIsPath ? std::string(name) : cat(text(run.state.CurrentStyle.MediaFolder), name);
    const std::string_view source = g.MediaSource;
    const std::string extension(source.substr(source.size() >= 4 ? source.size() - 4 : 0));
    const std::string number = std::to_string(run.state.MediaSeq);
    std::string mediaUrl = "/Tarvomen/Data/" + number + extension;
    g.MediaDest = kDataFolderPath + number + extension;

    // A source published before in this generation keeps its first reference; with 730
    // sources recorded a further one is copied but not recorded.
    if (const std::string* url = g.Copied.find(text(source))) {
        run.noteUse(*url);
        return *url;
    }
    g.Copied.record(g.MediaSource, mediaUrl);
    // A failing copy leaves the page referring to a missing file, as does a source outside the
    // drive, which is never read; the run lists it with the pages that refer to it.
    const std::string failure = copyMedia(run);
    if (failure.empty()) {
        run.noteCopied(cp1252::toUtf8(g.MediaDest));
    } else {
        run.noteFailed(cp1252::toUtf8(g.MediaSource), mediaUrl, failure);
    }
    run.state.MediaSeq = static_cast<std::int16_t>(run.state.MediaSeq + 1);
    return std::string(text(mediaUrl));
}

const ProductRecord& SelectProduct(GenerationRun& run, int r) {
    run.generator.Selection.CurrentRecord = r;
    run.generator.Selection.PageKind = PageType::Product;
    LoadStyle(run);
    return run.product(r);
}

void LoadStyle(GenerationRun& run) {
    const std::int32_t key = StyleRecordNo(run.generator.Selection).value_or(run.state.MediaKey);
    run.state.CurrentStyle = run.style(key);
}

void ClearMediaTables(GenerationRun& run) {
    run.generator.Copied.clear();
}

void PrepareSiteFolders(Drive& drive) {
    using namespace paths;
    // Every step may fail (missing folder, nothing to delete, a folder that is not empty) and is
    // then skipped; a path leading out of the drive is never touched.
    const auto step = [](auto&& operation) {
        try {
            operation();
        } catch (const PathError&) {
        }
    };
    const auto emptyAndRemoveData = [&] {
        step([&] { drive.changeDirectory(kDataFolderPath); });
        step([&] { drive.deleteFiles(kDataFilesPattern); });
        step([&] { drive.changeDirectory(kSiteFolderPath); });
        step([&] { drive.removeDirectory(kDataFolder); });
    };
    const auto emptyAndRemoveSite = [&] {
        step([&] { drive.deleteFiles(kSiteFilesPattern); });
        step([&] { drive.changeDirectory(kDriveRoot); });
        step([&] { drive.removeDirectory(kSiteFolderPath); });
    };
    const auto createFolders = [&] {
        step([&] { drive.makeDirectory(kSiteFolderPath); });
        step([&] { drive.makeDirectory(kDataFolderPath); });
    };
    const auto exists = [&](const char* path) {
        try {
            return drive.exists(path);
        } catch (const PathError&) {
            return false;
        }
    };

    emptyAndRemoveData();
    emptyAndRemoveSite();
    createFolders();
    if (exists(kDataFolder)) emptyAndRemoveData();
    if (exists(kSiteFolder)) emptyAndRemoveSite();
    createFolders();
}

}  // namespace tarvomen::generator
