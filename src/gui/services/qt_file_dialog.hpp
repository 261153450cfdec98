#pragma once

#include "platform/drive.hpp"
#include "platform/file_dialog.hpp"

namespace tarvomen::gui {

// Qt's file-open dialog over the drive: the initial folder is resolved to its host folder and
// the chosen host path is given back in its "C:\..." form. A file outside the drive comes back
// as its host path, which no "C:\" prefix check accepts.
class QtFileDialog : public FileDialog {
  public:
    explicit QtFileDialog(const Drive& drive) : drive_(drive) {}
    std::optional<std::string> openFile(const FileDialogRequest& request) override;

  private:
    const Drive& drive_;
};

}  // namespace tarvomen::gui
