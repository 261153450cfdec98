#include "gui/gui_context.hpp"

namespace tarvomen::gui {

void registerAllWindows(GuiContext& context) {
    registerShellWindows(context);
    registerEditorWindows(context);
    registerStyleWindows(context);
}

}  // namespace tarvomen::gui
