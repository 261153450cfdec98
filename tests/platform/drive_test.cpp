#include "platform/drive.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.hpp"
#include "support/temp_drive.hpp"

namespace fs = std::filesystem;

namespace tarvomen {
namespace {

using testing::readFile;
using testing::TempDrive;
using testing::writeFile;

TEST(Drive, NamesResolveWithoutRegardToCaseAndNewNamesKeepTheirSpelling) {
    TempDrive temp;
    Drive drive(temp.path());
    ASSERT_TRUE(drive.makeDirectory("C:\\Tarvomen\\"));
    writeFile(drive.resolve("c:\\tarvomen\\1.html"), "page");
    EXPECT_EQ(readFile(temp / "Tarvomen/1.html"), "page");
    EXPECT_EQ(drive.resolve("C:/TARVOMEN/1.HTML"), temp / "Tarvomen/1.html");
    EXPECT_EQ(drive.resolve("C:\\Tarvomen\\New\\x.gif"), temp / "Tarvomen/New/x.gif");
    EXPECT_EQ(drive.resolve("C:\\Program Files\\Tarvomen\\.\\qv\\..\\Qvmp.txt"),
              temp / "Program Files/Tarvomen/Qvmp.txt");
}

TEST(Drive, RefusesPathsThatLeaveTheDrive) {
    TempDrive temp;
    fs::create_directories(temp / "inside");
    fs::create_symlink("/etc", temp / "inside/link");
    Drive drive(temp.path());
    for (const char* path : {"C:\\..\\secret", "C:\\a\\..\\..\\b", "D:\\x", "\\etc\\passwd",
                             "/etc/passwd", "\\\\server\\share", "C:\\inside\\link\\passwd"}) {
        SCOPED_TRACE(path);
        EXPECT_THROW(drive.resolve(path), PathError);
    }
    EXPECT_THROW(drive.copyFile("C:\\inside\\link\\passwd", "C:\\copy"), PathError);
    EXPECT_FALSE(fs::exists(temp / "copy"));
}

TEST(Drive, MapsHostPathsBackToWindowsPaths) {
    TempDrive temp;
    Drive drive(temp.path());
    fs::create_directories(temp / "Program Files/Tarvomen/TMedia");
    EXPECT_EQ(drive.toWindows(temp / "Program Files/Tarvomen/TMedia/a.gif"),
              "C:\\Program Files\\Tarvomen\\TMedia\\a.gif");
    EXPECT_EQ(drive.toWindows(temp.path()), "C:\\");
    EXPECT_EQ(drive.toWindows("/etc/passwd"), std::nullopt);
}

TEST(Drive, CurrentDirectoryResolvesBareNamesAndIsNotTheProcessDirectory) {
    TempDrive temp;
    Drive drive(temp.path());
    const fs::path before = fs::current_path();
    ASSERT_TRUE(drive.makeDirectories("C:\\Program Files\\Tarvomen"));
    EXPECT_FALSE(drive.changeDirectory("C:\\Missing"));
    ASSERT_TRUE(drive.changeDirectory("c:\\program files\\tarvomen"));
    EXPECT_EQ(drive.currentDirectory(), "C:\\program files\\tarvomen");
    EXPECT_EQ(drive.resolve("Qvmp.txt"), temp / "Program Files/Tarvomen/Qvmp.txt");
    EXPECT_EQ(fs::current_path(), before);
}

TEST(Drive, DeletesFilesByPatternButKeepsFolders) {
    TempDrive temp;
    Drive drive(temp.path());
    writeFile(temp / "Tarvomen/index.html", "x");
    writeFile(temp / "Tarvomen/README", "x");
    writeFile(temp / "Tarvomen/Data/0.GIF", "x");
    EXPECT_TRUE(drive.deleteFiles("C:\\Tarvomen\\*.*"));
    EXPECT_FALSE(fs::exists(temp / "Tarvomen/index.html"));
    EXPECT_FALSE(fs::exists(temp / "Tarvomen/README"));
    EXPECT_TRUE(fs::exists(temp / "Tarvomen/Data/0.GIF"));
    EXPECT_FALSE(drive.removeDirectory("C:\\Tarvomen"));   // not empty
    EXPECT_FALSE(drive.deleteFiles("C:\\Tarvomen\\*.*"));  // nothing left to delete
    EXPECT_TRUE(matchesPattern("*.gif", "BACKGD01.GIF"));
    EXPECT_FALSE(matchesPattern("*.gif", "BACKGD01.JPG"));
}

TEST(Drive, ChoosesTheDriveFolder) {
    EXPECT_EQ(Drive::locate(std::string("/tmp/x")), fs::path("/tmp/x"));
    setenv("TARVOMEN_DRIVE", "/tmp/from-env", 1);
    EXPECT_EQ(Drive::locate(std::nullopt), fs::path("/tmp/from-env"));
    unsetenv("TARVOMEN_DRIVE");
    setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(Drive::locate(std::nullopt), fs::path("/tmp/xdg/tarvomen/drive_c"));
}

}  // namespace
}  // namespace tarvomen
