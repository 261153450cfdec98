#include "publish/handoffs.hpp"
#include "platform/url.hpp"

namespace tarvomen {
namespace {

void handOver(AppState& state, const std::string& target,
              Shell::ShowMode mode = Shell::ShowMode::Normal) {
    if (state.services.shell) state.services.shell->open(target, mode);
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
    return "ftp://" + percentEncode(user) + ":" + percentEncode(password) + "@" + host;
}

void OpenFtpSite(AppState& state) {
    handOver(state, FtpAddress(state.FtpRun.user, state.FtpRun.password, state.FtpRun.host));
    handOver(state, "C:\\tarvomen\\", Shell::ShowMode::NoFocus);
}

}  // namespace tarvomen
