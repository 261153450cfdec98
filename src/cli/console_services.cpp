#include "cli/console_services.hpp"

#include <ostream>

namespace tarvomen::cli {

std::string escapeControls(std::string_view text, bool keepLineBreaks) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    const auto escape = [&](unsigned code) {
        switch (code) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += "\\x";
                out += kHex[code >> 4];
                out += kHex[code & 15];
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n' && keepLineBreaks) {
            out += '\n';
        } else if (c < 0x20 || c == 0x7F) {
            escape(c);
        } else if (c == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80) {
            escape(static_cast<unsigned char>(text[++i]));  // U+0080 to U+009F
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

MessageBox::Answer ConsoleMessageBox::show(const MessageBoxRequest& request) {
    shown_ = true;
    err_ << escapeControls(request.text, true) << "\n";
    return request.defaultButton;
}

void ConsoleShell::open(const std::string&, ShowMode) {}

}  // namespace tarvomen::cli
