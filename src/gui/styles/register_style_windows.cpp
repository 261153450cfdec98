#include <memory>

#include "gui/gui_context.hpp"
#include "gui/styles/form1_view.hpp"
#include "gui/styles/media_picker_view.hpp"

namespace tarvomen::gui {

// The style picker and the two media pickers.
void registerStyleWindows(GuiContext& context) {
    context.windows.add(WindowId::Form1, [&context] { return new Form1View(context); });
    context.windows.add(WindowId::FormMedia, [&context] {
        return new MediaPickerView(
            context, std::make_unique<styles::FormMedia>(context.state, context.windows),
            QStringLiteral("FormMedia"));
    });
    context.windows.add(WindowId::FormMedia2, [&context] {
        return new MediaPickerView(
            context, std::make_unique<styles::FormMedia2>(context.state, context.windows),
            QStringLiteral("FormMedia2"));
    });
}

}  // namespace tarvomen::gui
