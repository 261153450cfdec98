#pragma once

#include <string>
#include <string_view>

#include "generator/generation_run.hpp"
#include "store/app_state.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::generator {

// The page files of the generator by number: 8 a product page or the preview, 9 the home page,
// 55 a link page.
enum class PageFileNo { Product = 8, Home = 9, Link = 55 };

// The site folder and the pages written into it.
using paths::kDataFolderPath;
using paths::kHomePage;
using paths::kSiteFolderPath;
using paths::kTestPage;

// Page files. A page is held in memory while it is written and reaches the disk in one write
// when it is closed. ClosePageFile throws Error naming the page when the file cannot be created
// or written (a missing folder, a full disk, a name taken by a folder).
void OpenPageFile(GenerationRun& run, PageFileNo file, std::string windowsPath);
void WritePageLine(GenerationRun& run, PageFileNo file, std::string_view text);
void ClosePageFile(GenerationRun& run, PageFileNo file);

// Building blocks. Each works on the run's generator state and the page it selects.

// Writes `LineBuffer` as one line (text and CR LF) to the page file of `PageKind`: 9 for 0, 8
// for 1, 55 for 2; nothing for any other value.
void WriteLine(GenerationRun& run);
// Sets `LineBuffer` to `line` and writes it.
void WriteLine(GenerationRun& run, std::string line);
// The page's BODY tag with the current style's colours and `BackgroundUrl`.
void WriteBodyTag(GenerationRun& run);
// The separator between page sections: the published RulerFile of the current style, or a
// plain rule. The first form writes through WriteLine; the second straight to `file`.
void WriteRuler(GenerationRun& run);
void WriteRuler(GenerationRun& run, PageFileNo file);
// The control picture line with the reference `mediaUrl` of the published ControlFile, when the
// style has a ControlFile.
void WriteControlPicture(GenerationRun& run, std::string_view mediaUrl);
// Copies the media file `mediaName` into the Data folder once per generation and returns its
// reference (`MediaUrl`, without blanks): `mediaName` is a full path when `mediaIsPath`, else a
// name in the current style's MediaFolder. A blank name publishes nothing and returns "" (the
// callers test the name first). A copy that fails (a missing or unreadable source, a full disk,
// a source outside the drive, which is never read) leaves no file behind; the page keeps the
// reference and the run lists the medium with the pages that refer to it.
std::string PublishMedia(GenerationRun& run, std::string_view mediaName, bool mediaIsPath = false);
// Forgets the sources copied so far (`CopiedSources` and `CopiedUrls` blank).
void ClearMediaTables(GenerationRun& run);
// Empties and re-creates the site folder and its Data folder; failing steps are skipped (a
// sub-folder the user put into the site folder is kept).
void PrepareSiteFolders(Drive& drive);

// Selects product page `r` (`CurrentRecord` := r, `PageKind` := 1), loads its style
// (LoadStyle) and returns its record, read once per generation.
const ProductRecord& SelectProduct(GenerationRun& run, int r);
// GetMediaParm for the generator: the style record of the page the run selects into the
// current style, read once per generation.
void LoadStyle(GenerationRun& run);

// True when a product's style lists it on the home page (LinkToProfile True), false when it
// belongs to the Link3 page.
inline bool ListedOnHomePage(const StyleRecord& style) {
    return style.LinkToProfile != 0;
}

// The page writers.

// The home page "C:\Tarvomen\index.html"; sets `NamedProductCount` and `ListedProductCount`.
void WriteHomePage(GenerationRun& run);
// One page per named product, "C:\tarvomen\N.html": the products listed on the home page
// take 1 ... H in record order, the others H + 1 ... N in record order.
void WriteProductPages(GenerationRun& run);
// The Link2 or Link3 page chosen by `LinkNo`, inside the whole-site generation or by itself
// (`LinkPagesStandalone`).
void WriteLinkPage(GenerationRun& run);
// The preview of product `CurrentRecord` in "C:\Tarvomen\test.html", in the current style.
void WritePreviewPage(GenerationRun& run);

}  // namespace tarvomen::generator
