#pragma once

#include <string>

namespace tarvomen {

// The system clipboard, plain text (UTF-8).
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

}  // namespace tarvomen
