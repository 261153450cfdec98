#pragma once

#include "gui/gui_context.hpp"

namespace tarvomen::gui {

// Registers the start window (FormStart) and the FTP dialog (frmLogin).
void registerShellWindows(GuiContext& context);

}  // namespace tarvomen::gui
