#pragma once

#include <stdexcept>
#include <string>

namespace tarvomen {

// A refusal or failure that the user must be told about, with a message fit to show as it is.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A path that would leave the drive folder.
class PathError : public Error {
  public:
    using Error::Error;
};

// Text that Windows-1252 cannot hold.
class EncodingError : public Error {
  public:
    EncodingError(const std::string& message, char32_t codePoint)
        : Error(message), codePoint_(codePoint) {}
    char32_t codePoint() const { return codePoint_; }

  private:
    char32_t codePoint_;
};

}  // namespace tarvomen
