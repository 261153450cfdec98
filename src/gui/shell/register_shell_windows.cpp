#include <stdexcept>

#include "gui/gui_context.hpp"
#include "gui/shell/form_start_view.hpp"
#include "gui/shell/frm_login_view.hpp"

namespace tarvomen::gui {

// The start window and the FTP dialog. The dialog works on the one start window, which stays
// loaded for the whole run.
void registerShellWindows(GuiContext& context) {
    context.windows.add(WindowId::FormStart, [&context] { return new FormStartView(context); });
    context.windows.add(WindowId::frmLogin, [&context] {
        auto* start = qobject_cast<FormStartView*>(context.windows.view(WindowId::FormStart));
        if (!start) throw std::logic_error("The start window is not loaded.");
        auto* login = new FrmLoginView(context, start->model());
        // Where the start window was, which hides while the dialog is open.
        login->adjustSize();
        login->move(start->frameGeometry().center() - login->rect().center());
        return login;
    });
}

}  // namespace tarvomen::gui
