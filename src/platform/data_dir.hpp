#pragma once

#include <filesystem>
#include <vector>

namespace tarvomen {

// The two folders of the data folder: the sample media themes and the demo shop's pictures.
inline constexpr const char* kSampleMediaFolderName = "TMedia";
inline constexpr const char* kDemoPicturesFolderName = "demo";

// The folder of the program's shared data: the sample media themes ("TMedia") and the demo
// shop's pictures ("demo"). An installed program finds it relative to its own executable
// (bin/../share/tarvomen), so a staged or moved installation works; a program run from inside the
// build tree uses the source tree's assets folder.
// Throws Error naming the places looked at when none of them holds both folders.
std::filesystem::path findDataFolder();

// The places findDataFolder() looks at, in order, for the program at `executable`: the
// installed data folder beside its bin folder, then `sourceFolder` when the executable lies
// inside `buildFolder` (so an installed copy never reads the source tree).
std::vector<std::filesystem::path> dataFolderCandidates(const std::filesystem::path& executable,
                                                        const std::filesystem::path& buildFolder,
                                                        const std::filesystem::path& sourceFolder);

// The first of `candidates` that holds both "TMedia" and "demo"; throws Error otherwise.
std::filesystem::path firstDataFolder(const std::vector<std::filesystem::path>& candidates);

}  // namespace tarvomen
