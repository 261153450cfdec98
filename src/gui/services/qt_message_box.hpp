#pragma once

#include "platform/message_box.hpp"

namespace tarvomen::gui {

// Message boxes of the desktop program: a modal QMessageBox over the active window with the
// request's title, text, buttons, icon and default button. Escape answers Cancel where it is
// offered, else No.
class QtMessageBox : public MessageBox {
  public:
    Answer show(const MessageBoxRequest& request) override;
};

}  // namespace tarvomen::gui
