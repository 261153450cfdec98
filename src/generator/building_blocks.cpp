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
#include "store/style_ops.hpp"

namespace tarvomen {

using namespace tmpl;

namespace {

GeneratorState::PageFile& pageFile(AppState& state, PageFileNo file) {
    switch (file) {
        case PageFileNo::Home:
            return state.Generator.HomePageFile;
        case PageFileNo::Product:
            return state.Generator.ProductPageFile;
        case PageFileNo::Link:
            break;
    }
    return state.Generator.LinkPageFile;
}

bool isOneOf(const std::string& name, const std::vector<std::string>& names) {
    for (const std::string& other : names) {
        if (sameFileName(name, other)) return true;
    }
    return false;
}

// Creates (or empties) the page file and writes `text` into it.
void writeWholeFile(AppState& state, const std::string& windowsPath, std::string_view text) {
    const auto fail = [&](int error) {
        throw Error("The page " + cp1252::toUtf8(windowsPath) +
                    " cannot be written: " + std::strerror(error) + ".");
    };
    const std::filesystem::path host = SiteHostPath(state, windowsPath);
    // A folder of the previous site that the new one keeps takes the page's name.
    const GenerationRun* run = state.Generator.Run;
    if (run && !run->stage.empty() && host.parent_path() == run->stage &&
        isOneOf(host.filename().string(), run->siteFolders)) {
        fail(EISDIR);
    }
    const int fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) fail(errno);
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            ::close(fd);
            fail(error);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::close(fd) != 0) fail(errno);
}

// Copies `MediaSource` to `MediaDest`; returns why it failed, or nothing.
std::string copyMedia(AppState& state) {
    const GeneratorState& g = state.Generator;
    GenerationRun* run = g.Run;
    try {
        const std::string source = cp1252::toUtf8(g.MediaSource);
        const std::filesystem::path from =
            run ? run->mediaSource(source) : state.drive.resolve(source);
        const std::filesystem::path to = SiteHostPath(state, g.MediaDest);
        const bool staged = run && !run->stage.empty();
        // A folder of the previous site's Data folder, kept in the new one, takes its name.
        if (staged && isOneOf(to.filename().string(), run->dataFolders)) {
            return std::strerror(EISDIR);
        }
        CopyHints hints;
        const int error = CopyMediaFile(from, to, staged, run ? run->copyHints : hints);
        return error == 0 ? std::string() : std::string(std::strerror(error));
    } catch (const PathError& error) {
        return error.what();
    }
}

// The line of the ruler: publishes the current style's RulerFile and sets `RulerUrl`.
std::string rulerLine(AppState& state) {
    GeneratorState& g = state.Generator;
    g.MediaName = text(state.CurrentStyle.RulerFile);
    if (!g.MediaName.empty()) {
        PublishMedia(state);
        g.RulerUrl = text(g.MediaUrl);
    } else {
        g.RulerUrl.clear();
    }
    if (!g.RulerUrl.empty()) {
        return cat("<P><TABLE ALIGN=CENTER ", " BORDER=", "0", ">", "<TR><TH>",
                   "<IMG ALT=", g.RulerUrl, " ALIGN=CENTER SRC=", g.RulerUrl,
                   "></TABLE><BR CLEAR=ALL>", LF);
    }
    return cat("<BR CLEAR=ALL><HR>", LF);
}

}  // namespace

void OpenPageFile(AppState& state, PageFileNo file, std::string windowsPath) {
    GeneratorState::PageFile& page = pageFile(state, file);
    page.open = true;
    page.path = std::move(windowsPath);
    page.text.clear();
    if (GenerationRun* run = state.Generator.Run) run->currentPage = cp1252::toUtf8(page.path);
}

void WritePageLine(AppState& state, PageFileNo file, std::string_view text) {
    GeneratorState::PageFile& page = pageFile(state, file);
    if (!page.open) {
        throw std::logic_error("page file " + std::to_string(static_cast<int>(file)) +
                               " is not open");
    }
    page.text.append(text);
    page.text.append("\r\n");
}

void ClosePageFile(AppState& state, PageFileNo file) {
    GeneratorState::PageFile& page = pageFile(state, file);
    if (!page.open) return;
    page.open = false;
    const std::string text = std::move(page.text);
    page.text.clear();
    writeWholeFile(state, page.path, text);
    if (GenerationRun* run = state.Generator.Run) {
        run->result.pages.push_back(cp1252::toUtf8(page.path));
        run->currentPage.clear();
    }
}

void DiscardPageFiles(AppState& state) {
    for (auto* page : {&state.Generator.HomePageFile, &state.Generator.ProductPageFile,
                       &state.Generator.LinkPageFile}) {
        page->open = false;
        page->text.clear();
    }
}

void WriteLine(AppState& state) {
    switch (state.Selection.PageKind) {
        case PageType::Home:
            WritePageLine(state, PageFileNo::Home, state.Generator.LineBuffer);
            break;
        case PageType::Product:
            WritePageLine(state, PageFileNo::Product, state.Generator.LineBuffer);
            break;
        case PageType::Link:
            WritePageLine(state, PageFileNo::Link, state.Generator.LineBuffer);
            break;
        default:
            break;
    }
}

