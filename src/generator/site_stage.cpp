#include "generator/site_stage.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "generator/generator.hpp"
#include "platform/error.hpp"

namespace tarvomen::generator {
namespace fs = std::filesystem;

namespace {

constexpr const char* kSiteName = "Tarvomen";
constexpr const char* kDataName = "Data";

struct Entry {
    std::string name;
    bool directory;
};

// The entries of a folder (without "." and ".."), links not followed; none when it cannot be
// listed.
std::vector<Entry> entriesOf(const fs::path& folder) {
    std::vector<Entry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool directory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            directory = ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                        S_ISDIR(st.st_mode);
        }
        entries.push_back({name, directory});
    }
    ::closedir(dir);
    return entries;
}

// The site folder's Data folder as spelled on the disk, or "Data" when it has none.
std::string dataNameIn(const std::vector<Entry>& entries) {
    for (const Entry& entry : entries) {
        if (entry.directory && sameFileName(entry.name, kDataName)) return entry.name;
    }
    return kDataName;
}

// Deletes the files of `folder` and then the folder, as the site folder is emptied: a
// sub-folder in it is kept, and the folder with it.
void removeFilesAndFolder(const fs::path& folder) {
    for (const Entry& entry : entriesOf(folder)) {
        if (!entry.directory) ::unlink((folder / entry.name).c_str());
    }
    ::rmdir(folder.c_str());
}

[[noreturn]] void fail(const std::string& what, int error) {
    throw Error(what + ": " + std::strerror(error) + ".");
}

fs::path siteFolder(const AppState& state) {
    return state.drive.resolve(paths::kSiteFolder);
}

}  // namespace

void OpenSiteStage(GenerationRun& run) {
    const fs::path site = siteFolder(run.state);
    struct stat st {};
    if (::stat(site.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode))
            fail(std::string("The page ") + kHomePage + " cannot be written", ENOTDIR);
        const std::vector<Entry> entries = entriesOf(site);
        const std::string data = dataNameIn(entries);
        for (const Entry& entry : entries) {
            if (entry.directory && entry.name != data) run.siteFolders.push_back(entry.name);
        }
        for (const Entry& entry : entriesOf(site / data)) {
            if (entry.directory) run.dataFolders.push_back(entry.name);
        }
    }

    // A name of its own: a folder left by an earlier run is never touched.
    const std::string what =
        std::string("The new site beside ") + kSiteFolderPath + " cannot be created";
    const std::string base = std::string(kSiteName) + ".new-" + std::to_string(::getpid());
    fs::path stage = site.parent_path() / base;
    for (int n = 1; ::mkdir(stage.c_str(), 0777) != 0; ++n) {
        if (errno != EEXIST || n == 100) fail(what, errno);
        stage = site.parent_path() / (base + "-" + std::to_string(n));
    }
    run.stage = stage;
    if (::mkdir((stage / kDataName).c_str(), 0777) != 0) fail(what, errno);
}

void CommitSiteStage(GenerationRun& run) {
    AppState& state = run.state;
    const fs::path site = siteFolder(state);
    const fs::path stage = run.stage;
    const std::string what =
        std::string("The site folder ") + kSiteFolderPath + " cannot be replaced";
    struct stat st {};
    if (::lstat(site.c_str(), &st) != 0) {
        // No previous site: the stage becomes the site folder.
        if (::rename(stage.c_str(), site.c_str()) != 0) fail(what, errno);
        run.stage.clear();
        state.drive.changeDirectory(kSiteFolderPath);
        return;
    }

    fs::path previous = stage;  // where the previous site is once the new one is in place
    if (::renameat2(AT_FDCWD, stage.c_str(), AT_FDCWD, site.c_str(), RENAME_EXCHANGE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) fail(what, errno);
        // Without an exchange the previous site steps aside first.
        previous =
            site.parent_path() / (std::string(kSiteName) + ".old-" + std::to_string(::getpid()));
        if (::rename(site.c_str(), previous.c_str()) != 0) fail(what, errno);
        if (::rename(stage.c_str(), site.c_str()) != 0) {
            const int error = errno;
            ::rename(previous.c_str(), site.c_str());
            fail(what, error);
        }
    }
    run.stage.clear();

    // The previous site's own folders move into the new one, spelled as they were.
    const std::string previousData = dataNameIn(entriesOf(previous));
    if (!run.dataFolders.empty() && previousData != kDataName) {
        ::rename((site / kDataName).c_str(), (site / previousData).c_str());
    }
    const std::string data = run.dataFolders.empty() ? std::string(kDataName) : previousData;
    for (const std::string& name : run.dataFolders) {
        ::rename((previous / previousData / name).c_str(), (site / data / name).c_str());
    }
    for (const std::string& name : run.siteFolders) {
        ::rename((previous / name).c_str(), (site / name).c_str());
    }
    removeFilesAndFolder(previous / previousData);
    removeFilesAndFolder(previous);

    // An emptied site folder is made anew under its own name; one holding the user's folders
    // keeps the spelling it has.
    if (run.siteFolders.empty() && run.dataFolders.empty() && site.filename() != kSiteName) {
        ::rename(site.c_str(), (site.parent_path() / kSiteName).c_str());
    }
    state.drive.changeDirectory(kSiteFolderPath);
}

void DiscardSiteStage(GenerationRun& run) noexcept {
    if (run.stage.empty()) return;
    std::error_code ignored;
    fs::remove_all(run.stage, ignored);
    run.stage.clear();
}

}  // namespace tarvomen::generator
