#include <gtest/gtest.h>

#include <filesystem>

#include "platform/drive.hpp"
#include "platform/error.hpp"
#include "support/temp_drive.hpp"

namespace fs = std::filesystem;

namespace tarvomen {
namespace {

using testing::readFile;
using testing::TempDrive;
using testing::writeFile;

// The remembered listings follow what the program itself creates and removes, whether through
// the drive's operations or by writing a host path the drive handed out.
TEST(DriveListings, FollowTheProgramsOwnCreationsAndRemovals) {
    TempDrive temp;
    writeFile(temp / "Tarvomen/old.html", "old");
    Drive drive(temp.path());
    EXPECT_EQ(drive.resolve("C:\\TARVOMEN\\OLD.HTML"), temp / "Tarvomen/old.html");  // read once

    ASSERT_TRUE(drive.makeDirectory("C:\\Tarvomen\\Data"));
    ASSERT_TRUE(drive.copyFile("C:\\Tarvomen\\old.html", "C:\\Tarvomen\\Data\\0.HTML"));
    writeFile(drive.resolve("C:\\Tarvomen\\Index.html"), "home");  // a new name handed out
    EXPECT_EQ(drive.resolve("c:\\tarvomen\\data\\0.html"), temp / "Tarvomen/Data/0.HTML");
    EXPECT_EQ(drive.resolve("C:\\TARVOMEN\\INDEX.HTML"), temp / "Tarvomen/Index.html");
    EXPECT_TRUE(drive.isDirectory("C:\\TARVOMEN\\DATA"));

    EXPECT_TRUE(drive.deleteFiles("C:\\Tarvomen\\Data\\*.*"));
    EXPECT_TRUE(drive.removeDirectory("C:\\Tarvomen\\data"));
    EXPECT_FALSE(drive.exists("C:\\TARVOMEN\\DATA\\0.HTML"));
    EXPECT_EQ(drive.resolve("C:\\Tarvomen\\DATA"), temp / "Tarvomen/DATA");  // a new name again
    ASSERT_TRUE(drive.makeDirectories("C:\\Tarvomen\\DATA\\Sub"));
    EXPECT_EQ(drive.resolve("C:\\tarvomen\\data\\sub\\x"), temp / "Tarvomen/DATA/Sub/x");
    EXPECT_EQ(drive.listFolder("C:\\tarvomen", true), (std::vector<std::string>{"DATA"}));
    EXPECT_EQ(drive.listFolder("C:\\tarvomen", false),
              (std::vector<std::string>{"Index.html", "old.html"}));
}

// Changes by other programs count from the next command or action on; a drive that reads
// listings each time sees them at once.
TEST(DriveListings, OtherProgramsChangesCountOnceForgotten) {
    TempDrive temp;
    fs::create_directories(temp / "Tarvomen");
    Drive remembering(temp.path());
    Drive reading(temp.path(), Drive::Listings::readEachTime);
    EXPECT_EQ(remembering.resolve("C:\\tarvomen\\x.html"), temp / "Tarvomen/x.html");
    EXPECT_EQ(reading.resolve("C:\\tarvomen\\x.html"), temp / "Tarvomen/x.html");
    writeFile(temp / "Tarvomen/X.HTML", "written by another program");

    EXPECT_EQ(reading.resolve("C:\\tarvomen\\x.html"), temp / "Tarvomen/X.HTML");
    remembering.forgetFolderListings();
    EXPECT_EQ(remembering.resolve("C:\\tarvomen\\x.html"), temp / "Tarvomen/X.HTML");
}

// A remembered folder that another program replaced by a link out of the drive is never
// followed: the kernel checks every answer the listings give.
TEST(DriveListings, StaleListingsNeverLeadOutOfTheDrive) {
    TempDrive temp;
    TempDrive outside;
    writeFile(outside / "secret.txt", "secret");
    Drive drive(temp.path());
    ASSERT_TRUE(drive.makeDirectory("C:\\Site"));
    EXPECT_EQ(drive.resolve("C:\\SITE\\secret.txt"), temp / "Site/secret.txt");
    fs::remove(temp / "Site");
    fs::create_directory_symlink(outside.path(), temp / "Site");

    EXPECT_THROW(drive.resolve("C:\\SITE\\secret.txt"), PathError);
    EXPECT_THROW(drive.copyFile("C:\\SITE\\secret.txt", "C:\\copy.txt"), PathError);
    EXPECT_FALSE(fs::exists(temp / "copy.txt"));
    // Gone altogether: the remembered folder is no answer either.
    fs::remove(temp / "Site");
    EXPECT_FALSE(drive.exists("C:\\SITE"));
    EXPECT_FALSE(drive.isDirectory("C:\\SITE"));
    EXPECT_EQ(readFile(outside / "secret.txt"), "secret");
}

}  // namespace
}  // namespace tarvomen
