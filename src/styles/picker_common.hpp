#pragma once

#include <string>

#include "platform/window_manager.hpp"
#include "store/app_state.hpp"

namespace tarvomen::styles {

// The editor that works on pages of the current `PageKind`: FormProfile (0), FormDetail (1) or
// FormLink (2); the start window for any other value.
WindowId editorOfPageKind(const AppState& state);

// Runs the generate command for the page of the page selection and opens the page it wrote in
// the browser. A generation that fails (a page that cannot be written) is reported to the user
// in a message box, and so are media that could not be copied.
void RunGenerateCommand(AppState& state);

// An OK box, when the program has a message box service.
void informUser(const AppState& state, const std::string& text, const std::string& title);

}  // namespace tarvomen::styles
