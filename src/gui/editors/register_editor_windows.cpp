// The windows of the record editors.
#include <memory>

#include "editors/form_detail.hpp"
#include "editors/form_link.hpp"
#include "editors/form_profile.hpp"
#include "gui/editors/editor_view.hpp"
#include "gui/gui_context.hpp"

namespace tarvomen::gui {

void registerEditorWindows(GuiContext& context) {
    AppState& state = context.state;
    WindowRegistry& windows = context.windows;
    windows.add(WindowId::FormProfile, [&state, &windows] {
        return new EditorView(state, std::make_unique<editors::FormProfile>(state, windows));
    });
    windows.add(WindowId::FormDetail, [&state, &windows] {
        return new EditorView(state, std::make_unique<editors::FormDetail>(state, windows));
    });
    windows.add(WindowId::FormLink, [&state, &windows] {
        return new EditorView(state, std::make_unique<editors::FormLink>(state, windows));
    });
}

}  // namespace tarvomen::gui
