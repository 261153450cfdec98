#include "platform/drive.hpp"

#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

// Links on the drive, looked up by the kernel's confined lookup and by the walk that stands in
// for it: both give the same answers.
class DriveLinks : public ::testing::TestWithParam<Drive::Lookup> {
  protected:
    void SetUp() override {
        writeFile(temp / "Tarvomen/index.html", "home");
        writeFile(outside / "Tarvomen/index.html", "outside");
        fs::create_directories(temp / "inside");
        const fs::path in = temp / "inside";
        fs::create_directory_symlink("../Tarvomen", in / "relative");
        fs::create_directory_symlink("/Tarvomen", in / "rooted");  // "/" is the drive
        fs::create_directory_symlink("../../../../../../Tarvomen", in / "climbing");
        fs::create_symlink("../Tarvomen/index.html", in / "page.html");
        fs::create_directory_symlink("relative", in / "chained");
        fs::create_directory_symlink("/etc", in / "etc");
        fs::create_directory_symlink(outside.path() / "Tarvomen", in / "host");
        fs::create_symlink("missing.html", in / "dangling.html");
        fs::create_symlink("loop", in / "loop");
    }

    // Every prefix of a host path handed out is a real folder or file, never a link.
    static bool crossesNoLink(const fs::path& root, const fs::path& host) {
        fs::path at = root;
        for (const auto& part : host.lexically_relative(root)) {
            at /= part;
            if (fs::is_symlink(at)) return false;
        }
        return true;
    }

    TempDrive temp;
    TempDrive outside;
};

TEST_P(DriveLinks, LinksThatStayOnTheDriveLeadToTheirTargets) {
    Drive drive(temp.path(), Drive::Listings::remembered, GetParam());
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\inside\\relative\\index.html", "Tarvomen/index.html"},
        {"C:\\INSIDE\\RELATIVE\\INDEX.HTML", "Tarvomen/index.html"},
        {"C:\\inside\\rooted\\index.html", "Tarvomen/index.html"},
        {"C:\\inside\\climbing\\index.html", "Tarvomen/index.html"},
        {"C:\\inside\\chained\\index.html", "Tarvomen/index.html"},
        {"C:\\inside\\page.html", "Tarvomen/index.html"},
        {"C:\\inside\\relative\\new.html", "Tarvomen/new.html"},
    };
    for (const auto& [windowsPath, expected] : cases) {
        SCOPED_TRACE(windowsPath);
        const fs::path host = drive.resolve(windowsPath);
        EXPECT_EQ(host, temp / expected);
        EXPECT_TRUE(crossesNoLink(temp.path(), host));
    }
    EXPECT_TRUE(drive.isDirectory("C:\\inside\\rooted"));
    EXPECT_TRUE(drive.copyFile("C:\\inside\\page.html", "C:\\inside\\relative\\copy.html"));
    EXPECT_EQ(readFile(temp / "Tarvomen/copy.html"), "home");
    EXPECT_FALSE(drive.removeDirectory("C:\\inside\\relative"));  // a link, not a folder
    EXPECT_TRUE(fs::is_directory(temp / "Tarvomen"));
}

TEST_P(DriveLinks, LinksThatLeadNowhereOnTheDriveAreRefused) {
    Drive drive(temp.path(), Drive::Listings::remembered, GetParam());
    for (const char* windowsPath :
         {"C:\\inside\\etc\\passwd", "C:\\inside\\ETC\\passwd", "C:\\inside\\host\\index.html",
          "C:\\inside\\dangling.html", "C:\\inside\\loop", "C:\\inside\\loop\\x"}) {
        SCOPED_TRACE(windowsPath);
        EXPECT_THROW(drive.resolve(windowsPath), PathError);
        EXPECT_THROW(drive.exists(windowsPath), PathError);
    }
    EXPECT_THROW(drive.copyFile("C:\\inside\\host\\index.html", "C:\\copy.html"), PathError);
    EXPECT_THROW(drive.copyFile("C:\\Tarvomen\\index.html", "C:\\inside\\host\\x.html"), PathError);
    EXPECT_FALSE(fs::exists(temp / "copy.html"));
    EXPECT_FALSE(fs::exists(outside / "Tarvomen/x.html"));
    EXPECT_EQ(readFile(outside / "Tarvomen/index.html"), "outside");
}

