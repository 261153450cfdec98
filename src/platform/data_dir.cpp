#include "platform/data_dir.hpp"

#include <system_error>

#include "platform/error.hpp"

// Set by the build: the data folder relative to the folder of the installed executables, the build
// tree and the source tree's assets folder.
#ifndef TARVOMEN_DATA_FROM_BIN
#define TARVOMEN_DATA_FROM_BIN "../share/tarvomen"
#endif
#ifndef TARVOMEN_BUILD_DIR
#define TARVOMEN_BUILD_DIR ""
#endif
#ifndef TARVOMEN_SOURCE_DATA_DIR
#define TARVOMEN_SOURCE_DATA_DIR ""
#endif

namespace fs = std::filesystem;

namespace tarvomen {
namespace {

bool isInside(const fs::path& path, const fs::path& folder) {
    if (folder.empty()) return false;
    const fs::path relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
    return !relative.empty() && *relative.begin() != "..";
}

bool holdsData(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / kSampleMediaFolderName, error) &&
           fs::is_directory(folder / kDemoPicturesFolderName, error);
}

}  // namespace

std::vector<fs::path> dataFolderCandidates(const fs::path& executable, const fs::path& buildFolder,
                                           const fs::path& sourceFolder) {
    std::vector<fs::path> candidates;
    if (!executable.empty()) {
        candidates.push_back(
            (executable.parent_path() / TARVOMEN_DATA_FROM_BIN).lexically_normal());
    }
    if (!sourceFolder.empty() && isInside(executable, buildFolder)) {
        candidates.push_back(sourceFolder);
    }
    return candidates;
}

fs::path firstDataFolder(const std::vector<fs::path>& candidates) {
    std::string lookedAt;
    for (const auto& candidate : candidates) {
        if (holdsData(candidate)) return candidate;
        lookedAt += "\n  " + candidate.string();
    }
    throw Error("Cannot find the sample media (a data folder holding TMedia and demo); looked in:" +
                (lookedAt.empty() ? std::string("\n  (nowhere)") : lookedAt));
}

fs::path findDataFolder() {
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) executable.clear();
    return firstDataFolder(
        dataFolderCandidates(executable, TARVOMEN_BUILD_DIR, TARVOMEN_SOURCE_DATA_DIR));
}

}  // namespace tarvomen