void WriteLine(AppState& state, std::string line) {
    state.Generator.LineBuffer = std::move(line);
    WriteLine(state);
}

void WriteBodyTag(AppState& state) {
    const StyleRecord& style = state.CurrentStyle;
    WriteLine(state, cat("<BODY BGColor=", Q, stored(style.ScreenColor), Q, " VLINK=", Q,
                         stored(style.LinkColor), Q, " ALINK=", Q, stored(style.ActiveLinkColor), Q,
                         " BACKGROUND=", state.Generator.BackgroundUrl, ">", LF));
}

void WriteRuler(AppState& state) {
    WriteLine(state, rulerLine(state));
}

void WriteRuler(AppState& state, PageFileNo file) {
    WritePageLine(state, file, rulerLine(state));
}

void WriteControlPicture(AppState& state) {
    if (text(state.CurrentStyle.ControlFile).empty()) return;
    const std::string_view url = text(state.Generator.MediaUrl);
    WriteLine(state, cat("<TABLE ALIGN=CENTER ", " BORDER=0>", "<BR><IMG ALT=", url,
                         " ALIGN=CENTER SRC=", url, "></CENTER></TABLE>", LF));
}

void PublishMedia(AppState& state) {
    GeneratorState& g = state.Generator;
    if (text(g.MediaName).empty()) return;

    g.MediaSource = g.MediaIsPath ? g.MediaName
                                  : std::string(text(state.CurrentStyle.MediaFolder)) + g.MediaName;
    const std::string_view source = g.MediaSource;
    const std::string extension(source.substr(source.size() >= 4 ? source.size() - 4 : 0));
    const std::string number = std::to_string(g.MediaSeq);
    g.MediaUrl = "/Tarvomen/Data/" + number + extension;
    g.MediaDest = kDataFolderPath + number + extension;

    // A source published before in this generation keeps its first reference; with 730
    // sources recorded a further one is copied but not recorded.
    if (const std::string* url = g.Copied.find(text(source))) {
        g.MediaUrl = *url;
        if (GenerationRun* run = g.Run) run->noteUse(g.MediaUrl);
        return;
    }
    g.Copied.record(g.MediaSource, g.MediaUrl);
    // A failing copy leaves the page referring to a missing file, as does a source outside the
    // drive, which is never read; the run lists it with the pages that refer to it.
    const std::string failure = copyMedia(state);
    if (GenerationRun* run = g.Run) {
        if (failure.empty()) {
            run->noteCopied(cp1252::toUtf8(g.MediaDest));
        } else {
            run->noteFailed(cp1252::toUtf8(g.MediaSource), g.MediaUrl, failure);
        }
    }
    g.MediaSeq = static_cast<std::int16_t>(g.MediaSeq + 1);
}

std::string PublishFile(AppState& state, std::string_view file, bool isPath) {
    GeneratorState& g = state.Generator;
    g.MediaName = text(file);
    g.MediaIsPath = isPath;
    PublishMedia(state);
    g.MediaIsPath = false;
    return std::string(text(g.MediaUrl));
}

void LoadProduct(AppState& state, int r, ProductRecord& buffer) {
    GenerationRun* run = state.Generator.Run;
    buffer = run ? run->product(r) : state.files.readProduct(r);
    state.Selection.CurrentRecord = r;
    state.Selection.PageKind = PageType::Product;
    LoadStyle(state);
}

void LoadStyle(AppState& state) {
    GenerationRun* run = state.Generator.Run;
    const std::int32_t key = GetMediaKey(state);
    state.CurrentStyle = run ? run->style(key) : state.files.readStyle(key);
}

void ClearMediaTables(AppState& state) {
    state.Generator.Copied.clear();
}

void PrepareSiteFolders(AppState& state) {
    Drive& drive = state.drive;
    // Every step may fail (missing folder, nothing to delete, a folder that is not empty) and is
    // then skipped; a path leading out of the drive is never touched.
    const auto step = [](auto&& operation) {
        try {
            operation();
        } catch (const PathError&) {
        }
    };
    const auto emptyAndRemoveData = [&] {
        step([&] { drive.changeDirectory("C:\\Tarvomen\\Data\\"); });
        step([&] { drive.deleteFiles("C:\\Tarvomen\\Data\\*.*"); });
        step([&] { drive.changeDirectory("C:\\Tarvomen\\"); });
        step([&] { drive.removeDirectory("C:\\Tarvomen\\Data"); });
    };
    const auto emptyAndRemoveSite = [&] {
        step([&] { drive.deleteFiles("C:\\Tarvomen\\*.*"); });
        step([&] { drive.changeDirectory("C:\\"); });
        step([&] { drive.removeDirectory("C:\\Tarvomen\\"); });
    };
    const auto createFolders = [&] {
        step([&] { drive.makeDirectory("C:\\Tarvomen\\"); });
        step([&] { drive.makeDirectory("C:\\Tarvomen\\Data\\"); });
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
    if (exists("C:\\Tarvomen\\Data")) emptyAndRemoveData();
    if (exists("C:\\Tarvomen")) emptyAndRemoveSite();
    createFolders();
}

}  // namespace tarvomen
