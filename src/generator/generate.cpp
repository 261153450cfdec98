#include "generator/generate.hpp"

#include "generator/generator.hpp"
#include "publish/handoffs.hpp"
#include "store/style_ops.hpp"

namespace tarvomen {

void GenerateSite(AppState& state) {
    GeneratorState& g = state.Generator;
    const std::int32_t pageRecord = state.CurrentRecord;
    ClearMediaTables(state);
    g.MediaSeq = 0;
    g.LinkPagesStandalone = false;
    // Every generation writes the site: the folders are prepared and the pages follow at once.
    PrepareSiteFolders(state);

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

    state.PageKind = 0;
    OpenHomePage(state);
    state.CurrentRecord = pageRecord;
}

void Generate(AppState& state) {
    const std::int16_t pageKind = state.PageKind;
    const std::int32_t currentRecord = state.CurrentRecord;
    try {
        switch (state.PageKind) {
            case 0:
                GenerateSite(state);
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
}

}  // namespace tarvomen
