#pragma once

#include "gui/window_registry.hpp"
#include "store/app_state.hpp"

namespace tarvomen::gui {

// What every view needs: the program's state (with its platform services) and the windows.
struct GuiContext {
    AppState& state;
    WindowRegistry& windows;
};

// Register the factories of the windows: the start window and the FTP dialog; the three record
// editors; the style picker and the two media pickers; all of them.
void registerShellWindows(GuiContext& context);
void registerEditorWindows(GuiContext& context);
void registerStyleWindows(GuiContext& context);
void registerAllWindows(GuiContext& context);

}  // namespace tarvomen::gui
