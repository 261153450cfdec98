#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvomen::testing {

// A fresh drive folder under the system's temporary folder, removed when the test ends.
class TempDrive {
  public:
    TempDrive();
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Host path of a path relative to the drive folder ("Program Files/Tarvomen/Qvmp.txt").
    std::filesystem::path operator/(std::string_view relative) const { return path_ / relative; }

    // Lays out the program folder, its "Tarvomen", "qv" and "TMedia" folders and the site folder.
    void layOut() const;

  private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tarvomen::testing
