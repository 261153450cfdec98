#pragma once

#include "gui/window_registry.hpp"
#include "store/app_state.hpp"

namespace tarvomen::gui {

// What every view needs: the program's state (with its platform services) and the windows.
struct GuiContext {
    AppState& state;
    WindowRegistry& windows;
};

// Registers the factories of every window of the program (generated from the areas present).
void registerAllWindows(GuiContext& context);

}  // namespace tarvomen::gui
