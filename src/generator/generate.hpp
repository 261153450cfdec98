#pragma once

#include <string>
#include <vector>

#include "store/app_state.hpp"

namespace tarvomen::generator {

// A medium whose copy into the Data folder failed: the pages refer to `url`, which is missing.
struct MediaFailure {
    std::string source;              // Windows path of the file that was to be copied
    std::string url;                 // the reference the pages carry
    std::string reason;              // why it was not copied
    std::vector<std::string> pages;  // Windows paths of the pages that refer to it
};

// What one run of the generate command wrote.
struct GenerationResult {
    // The page to open in the browser: the home page, the link page or the preview. Nothing
    // when a message box stopped the run (a blank link title or product name).
    enum class Shown { Nothing, HomePage, LinkPage, TestPage };
    Shown shown = Shown::Nothing;
    std::string shownPage;  // its Windows path

    std::vector<std::string> pages;  // every page written, Windows paths, in writing order
    std::vector<std::string> media;  // every medium copied, Windows paths of the copies
    std::vector<MediaFailure> failedMedia;

    // True when every page and every medium was written.
    bool complete() const { return failedMedia.empty(); }
};

// The generate command of the style and media pickers for the page `page` selects: runs the
// generator chosen by its `PageKind` (0 the whole site, 1 the preview of product
// `CurrentRecord` in the current style, 2 the link page of `LinkNo` by itself), then loads the
// style of that page into the current style again (GetMediaParm). The page selection of the
// program state is neither read nor changed. Opens nothing: the caller hands `shownPage` to the
// shell.
// The whole site is written into a new folder beside the site folder, which takes the site
// folder's place only when every page was written. A page that cannot be written throws Error
// naming the file; the previous site is then left as it was. Media that cannot be copied do not
// stop the run: they are listed in the result.
GenerationResult Generate(AppState& state, const PageSelection& page);
// The same for the page selected in the program state (`state.Selection`).
GenerationResult Generate(AppState& state);

// The failed media of `result` for the user, one line per medium with the pages that refer to
// it; empty when every medium was copied.
std::string DescribeMediaFailures(const AppState& state, const GenerationResult& result);

}  // namespace tarvomen::generator
