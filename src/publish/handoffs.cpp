#include "publish/handoffs.hpp"

namespace tarvomen {
namespace {

void handOver(AppState& state, const std::string& target,
              Shell::ShowMode mode = Shell::ShowMode::Normal) {
    if (state.services.shell) state.services.shell->open(target, mode);
}

std::string percentEncoded(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                                byte == '_' || byte == '~';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

}  // namespace

void OpenHomePage(AppState& state) {
    handOver(state, "C:\\Tarvomen\\index.html");
}

void OpenLinkPage(AppState& state) {
    handOver(state, state.Generator.LinkPagePath);
}

void OpenTestPage(AppState& state) {
    handOver(state, "C:\\Tarvomen\\test.html");
}

void OpenAviTestPage(AppState& state) {
    handOver(state, "C:\\Program Files\\Tarvomen\\Tarvomen\\AviTest.html");
}

void OpenProgramFolder(AppState& state) {
    handOver(state, "C:\\Program Files\\Tarvomen\\");
}

std::string FtpAddress(const std::string& user, const std::string& password,
                       const std::string& host) {
    return "ftp://" + percentEncoded(user) + ":" + percentEncoded(password) + "@" + host;
}

void OpenFtpSite(AppState& state) {
    handOver(state, FtpAddress(state.FtpRun.user, state.FtpRun.password, state.FtpRun.host));
    handOver(state, "C:\\tarvomen\\", Shell::ShowMode::NoFocus);
}

}  // namespace tarvomen
