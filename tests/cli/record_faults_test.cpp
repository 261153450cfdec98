// Saves that the system fails, by system-call fault injection (strace) into tarvomen-cli: the
// record file stays as it was, or the message says what it may hold; the run exits 1.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli_runner.hpp"
#include "support/temp_drive.hpp"

namespace fs = std::filesystem;

namespace tarvomen::cli {
namespace {

using testing::readFile;
using testing::runCommandLine;

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

int shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class RecordFaultsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (shell("strace -o /dev/null true >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "strace cannot trace here (not installed, or tracing not allowed)";
        }
        ASSERT_EQ(runCommandLine({"--drive", temp.path().string(), "init"}).status, 0);
        ASSERT_EQ(runCommandLine(
                      {"--drive", temp.path().string(), "set", "product", "1", "ProductName=Old"})
                      .status,
                  0);
    }

    // Runs `tarvomen-cli --drive DRIVE ARGS` with `syscall` on the product file failing as
    // `inject` says (strace's inject= syntax); returns the exit status, stderr in `err`.
    int runFailing(const std::string& syscall, const std::string& inject, const std::string& args) {
        const fs::path errors = temp / "stderr.txt";
        const int status =
            shell("strace -f -qq -o /dev/null -P " + quoted(productFile().string()) +
                  " -e trace=" + syscall + " -e inject=" + syscall + ":" + inject + " " +
                  quoted(TARVOMEN_CLI) + " --drive " + quoted(temp.path().string()) + " " + args +
                  " 2>" + quoted(errors.string()));
        err = readFile(errors);
        return status;
    }

    fs::path productFile() const {
        return fs::canonical(temp / "Program Files/Tarvomen/Qvdetail.txt");
    }

    testing::TempDrive temp;
    std::string err;
};

TEST_F(RecordFaultsTest, AFailedSaveLeavesTheFileAsItWasOrSaysWhatItMayHold) {
    struct Case {
        const char* syscall;
        const char* inject;
        const char* args;
        const char* message;
        bool unchanged;  // the file is byte for byte as before
    };
    for (const Case& c : {
             // A write that reports no bytes and no error: once looped for ever.
             Case{"pwrite64", "retval=0:when=1", "set product 2 ProductName=New",
                  "the system wrote nothing. The file was left as it was.", true},
             // The data did not reach the disk: the old bytes are put back.
             Case{"fdatasync", "error=EIO:when=1", "set product 1 ProductName=New",
                  "Input/output error. The file was left as it was.", true},
             // Nor did the old bytes put back.
             Case{"fdatasync", "error=EIO", "set product 1 ProductName=New",
                  "record 1 may hold the new value", false},
             Case{"close", "error=EIO", "set product 1 ProductName=New",
                  "Closing the site file C:\\Program Files\\Tarvomen\\Qvdetail.txt failed", false},
         }) {
        const std::string before = readFile(productFile());
        EXPECT_EQ(runFailing(c.syscall, c.inject, c.args), cli::kExitFailure) << c.syscall << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.syscall << " " << c.inject << err;
        if (c.unchanged) {
            EXPECT_TRUE(readFile(productFile()) == before) << c.syscall;
        }
    }
}

}  // namespace
}  // namespace tarvomen::cli
