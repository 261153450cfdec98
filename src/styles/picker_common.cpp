#include "styles/picker_common.hpp"

#include "generator/generate.hpp"
#include "handoffs/handoffs.hpp"
#include "platform/error.hpp"

namespace tarvomen::styles {

WindowId editorOfPageKind(const AppState& state) {
    switch (state.Selection.PageKind) {
        case PageType::Home:
            return WindowId::FormProfile;
        case PageType::Product:
            return WindowId::FormDetail;
        case PageType::Link:
            return WindowId::FormLink;
        default:
            return WindowId::FormStart;
    }
}

void RunGenerateCommand(AppState& state) {
    using generator::GenerationResult;
    GenerationResult result;
    try {
        result = generator::Generate(state);
    } catch (const Error& error) {
        informUser(state, error.what(), "Tarvomen");
        return;
    }
    // Told before the browser takes the focus.
    if (!result.complete())
        informUser(state, generator::DescribeMediaFailures(state, result), "Tarvomen");
    switch (result.shown) {
        case GenerationResult::Shown::HomePage:
            handoffs::OpenHomePage(state);
            break;
        case GenerationResult::Shown::LinkPage:
            handoffs::OpenLinkPage(state, result.shownPage);
            break;
        case GenerationResult::Shown::TestPage:
            handoffs::OpenTestPage(state);
            break;
        case GenerationResult::Shown::Nothing:
            break;
    }
}

void informUser(const AppState& state, const std::string& text, const std::string& title) {
    if (state.services.messages) state.services.messages->inform(text, title);
}

}  // namespace tarvomen::styles
