#include "cli/console_services.hpp"

#include <ostream>

namespace tarvomen::cli {

MessageBox::Answer ConsoleMessageBox::show(const MessageBoxRequest& request) {
    shown_ = true;
    err_ << request.text << "\n";
    return request.defaultButton;
}

void ConsoleShell::open(const std::string&, ShowMode) {}

}  // namespace tarvomen::cli
