#include "styles/picker_common.hpp"

#include "generator/generate.hpp"
#include "platform/error.hpp"

namespace tarvomen::styles {

WindowId editorOfPageKind(const AppState& state) {
    switch (state.PageKind) {
        case 0:
            return WindowId::FormProfile;
        case 1:
            return WindowId::FormDetail;
        case 2:
            return WindowId::FormLink;
        default:
            return WindowId::FormStart;
    }
}

void RunGenerateCommand(AppState& state) {
    try {
        Generate(state);
    } catch (const Error& error) {
        informUser(state, error.what(), "Tarvomen");
    }
}

void informUser(const AppState& state, const std::string& text, const std::string& title) {
    if (state.services.messages) state.services.messages->inform(text, title);
}

}  // namespace tarvomen::styles
