#include "publish/previewing_shell.hpp"

#include <optional>

#include "platform/error.hpp"

namespace tarvomen::publish {

PreviewingShell::PreviewingShell(Shell& inner, const Drive& drive, int port)
    : inner_(inner), drive_(drive), port_(port) {}

PreviewingShell::~PreviewingShell() = default;

PreviewServer& PreviewingShell::startServer() {
    if (!server_) {
        auto server = std::make_unique<PreviewServer>(drive_.root());
        server->start(port_);
        server->setCannotPlayText(cannotPlayText_);
        server_ = std::move(server);
    }
    return *server_;
}

void PreviewingShell::setCannotPlayText(std::string text) {
    cannotPlayText_ = std::move(text);
    if (server_) server_->setCannotPlayText(cannotPlayText_);
}

void PreviewingShell::open(const std::string& target, ShowMode mode) {
    const bool testPage = PreviewServer::isMediaTestPage(drive_, target);
    const std::optional<std::string> name =
        testPage ? std::nullopt : PreviewServer::siteNameOf(drive_, target);
    if (!testPage && !name) {
        inner_.open(target, mode);
        return;
    }
    PreviewServer* server = nullptr;
    try {
        server = &startServer();
    } catch (const Error&) {
        // Without a server the page still opens from its file, as the shell would open it.
        inner_.open(target, mode);
        return;
    }
    server->notifyGenerated();
    inner_.open(testPage ? server->mediaTestAddress() : server->address(*name), mode);
}

}  // namespace tarvomen::publish
