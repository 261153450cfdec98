#pragma once

#include <optional>
#include <string>

#include "platform/drive.hpp"
#include "platform/shell.hpp"

namespace tarvomen::handoffs {

// The desktop's default handler on Linux: starts `xdg-open TARGET` directly with an argument
// vector (never through a command shell) and does not wait for it; the finished child is
// reaped in the background. Windows paths ("C:\Tarvomen\index.html") are handed over as their
// host paths in the drive; a path outside the drive is refused and nothing is started.
// Addresses ("ftp://", "http://", "https://") are handed over as they are; other schemes are
// refused. xdg-open has no show modes, so they are ignored.
// Whether the desktop has a program for "ftp://" addresses: `xdg-mime query default
// x-scheme-handler/ftp` names one.
bool desktopHandlesFtpAddresses();

class DesktopShell : public Shell {
  public:
    explicit DesktopShell(const Drive& drive, std::string program = "xdg-open");
    void open(const std::string& target, ShowMode mode) override;

    // The argument handed to the program for `target`, or nothing when it is refused.
    std::optional<std::string> argumentFor(const std::string& target) const;

  private:
    const Drive& drive_;
    std::string program_;
};

}  // namespace tarvomen::handoffs
