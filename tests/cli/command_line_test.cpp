// tarvomen-cli as a whole: global options, exit statuses, and what the commands may touch.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.hpp"
#include "store/site_files.hpp"
#include "support/temp_drive.hpp"
#include "support/test_mount.hpp"

namespace fs = std::filesystem;

namespace tarvomen::cli {
namespace {

using testing::readFile;
using testing::runCommandLine;
using testing::TempDrive;
using testing::TestMount;
using testing::writeFile;

using Args = std::vector<std::string>;

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

unsigned mode(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::string joined(const Args& args) {
    std::string text;
    for (const auto& arg : args) text += arg + " ";
    return text;
}

class CommandLineTest : public ::testing::Test {
  protected:
    // `tarvomen-cli --drive DRIVE ARGS`
    testing::CliRun run(Args args) {
        args.insert(args.begin(), {"--drive", temp.path().string()});
        return runCommandLine(args);
    }
    void initDemo() { ASSERT_EQ(run({"init", "--demo"}).status, cli::kExitOk); }

    fs::path program(const char* name) const { return temp / "Program Files/Tarvomen" / name; }

    TempDrive temp;
};

TEST_F(CommandLineTest, ExitStatusSaysWhetherTheWorkOrTheCallWasWrong) {
    ASSERT_EQ(run({"init"}).status, cli::kExitOk);
    struct Case {
        Args args;
        int status;
    };
    for (const Case& c : {
             Case{{"--version"}, cli::kExitOk}, Case{{"show", "page"}, cli::kExitOk},
             Case{{"frobnicate"}, cli::kExitUsage},
             Case{{"show", "product", "31"}, cli::kExitUsage},
             Case{{"show", "product", "1", "--show-password"}, cli::kExitUsage},
             Case{{"set", "product", "1", "QuantityPerUnit=9e9"}, cli::kExitUsage},
             Case{{"generate", "--colour"}, cli::kExitUsage},
             Case{{"link", "2"}, cli::kExitFailure},  // "Enter Link2 in PROFILE first!"
         }) {
        const auto result = run(c.args);
        EXPECT_EQ(result.status, c.status) << joined(c.args) << result.err;
    }
    EXPECT_EQ(runCommandLine({}).status, cli::kExitUsage);

    // A record file that cannot be read is a failed run, not a wrong call.
    fs::remove(program("Qvdetail.txt"));
    fs::create_directory(program("Qvdetail.txt"));
    for (const Args& args :
         {Args{"show", "product", "1"}, Args{"set", "product", "1", "ProductName=Tea"}}) {
        const auto result = run(args);
        EXPECT_EQ(result.status, cli::kExitFailure) << joined(args) << result.err;
        EXPECT_NE(result.err.find("Qvdetail.txt"), std::string::npos) << result.err;
    }
}

TEST_F(CommandLineTest, ARecordFileHeldByAnotherProgramFailsTheRun) {
    ASSERT_EQ(run({"init"}).status, cli::kExitOk);
    Drive drive(temp.path());
    SiteFiles desktop;  // the desktop program, running on the same drive
    desktop.openAll(drive);
    const auto result = run({"show", "page"});
    EXPECT_EQ(result.status, cli::kExitFailure);
    EXPECT_NE(result.err.find("in use by another Tarvomen program"), std::string::npos);
}

TEST_F(CommandLineTest, HelpStatesTheExitStatuses) {
    const auto help = runCommandLine({"--help"});
    EXPECT_EQ(help.status, cli::kExitOk);
    for (const char* line :
         {"Exit status:\n", "  0  done\n", "  1  the work failed", "  2  wrong use"}) {
        EXPECT_NE(help.out.find(line), std::string::npos) << line;
    }
}

TEST_F(CommandLineTest, OnlyInitLaysOutAMissingDriveAndAnEmptyDriveIsRefused) {
    // An empty --drive used to fall back to the owner's default drive.
    const fs::path fallback = temp / "default-drive";
    ::setenv("TARVOMEN_DRIVE", fallback.c_str(), 1);
    const fs::path missing = temp / "a" / "b" / "c";
    struct Case {
        Args args;
        int status;
        const char* message;
    };
    for (const Case& c : {
             Case{{"--drive", "", "init", "--demo", "--force"}, cli::kExitUsage, "needs a folder"},
             Case{{"--drive=", "show", "page"}, cli::kExitUsage, "needs a folder"},
             Case{{"--drive"}, cli::kExitUsage, "needs a folder"},
             Case{{"--drive", missing.string(), "show", "page"}, cli::kExitUsage, "does not exist"},
             Case{{"--drive", missing.string(), "generate"}, cli::kExitUsage, "does not exist"},
             Case{{"--drive", missing.string(), "set", "page", "Title=x"},
                  cli::kExitUsage,
                  "does not exist"},
         }) {
        const auto result = runCommandLine(c.args);
        EXPECT_EQ(result.status, c.status) << joined(c.args);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << joined(c.args) << result.err;
        EXPECT_FALSE(fs::exists(temp / "a")) << joined(c.args);
        EXPECT_FALSE(fs::exists(fallback)) << joined(c.args);
    }
    ::unsetenv("TARVOMEN_DRIVE");

    EXPECT_EQ(runCommandLine({"--drive", missing.string(), "init"}).status, cli::kExitOk);
    EXPECT_TRUE(fs::exists(missing / "Program Files/Tarvomen/Qvprofile.txt"));
}

TEST_F(CommandLineTest, ShowMasksThePasswordAndEscapesControlCharacters) {
    ASSERT_EQ(run({"init"}).status, cli::kExitOk);
    {
        Drive drive(temp.path());
        SiteFiles files;
        files.openAll(drive);
        PageRecord page;
        page.FtpPassword = "s3cret";
        // A title that would retitle the terminal, ring its bell and overwrite the line.
        page.Title = "Shop\x1B]0;owned\x07\r\x81 Caf\xE9";
        files.writePage(1, page);
    }
    const auto shown = run({"show", "page"});
    ASSERT_EQ(shown.status, cli::kExitOk) << shown.err;
    EXPECT_NE(shown.out.find("FtpPassword: ********\n"), std::string::npos);
    EXPECT_EQ(shown.out.find("s3cret"), std::string::npos);
    EXPECT_NE(shown.out.find("Title: Shop\\x1B]0;owned\\x07\\r\\x81 Café\n"), std::string::npos)
        << shown.out;
    EXPECT_EQ(shown.out.find('\x1B'), std::string::npos);

    const auto clear = run({"show", "page", "--show-password"});
    EXPECT_NE(clear.out.find("FtpPassword: s3cret\n"), std::string::npos);
}

TEST(EscapeControls, WritesControlCharactersOut) {
    struct Case {
        std::string text;
        bool keepLineBreaks;
        std::string shown;
    };
    for (const Case& c : {
             Case{"Caf\xC3\xA9 \xE2\x82\xAC 12", false, "Caf\xC3\xA9 \xE2\x82\xAC 12"},
             Case{"a\x1B[2Jb\x07", false, "a\\x1B[2Jb\\x07"},
             Case{"one\r\ntwo\tthree", false, "one\\r\\ntwo\\tthree"},
             Case{"one\ntwo\r", true, "one\ntwo\\r"},
             Case{"del\x7F csi\xC2\x9B nbsp\xC2\xA0", false, "del\\x7F csi\\x9B nbsp\xC2\xA0"},
         }) {
        EXPECT_EQ(cli::escapeControls(c.text, c.keepLineBreaks), c.shown) << c.shown;
    }
}

TEST(ConsoleMessageBox, PrintsItsTextEscaped) {
    std::ostringstream err;
    cli::ConsoleMessageBox messages(err);
    messages.inform("Cannot copy \x1B[31mred.gif\nfor page 3", "Tarvomen");
    EXPECT_EQ(err.str(), "Cannot copy \\x1B[31mred.gif\nfor page 3\n");
    EXPECT_TRUE(messages.shown());
}

TEST_F(CommandLineTest, StrayBytesAreReportedOnceAndNeverTakenIntoARecord) {
    ASSERT_EQ(run({"init"}).status, cli::kExitOk);
    const std::string tenAndABit = std::string(10 * 3994, ' ') + std::string(1020, 'x');
    writeFile(program("Qvdetail.txt"), tenAndABit);

    const auto shown = run({"show", "product", "1"});
    EXPECT_EQ(shown.status, cli::kExitOk) << shown.err;
    EXPECT_EQ(count(shown.err, "stray"), 1u) << shown.err;
    EXPECT_NE(shown.err.find("C:\\Program Files\\Tarvomen\\Qvdetail.txt ends in 1020 stray bytes"),
              std::string::npos)
        << shown.err;

    const auto refused = run({"set", "product", "11", "ProductName=Tea"});
    EXPECT_EQ(refused.status, cli::kExitFailure);
    EXPECT_TRUE(readFile(program("Qvdetail.txt")) == tenAndABit);

    EXPECT_EQ(run({"set", "product", "2", "ProductName=Tea"}).status, cli::kExitOk);
    EXPECT_EQ(readFile(program("Qvdetail.txt")).size(), tenAndABit.size());
}

const std::vector<Args>& readingCommands() {
    static const std::vector<Args> all = {
        {"show", "page"}, {"show", "style", "101"}, {"generate"}, {"preview", "1"}, {"link", "2"}};
    return all;
}

TEST_F(CommandLineTest, ReadingCommandsCreateNothingAndChangeNoMode) {
    initDemo();
    fs::remove(program("Qvmp.txt"));
    ::chmod(program("Qvdetail.txt").c_str(), 0644);  // as another program left it
    for (const Args& args : readingCommands()) {
        const auto result = run(args);
        EXPECT_EQ(result.status, cli::kExitOk) << joined(args) << result.err;
        EXPECT_FALSE(fs::exists(program("Qvmp.txt"))) << joined(args);
        EXPECT_EQ(mode(program("Qvdetail.txt")), 0644u) << joined(args);
    }
}

TEST_F(CommandLineTest, ReadingCommandsNeedNoWriteAccessToTheRecords) {
    initDemo();
    const TestMount readOnly = TestMount::readOnly(temp / "Program Files/Tarvomen");
    if (!readOnly.ready()) GTEST_SKIP() << readOnly.why();
    for (const Args& args : readingCommands()) {
        const auto result = run(args);
        EXPECT_EQ(result.status, cli::kExitOk) << joined(args) << result.err;
    }
    const auto set = run({"set", "product", "1", "ProductName=Tea"});
    EXPECT_EQ(set.status, cli::kExitFailure);
    EXPECT_NE(set.err.find("Read-only file system"), std::string::npos) << set.err;
}

}  // namespace
}  // namespace tarvomen::cli
