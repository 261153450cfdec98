#pragma once

#include <memory>
#include <string>

#include "handoffs/handoffs.hpp"
#include "platform/drive.hpp"
#include "platform/shell.hpp"
#include "publish/preview_server.hpp"

namespace tarvomen::publish {

// A shell layer for the previews: a page of the site folder ("C:\Tarvomen\index.html",
// "C:\tarvomen\test.html", "C:\Tarvomen\Link211.html") is handed to the inner shell as its
// address on the preview server, so that the browser resolves the pages' /Tarvomen/...
// references; the media test page "C:\Program Files\Tarvomen\Tarvomen\AviTest.html" goes as the
// server's address of it, where it plays its medium. The server starts with the first such page
// and lives as long as this object. Each such hand-off follows a new page or generation, so it
// also makes open pages reload. Every other target (folders, "ftp://" addresses) passes through
// as it is.
class PreviewingShell : public Shell, public handoffs::MediaTestPageShell {
  public:
    // `port` 0 lets the server take a free port.
    PreviewingShell(Shell& inner, const Drive& drive, int port = 0);
    ~PreviewingShell() override;

    void open(const std::string& target, ShowMode mode) override;
    void setCannotPlayText(std::string text) override;

    // The server, or nullptr before the first preview.
    PreviewServer* server() const { return server_.get(); }
    // Starts the server now if it is not running yet. Throws Error when it cannot listen.
    PreviewServer& startServer();

  private:
    Shell& inner_;
    const Drive& drive_;
    int port_;
    std::string cannotPlayText_;
    std::unique_ptr<PreviewServer> server_;
};

}  // namespace tarvomen::publish
