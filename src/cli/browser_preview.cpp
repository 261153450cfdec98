// The --open option of generate, preview and link: the written page goes to the desktop's
// browser as its address on the preview server, which then serves until Ctrl-C.
#include <memory>
#include <string>

#include "cli/cli.hpp"
#include "handoffs/desktop_shell.hpp"
#include "publish/previewing_shell.hpp"

namespace tarvomen::cli {
namespace {

class ServedPreview : public BrowserPreview {
  public:
    explicit ServedPreview(const Drive& drive) : desktop_(drive), previewing_(desktop_, drive) {}

    int showAndServe(Context& context, const std::string& page) override {
        previewing_.open(page, Shell::ShowMode::Normal);
        return keepServing(context, previewing_, page);
    }

  private:
    handoffs::DesktopShell desktop_;
    publish::PreviewingShell previewing_;
};

}  // namespace

std::unique_ptr<BrowserPreview> startBrowserPreview(Context& context) {
    return std::make_unique<ServedPreview>(context.state.drive);
}

}  // namespace tarvomen::cli
