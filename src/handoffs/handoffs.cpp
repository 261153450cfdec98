#include "handoffs/handoffs.hpp"

#include "platform/url.hpp"
#include "store/own_text.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::handoffs {
namespace {

void handOver(AppState& state, const std::string& target,
              Shell::ShowMode mode = Shell::ShowMode::Normal) {
    if (state.services.shell) state.services.shell->open(target, mode);
}

}  // namespace

void OpenHomePage(AppState& state) {
    handOver(state, paths::kHomePage);
}

void OpenLinkPage(AppState& state, const std::string& linkPagePath) {
    handOver(state, linkPagePath);
}

void OpenTestPage(AppState& state) {
    handOver(state, paths::kTestPage);
}

void OpenAviTestPage(AppState& state) {
    if (auto* player = dynamic_cast<MediaTestPageShell*>(state.services.shell)) {
        player->setCannotPlayText(ownText(state, "The browser cannot play files of this format: ",
                                          "Le navigateur ne sait pas lire les fichiers de ce "
                                          "format : "));
    }
    handOver(state, paths::kAviTestPage);
}

void OpenProgramFolder(AppState& state) {
    handOver(state, paths::kProgramFolderOpened);
}

std::string FtpAddress(const std::string& user, const std::string& password,
                       const std::string& host) {
    return "ftp://" + percentEncode(user) + ":" + percentEncode(password) + "@" + host;
}

void OpenFtpSite(AppState& state) {
    handOver(state, FtpAddress(state.FtpRun.user, state.FtpRun.password, state.FtpRun.host));
    handOver(state, paths::kSiteFolderOpened, Shell::ShowMode::NoFocus);
}

}  // namespace tarvomen::handoffs
