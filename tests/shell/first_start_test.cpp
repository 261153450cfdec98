#include "shell/first_start.hpp"

#include <gtest/gtest.h>

#include "support/temp_drive.hpp"

namespace tarvomen::shell {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

class FirstStartTest : public ::testing::Test {
  protected:
    FirstStartTest() {
        writeFile(data / "TMedia/OCEAN/BACKGD01.GIF", "GIF89a ocean");
        writeFile(data / "TMedia/MIXDEMO/bell.wav", "RIFF bell");
    }
    fs::path media() const { return drive / "Program Files/Tarvomen/TMedia"; }

    testing::TempDrive drive;
    testing::TempDrive data;
    Drive onDrive{drive.path()};
};

TEST_F(FirstStartTest, ANewDriveGetsTheProgramFolderAndACopyOfTheSampleThemes) {
    layOutProgramFolder(onDrive, data / "TMedia");

    EXPECT_TRUE(fs::is_directory(drive / "Program Files/Tarvomen/Tarvomen"));
    EXPECT_TRUE(fs::is_directory(drive / "Program Files/Tarvomen/qv"));
    EXPECT_EQ(readFile(media() / "OCEAN/BACKGD01.GIF"), "GIF89a ocean");
    EXPECT_EQ(readFile(media() / "MIXDEMO/bell.wav"), "RIFF bell");
    // What the media folder check looks for, and nothing left over from the copy.
    EXPECT_TRUE(onDrive.isDirectory("c:\\program files\\tarvomen\\tmedia\\"));
    EXPECT_EQ(onDrive.listFolder("C:\\Program Files\\Tarvomen", true),
              (std::vector<std::string>{"TMedia", "Tarvomen", "qv"}));
}

TEST_F(FirstStartTest, AnExistingMediaFolderIsLeftAsItIs) {
    // Spelled differently: the drive's names compare without regard to case.
    writeFile(drive / "Program Files/Tarvomen/tmedia/MINE/BACKGD01.GIF", "my own");

    layOutProgramFolder(onDrive, data / "TMedia");

    EXPECT_EQ(readFile(drive / "Program Files/Tarvomen/tmedia/MINE/BACKGD01.GIF"), "my own");
    EXPECT_EQ(onDrive.listFolder("C:\\Program Files\\Tarvomen\\TMedia", true),
              std::vector<std::string>{"MINE"});
    EXPECT_FALSE(fs::exists(media()));
}

TEST_F(FirstStartTest, WithoutSampleMediaTheMediaFolderStaysMissing) {
    // Nothing found, or a copy that fails: the media folder check must still report it.
    for (const std::optional<fs::path>& sample :
         {std::optional<fs::path>{}, std::optional<fs::path>{data / "nowhere"}}) {
        layOutProgramFolder(onDrive, sample);
        EXPECT_TRUE(fs::is_directory(drive / "Program Files/Tarvomen/Tarvomen"));
        EXPECT_EQ(onDrive.listFolder("C:\\Program Files\\Tarvomen", true),
                  (std::vector<std::string>{"Tarvomen", "qv"}));
    }
}

}  // namespace
}  // namespace tarvomen::shell
