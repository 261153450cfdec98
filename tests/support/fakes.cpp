#include "support/fakes.hpp"

namespace tarvomen::testing {

MessageBox::Answer ScriptedMessageBox::show(const MessageBoxRequest& request) {
    shown.push_back(request);
    if (script_.empty()) return request.defaultButton;
    const Answer next = script_.front();
    script_.pop_front();
    return next;
}

std::optional<std::string> ScriptedFileDialog::openFile(const FileDialogRequest& request) {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto next = answers.front();
    answers.pop_front();
    return next;
}

FixedFontList& testFonts() {
    static FixedFontList fonts({"Arial", "Courier New", "Times New Roman", "Verdana"});
    return fonts;
}

}  // namespace tarvomen::testing
