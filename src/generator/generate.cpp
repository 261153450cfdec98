#include "generator/generate.hpp"

#include "generator/generation_run.hpp"
#include "generator/generator.hpp"
#include "generator/site_stage.hpp"
#include "store/own_text.hpp"

namespace tarvomen::generator {
namespace {

// The whole-site generation. The pages and media go into a new folder beside the site folder,
// which replaces the site folder once every page is written; the end state is that of emptying
// the site folder and writing into it.
void GenerateSite(GenerationRun& run) {
    GeneratorState& g = run.generator;
    ClearMediaTables(run);
    run.state.MediaSeq = 0;
    g.LinkPagesStandalone = false;
    // Every generation writes the site: the new folder is prepared and the pages follow at once.
    OpenSiteStage(run);
    try {
        WriteHomePage(run);

        g.Selection.PageKind = PageType::Link;
        if (!run.state.Page.Link2.blank()) {
            g.Selection.LinkNo = 2;
            WriteLinkPage(run);
        }
        if (!run.state.Page.Link3.blank()) {
            g.Selection.LinkNo = 3;
            WriteLinkPage(run);
        }

        WriteProductPages(run);
        CommitSiteStage(run);
    } catch (...) {
        DiscardSiteStage(run);
        throw;
    }

    run.result.shown = GenerationResult::Shown::HomePage;
    run.result.shownPage = kHomePage;
}

// GetMediaParm for the page `edited`: its style record into the current style.
void LoadEditedStyle(AppState& state, const PageSelection& edited) {
    if (const auto recordNo = StyleRecordNo(edited)) state.MediaKey = *recordNo;
    state.CurrentStyle = state.files.readStyle(state.MediaKey);
}

}  // namespace

GenerationResult Generate(AppState& state, const PageSelection& page) {
    GenerationRun run(state, page);
    try {
        switch (page.PageKind) {
            case PageType::Home:
                GenerateSite(run);
                break;
            case PageType::Product:
                WritePreviewPage(run);
                break;
            case PageType::Link:
                run.generator.LinkPagesStandalone = true;
                WriteLinkPage(run);
                break;
            default:
                break;
        }
    } catch (...) {
        try {
            LoadEditedStyle(state, page);
        } catch (const std::exception&) {
            // The first failure is the one to report.
        }
        throw;
    }
    LoadEditedStyle(state, page);
    return std::move(run.result);
}

GenerationResult Generate(AppState& state) {
    return Generate(state, state.Selection);
}

std::string DescribeMediaFailures(const AppState& state, const GenerationResult& result) {
    if (result.failedMedia.empty()) return {};
    std::string text = ownText(state,
                               "These media files could not be copied into the site, so the pages "
                               "show them as missing:",
                               "Ces fichiers médias n'ont pas pu être copiés dans le site ; les "
                               "pages les montrent comme manquants :");
    for (const MediaFailure& failure : result.failedMedia) {
        text += "\n" + failure.source + " (" + failure.reason + ")";
        if (failure.pages.empty()) continue;
        text += ownText(state, ", used by ", ", utilisé par ");
        for (std::size_t i = 0; i < failure.pages.size(); ++i) {
            text += (i == 0 ? "" : ", ") + failure.pages[i];
        }
    }
    return text;
}

}  // namespace tarvomen::generator
