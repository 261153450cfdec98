#pragma once

#include <string>

namespace tarvomen {

// The desktop shell's default action on a target: a Windows path of the drive
// ("C:\Tarvomen\index.html", a folder) or an address ("ftp://...", "http://..."). The program
// does not wait for what the shell starts and does not check its result.
class Shell {
  public:
    enum class ShowMode { Normal = 1, NoFocus = 4 };

    virtual ~Shell() = default;
    virtual void open(const std::string& target, ShowMode mode) = 0;
};

}  // namespace tarvomen
