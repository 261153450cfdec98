#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/drive.hpp"
#include "platform/message_box.hpp"
#include "platform/shell.hpp"

namespace tarvomen::cli {

// UTF-8 text for a terminal, with its control characters (C0, DEL and C1) written as \t, \r,
// \n or \xNN, so that text from the records cannot move the cursor, recolour or retitle the
// terminal or hide what was printed before it. `keepLineBreaks` leaves "\n" as it is, for
// messages of several lines.
std::string escapeControls(std::string_view text, bool keepLineBreaks = false);

// Message boxes on the command line: the text (escaped) goes to the error stream and the
// default button answers. `shown()` tells whether any was shown (the command then fails).
class ConsoleMessageBox : public MessageBox {
  public:
    explicit ConsoleMessageBox(std::ostream& err) : err_(err) {}
    Answer show(const MessageBoxRequest& request) override;
    bool shown() const { return shown_; }

  private:
    std::ostream& err_;
    bool shown_ = false;
};

// The shell on the command line opens nothing: a command that shows a page hands it to the
// desktop itself (the --open option).
class ConsoleShell : public Shell {
  public:
    explicit ConsoleShell(const Drive& drive) : drive_(drive) {}
    void open(const std::string& target, ShowMode mode) override;

    const Drive& drive() const { return drive_; }

  private:
    const Drive& drive_;
};

}  // namespace tarvomen::cli
