#pragma once

#include <filesystem>
#include <optional>

#include "platform/drive.hpp"

namespace tarvomen::shell {

// The sample media themes of the installed data ("TMedia" in the data folder), or nothing when
// the data folder cannot be found.
std::optional<std::filesystem::path> sampleMediaFolder();

// Lays out the program folder of a drive on the program's first start on it: "C:\Program
// Files\Tarvomen" with its test-page and backup folders and, when the media folder is missing,
// a copy of `sampleMedia` as the media folder, so that the media folder check finds the themes.
// The copy is made beside the media folder and renamed into place, so an interrupted copy
// never passes for the media folder. Failures are ignored (as the start-up ignores them): the
// media folder check then reports what is missing. An existing media folder is left alone.
void layOutProgramFolder(Drive& drive, const std::optional<std::filesystem::path>& sampleMedia);

}  // namespace tarvomen::shell
