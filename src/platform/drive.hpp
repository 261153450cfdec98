#pragma once

#include <filesystem>
#include <memory>
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
//
// Lookups start from a descriptor of the drive folder and let the kernel keep them inside it
// (openat2 confined to the folder; a walk of O_NOFOLLOW opens where the kernel lacks openat2).
// A host path handed out crosses no link: a link that stays on the drive is replaced by the
// place it leads to, taking the drive folder for "/"; a link that leads to nothing on the drive
// is refused with PathError. Folder listings, needed for names that differ in letter case, are
// read once and remembered until forgetFolderListings(): the command line keeps them for its
// one command, the desktop program for one user action.
class Drive {
  public:
    enum class Listings {
        remembered,    // until forgetFolderListings()
        readEachTime,  // for a drive used for a long time from other threads, such as a server
    };
    enum class Lookup {
        openat2,       // the kernel's confined lookup (the walk where the kernel lacks it)
        noFollowWalk,  // the walk always
    };

    explicit Drive(std::filesystem::path root, Listings listings = Listings::remembered,
                   Lookup lookup = Lookup::openat2);

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

    // Ends a command or a desktop action: folder listings are read again when next needed, so
    // that changes made by other programs meanwhile are seen.
    void forgetFolderListings() const;

  private:
    struct Parsed {
        std::vector<std::string> components;
    };
    struct Located;
    struct Shared;
    static const int kFindOnly;  // O_PATH
    Parsed parse(std::string_view windowsPath) const;
    // `flags` open the entry when it exists; O_PATH (the default) only finds it.
    Located lookUp(std::string_view windowsPath, int flags = kFindOnly) const;
    Located walk(const std::vector<std::string>& components) const;
    std::filesystem::path hostPath(const Located& located) const;

    std::filesystem::path root_;
    std::filesystem::path canonicalRoot_;
    std::string currentDirectory_ = "C:\\";
    std::shared_ptr<Shared> shared_;  // the drive folder's descriptor and the listings
};

// Case-insensitive comparison of two file names as Windows compares them (ASCII and Latin-1
// letters).
bool sameFileName(std::string_view a, std::string_view b);

// Windows wildcard match ("*.*" matches every name, with or without a dot), without regard to
// case.
bool matchesPattern(std::string_view pattern, std::string_view name);

}  // namespace tarvomen
