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
    const std::int32_t pageRecord = state.CurrentRecord;
    ClearMediaTables(state);
    g.MediaSeq = 0;
    g.LinkPagesStandalone = false;
    // Every generation writes the site: the new folder is prepared and the pages follow at once.
    OpenSiteStage(state, run);
    try {
        WriteHomePage(state);

        state.PageKind = 2;
        if (!state.Page.Link2.blank()) {
            state.LinkNo = 2;
            WriteLinkPage(state);
        }
        if (!state.Page.Link3.blank()) {
            state.LinkNo = 3;
            WriteLinkPage(state);
        }

        WriteProductPages(state);
        CommitSiteStage(state, run);
    } catch (...) {
        DiscardSiteStage(run);
        throw;
    }

    state.PageKind = 0;
    run.result.shown = GenerationResult::Shown::HomePage;
    run.result.shownPage = kHomePagePath;
    state.CurrentRecord = pageRecord;
}

}  // namespace

GenerationResult Generate(AppState& state) {
    const std::int16_t pageKind = state.PageKind;
    const std::int32_t currentRecord = state.CurrentRecord;
    GenerationRun run(state);
    try {
        switch (state.PageKind) {
            case 0:
                GenerateSite(state, run);
                break;
            case 1:
                WritePreviewPage(state);
                break;
            case 2:
                state.Generator.LinkPagesStandalone = true;
                WriteLinkPage(state);
                break;
            default:
                break;
        }
    } catch (...) {
        // A failed generation leaves no page half-open and the edited page selected as before.
        DiscardPageFiles(state);
        state.Generator.LinkPagesStandalone = false;
        state.PageKind = pageKind;
        state.CurrentRecord = currentRecord;
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
