#include "platform/data_dir.hpp"

#include <gtest/gtest.h>

#include "platform/error.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<fs::path>;

TEST(DataFolder, InstalledProgramsLookBesideTheirBinFolderOnly) {
    const fs::path source = "/src/tarvomen/assets";
    const fs::path build = "/src/tarvomen/build/default";
    struct {
        fs::path executable;
        Paths expected;
    } cases[] = {
        {"/usr/bin/tarvomen-cli", {"/usr/share/tarvomen"}},
        {"/tmp/stage/usr/bin/tarvomen", {"/tmp/stage/usr/share/tarvomen"}},
        // A program run from the build tree falls back to the source tree's assets.
        {"/src/tarvomen/build/default/src/cli/tarvomen-cli",
         {"/src/tarvomen/build/default/src/share/tarvomen", source}},
        // A folder whose name merely starts like the build folder is not inside it.
        {"/src/tarvomen/build/default-copy/bin/tarvomen-cli",
         {"/src/tarvomen/build/default-copy/share/tarvomen"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dataFolderCandidates(c.executable, build, source), c.expected) << c.executable;
    }
}

TEST(DataFolder, TheFirstCandidateHoldingMediaAndDemoPicturesWins) {
    testing::TempDrive temp;
    const fs::path partial = temp / "partial";
    const fs::path full = temp / "usr/share/tarvomen";
    const fs::path later = temp / "later";
    fs::create_directories(partial / "TMedia");
    for (const auto& folder : {full, later}) {
        fs::create_directories(folder / "TMedia");
        fs::create_directories(folder / "demo");
    }
    EXPECT_EQ(firstDataFolder({temp / "missing", partial, full, later}), full);

    try {
        firstDataFolder({temp / "missing", partial});
        FAIL() << "no data folder, yet one was found";
    } catch (const Error& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find((temp / "missing").string()), std::string::npos) << message;
        EXPECT_NE(message.find(partial.string()), std::string::npos) << message;
    }
}

TEST(DataFolder, ProgramsOfTheBuildTreeUseTheSourceTreesAssets) {
    const fs::path found = findDataFolder();
    EXPECT_TRUE(fs::is_directory(found / "TMedia")) << found;
    EXPECT_TRUE(fs::is_directory(found / "demo")) << found;
}

}  // namespace
}  // namespace tarvomen
