#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvomen {

// The folder that stands for drive "C:\". Every path the program works with is a Windows path
// ("C:\Tarvomen\index.html", UTF-8) resolved through this class:
//  - names compare without regard to letter case: each component resolves to an existing entry
//    whose name matches case-insensitively (an exact match first); a new entry keeps the
//    spelling given;
//  - nothing outside the drive folder is ever reached: ".." above the drive, another drive
//    letter, a path without a drive letter that starts at a root, a UNC name or a link leading
//    out of the folder is refused with PathError before anything is read or written.
// Bare names resolve against the drive's current directory, which is state of this object and
// never the process's working directory.
class Drive {
  public:
    explicit Drive(std::filesystem::path root);

    // The drive folder chosen by `--drive DIR`, else $TARVOMEN_DRIVE, else
    // $XDG_DATA_HOME/tarvomen/drive_c (default ~/.local/share/tarvomen/drive_c).
    static std::filesystem::path locate(const std::optional<std::string>& commandLineDrive);

    const std::filesystem::path& root() const { return root_; }

    // Host path of a Windows path. Throws PathError for a path outside the drive.
    std::filesystem::path resolve(std::string_view windowsPath) const;

    // The "C:\..." form of a host path inside the drive, or nothing for a path outside it.
    std::optional<std::string> toWindows(const std::filesystem::path& hostPath) const;

    // "C:\A\B" normal form of a Windows path (components as given, "." and ".." applied).
    // Throws PathError like resolve().
    std::string normalize(std::string_view windowsPath) const;

    const std::string& currentDirectory() const { return currentDirectory_; }

    // File operations of the program. Ordinary failures (missing file, folder not empty) return
    // false, as the callers ignore or report them; a path outside the drive throws PathError.
    bool changeDirectory(std::string_view windowsPath);
    bool exists(std::string_view windowsPath) const;
    bool isDirectory(std::string_view windowsPath) const;
    bool makeDirectory(std::string_view windowsPath);
    bool makeDirectories(std::string_view windowsPath);
    bool removeDirectory(std::string_view windowsPath);
    // Deletes the files (not folders) matching the last component, a pattern with * and ?
    // ("C:\Tarvomen\Data\*.*"). False when nothing matched or a deletion failed.
    bool deleteFiles(std::string_view windowsPattern);
    // Copies a file, replacing the target.
    bool copyFile(std::string_view fromWindowsPath, std::string_view toWindowsPath);
    // Names of the entries of a folder, sorted; directories or files only.
    std::vector<std::string> listFolder(std::string_view windowsPath, bool directories) const;

  private:
    struct Parsed {
        std::vector<std::string> components;
    };
    Parsed parse(std::string_view windowsPath) const;
    std::filesystem::path resolveComponents(const std::vector<std::string>& components) const;
    void checkInside(const std::filesystem::path& hostPath, std::string_view windowsPath) const;

    std::filesystem::path root_;
    std::filesystem::path canonicalRoot_;
    std::string currentDirectory_ = "C:\\";
};

// Case-insensitive comparison of two file names as Windows compares them (ASCII and Latin-1
// letters).
bool sameFileName(std::string_view a, std::string_view b);

// Windows wildcard match ("*.*" matches every name, with or without a dot), without regard to
// case.
bool matchesPattern(std::string_view pattern, std::string_view name);

}  // namespace tarvomen
