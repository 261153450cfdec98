#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvomen {

// The platform's file-open dialog. Paths are Windows paths of the drive (UTF-8); the
// implementation maps them to and from host paths. Nothing is returned when the user cancels.
struct FileDialogRequest {
    struct Filter {
        std::string description;  // "GIF Image"
        std::string patterns;     // "*.gif"
    };
    std::string title;
    std::string initialFolder;
    std::vector<Filter> filters;
};

class FileDialog {
  public:
    virtual ~FileDialog() = default;
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
};

}  // namespace tarvomen
