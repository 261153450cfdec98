#pragma once

#include "platform/clipboard.hpp"

namespace tarvomen::gui {

// The system clipboard, plain text.
class QtClipboard : public Clipboard {
  public:
    std::string text() const override;
    void setText(const std::string& text) override;
};

}  // namespace tarvomen::gui
