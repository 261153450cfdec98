#include "generator/generate.hpp"

#include "generator/generation_run.hpp"
#include "generator/generator.hpp"
#include "generator/site_stage.hpp"
#include "store/own_text.hpp"
#include "store/style_ops.hpp"

namespace tarvomen {
namespace {

// The whole-site generation. The pages and media go into a new folder beside the site folder,
// which replaces the site folder once every page is written; the end state is that of emptying
// the site folder and writing into it.
void GenerateSite(AppState& state, GenerationRun& run) {
    GeneratorState& g = state.Generator;
    ClearMediaTables(state);
    g.MediaSeq = 0;
    g.LinkPagesStandalone = false;
    // Every generation writes the site: the new folder is prepared and the pages follow at once.
    OpenSiteStage(state, run);
    try {
        WriteHomePage(state);

        state.Selection.PageKind = PageType::Link;
        if (!state.Page.Link2.blank()) {
            state.Selection.LinkNo = 2;
            WriteLinkPage(state);
        }
        if (!state.Page.Link3.blank()) {
            state.Selection.LinkNo = 3;
            WriteLinkPage(state);
        }

        WriteProductPages(state);
        CommitSiteStage(state, run);
    } catch (...) {
        DiscardSiteStage(run);
        throw;
    }

    run.result.shown = GenerationResult::Shown::HomePage;
    run.result.shownPage = kHomePagePath;
}

}  // namespace

GenerationResult Generate(AppState& state) {
    GenerationRun run(state);
    try {
        // The writers select the pages they write; the edited page is selected again after.
        const SelectionGuard edited(state.Selection);
        switch (state.Selection.PageKind) {
            case PageType::Home:
                GenerateSite(state, run);
                break;
            case PageType::Product:
                WritePreviewPage(state);
                break;
            case PageType::Link:
                state.Generator.LinkPagesStandalone = true;
                WriteLinkPage(state);
                break;
            default:
                break;
        }
    } catch (...) {
        // A failed generation leaves no page half-open.
        DiscardPageFiles(state);
        state.Generator.LinkPagesStandalone = false;
        try {
            GetMediaParm(state);
        } catch (const std::exception&) {
            // The first failure is the one to report.
        }
        throw;
    }
    GetMediaParm(state);
    return std::move(run.result);
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

}  // namespace tarvomen
