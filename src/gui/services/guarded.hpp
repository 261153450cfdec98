#pragma once

#include <exception>
#include <utility>

#include "store/app_state.hpp"

namespace tarvomen::gui {

// Runs an event handler of a window; a failure is shown to the user in a message box instead
// of leaving the event loop.
template <class Handler>
void guarded(AppState& state, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        if (state.services.messages) {
            state.services.messages->inform(error.what(), "Tarvomen", MessageBox::Icon::Critical);
        }
    }
}

}  // namespace tarvomen::gui
