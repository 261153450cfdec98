#pragma once

#include <string>
#include <string_view>

#include "store/app_state.hpp"

namespace tarvomen {

// The page files of the generator by number: 8 a product page or the preview, 9 the home page,
// 55 a link page.
enum class PageFileNo { Product = 8, Home = 9, Link = 55 };

// The site folder and the pages written into it.
inline constexpr const char* kSiteFolderPath = "C:\\Tarvomen\\";
inline constexpr const char* kDataFolderPath = "C:\\Tarvomen\\Data\\";
inline constexpr const char* kHomePagePath = "C:\\Tarvomen\\index.html";
inline constexpr const char* kTestPagePath = "C:\\Tarvomen\\test.html";

// Page files. A page is held in memory while it is written and reaches the disk in one write
// when it is closed. ClosePageFile throws Error naming the page when the file cannot be created
// or written (a missing folder, a full disk, a name taken by a folder).
void OpenPageFile(AppState& state, PageFileNo file, std::string windowsPath);
void WritePageLine(AppState& state, PageFileNo file, std::string_view text);
void ClosePageFile(AppState& state, PageFileNo file);
// Forgets every open page file without writing it (after a failed generation).
void DiscardPageFiles(AppState& state);

// Building blocks. Each works on the generator state in `state.Generator`.

// Writes `LineBuffer` as one line (text and CR LF) to the page file of `PageKind`: 9 for 0, 8
// for 1, 55 for 2; nothing for any other value.
void WriteLine(AppState& state);
// Sets `LineBuffer` to `line` and writes it.
void WriteLine(AppState& state, std::string line);
// The page's BODY tag with the current style's colours and `BackgroundUrl`.
void WriteBodyTag(AppState& state);
// The separator between page sections: the published RulerFile of the current style, or a
// plain rule. The first form writes through WriteLine; the second straight to `file`.
void WriteRuler(AppState& state);
void WriteRuler(AppState& state, PageFileNo file);
// The control picture line with the reference in `MediaUrl`, when the style has a ControlFile.
void WriteControlPicture(AppState& state);
// Copies `MediaName` (a path when `MediaIsPath`, else a name in the style's MediaFolder) into
// the Data folder once per generation and sets `MediaUrl` to its reference. A copy that fails
// (a missing or unreadable source, a full disk, a source outside the drive, which is never
// read) leaves no file behind; the page keeps the reference and the run lists the medium with
// the pages that refer to it.
void PublishMedia(AppState& state);
// Blanks the 730 entries of `CopiedSources` and `CopiedUrls`.
void ClearMediaTables(AppState& state);
// Empties and re-creates the site folder and its Data folder; failing steps are skipped (a
// sub-folder the user put into the site folder is kept).
void PrepareSiteFolders(AppState& state);

// Publishes `file` (`MediaName` := file without blanks, `MediaIsPath` as given and False again
// afterwards) and returns its reference, `MediaUrl` without blanks.
std::string PublishFile(AppState& state, std::string_view file, bool isPath = false);

// Reads product record `r` into `buffer` and loads its style: `CurrentRecord` := r,
// `PageKind` := 1, LoadStyle.
void LoadProduct(AppState& state, int r, ProductRecord& buffer);
// GetMediaParm for the generator: the style record of the page selection into the current
// style, read once per generation.
void LoadStyle(AppState& state);

// True when a product's style lists it on the home page (LinkToProfile True), false when it
// belongs to the Link3 page.
inline bool ListedOnHomePage(const StyleRecord& style) {
    return style.LinkToProfile != 0;
}

// The page writers.

// The home page "C:\Tarvomen\index.html"; sets `NamedProductCount` and `ListedProductCount`.
void WriteHomePage(AppState& state);
// One page per named product, "C:\tarvomen\N.html": the products listed on the home page
// take 1 ... H in record order, the others H + 1 ... N in record order.
void WriteProductPages(AppState& state);
// The Link2 or Link3 page chosen by `LinkNo`, inside the whole-site generation or by itself
// (`LinkPagesStandalone`).
void WriteLinkPage(AppState& state);
// The preview of product `CurrentRecord` in "C:\Tarvomen\test.html", in the current style.
void WritePreviewPage(AppState& state);

}  // namespace tarvomen