INSTANTIATE_TEST_SUITE_P(Lookups, DriveLinks,
                         ::testing::Values(Drive::Lookup::openat2, Drive::Lookup::noFollowWalk),
                         [](const auto& info) {
                             return info.param == Drive::Lookup::openat2 ? "openat2" : "walk";
                         });

// The checks of the fallback test, in a child process whose openat2 calls fail with ENOSYS.
int checkWithoutOpenat2(const TempDrive& temp) {
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat2, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog filter{static_cast<unsigned short>(std::size(program)), program};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) != 0) {
        return 3;
    }
    Drive drive(temp.path());
    bool refused = false;
    try {
        drive.resolve("C:\\inside\\etc\\passwd");
    } catch (const PathError&) {
        refused = true;
    }
    const bool ok =
        refused &&
        drive.resolve("C:\\INSIDE\\ROOTED\\INDEX.HTML") == temp / "Tarvomen/index.html" &&
        drive.makeDirectory("C:\\Tarvomen\\Data") &&
        drive.copyFile("C:\\Tarvomen\\index.html", "C:\\tarvomen\\data\\0.html");
    return ok ? 0 : 1;
}

// Where the kernel answers openat2 with ENOSYS (before Linux 5.6, or behind a system-call
// filter), the drive falls back to the walk by itself. The filter is set in a child process.
TEST(Drive, FallsBackToTheWalkWhereTheKernelLacksOpenat2) {
    TempDrive temp;
    writeFile(temp / "Tarvomen/index.html", "home");
    fs::create_directories(temp / "inside");
    fs::create_directory_symlink("/Tarvomen", temp / "inside/rooted");
    fs::create_directory_symlink("/etc", temp / "inside/etc");
    EXPECT_EXIT(std::_Exit(checkWithoutOpenat2(temp)), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(temp / "Tarvomen/Data/0.html"), "home");
}

TEST(Drive, CopiesReplaceTheTargetWholeAndNeverEmptyTheSource) {
    TempDrive temp;
    Drive drive(temp.path());
    writeFile(temp / "Pictures/logo.gif", "GIF89a");
    writeFile(temp / "Tarvomen/Data/0.gif", "an older and longer copy");
    EXPECT_TRUE(drive.copyFile("C:\\Pictures\\LOGO.GIF", "C:\\Tarvomen\\Data\\0.gif"));
    EXPECT_EQ(readFile(temp / "Tarvomen/Data/0.gif"), "GIF89a");
    EXPECT_TRUE(drive.copyFile("C:\\Pictures\\logo.gif", "C:\\Tarvomen\\Data\\1.gif"));
    EXPECT_EQ(readFile(temp / "Tarvomen/Data/1.gif"), "GIF89a");
    EXPECT_FALSE(drive.copyFile("C:\\Pictures\\logo.gif", "c:\\pictures\\Logo.gif"));  // itself
    EXPECT_FALSE(drive.copyFile("C:\\Pictures\\missing.gif", "C:\\Tarvomen\\Data\\2.gif"));
    EXPECT_FALSE(drive.copyFile("C:\\Pictures", "C:\\Tarvomen\\Data\\3.gif"));  // a folder
    EXPECT_FALSE(drive.copyFile("C:\\Pictures\\logo.gif", "C:\\Tarvomen\\Data"));
    EXPECT_FALSE(drive.copyFile("C:\\Pictures\\logo.gif", "C:\\Missing\\Folder\\4.gif"));
    EXPECT_EQ(readFile(temp / "Pictures/logo.gif"), "GIF89a");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp / "Tarvomen/Data")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"0.gif", "1.gif"}));  // no temporary left
}

}  // namespace
}  // namespace tarvomen
