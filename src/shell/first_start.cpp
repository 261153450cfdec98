#include "shell/first_start.hpp"

#include <system_error>

#include "platform/data_dir.hpp"
#include "platform/error.hpp"
#include "store/site_paths.hpp"

namespace fs = std::filesystem;

namespace tarvomen::shell {

std::optional<fs::path> sampleMediaFolder() {
    try {
        return findDataFolder() / kSampleMediaFolderName;
    } catch (const Error&) {
        return std::nullopt;
    }
}

void layOutProgramFolder(Drive& drive, const std::optional<fs::path>& sampleMedia) {
    for (const char* folder : {paths::kTestPageFolder, paths::kBackupFolder}) {
        drive.makeDirectories(folder);
    }
    if (!sampleMedia || drive.exists(paths::kMediaFolder)) return;

    const fs::path target = drive.resolve(paths::kMediaFolder);
    const fs::path partial = target.parent_path() / (target.filename().string() + ".partial");
    std::error_code error;
    fs::remove_all(partial, error);
    fs::copy(*sampleMedia, partial, fs::copy_options::recursive, error);
    if (!error) fs::rename(partial, target, error);
    if (error) fs::remove_all(partial, error);
}

}  // namespace tarvomen::shell
