// tarvomen-cli as a process: it loads no network library, and hands the commands that need one
// to tarvomen-cli-net.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_drive.hpp"

namespace fs = std::filesystem;

namespace {

struct Output {
    int status = -1;
    std::string text;  // standard output and standard error
};

Output run(const std::string& commandLine) {
    Output output;
    FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) {
        output.text.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    output.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

// The shared libraries the dynamic loader maps for a program, its dependencies' included.
std::string loadedLibraries(const std::string& program) {
    return run("LD_TRACE_LOADED_OBJECTS=1 '" + program + "'").text;
}

TEST(TransportProgram, OnlyTheTransportProgramLoadsNetworkLibraries) {
    const std::string cli = loadedLibraries(TARVOMEN_CLI);
    const std::string net = loadedLibraries(TARVOMEN_CLI_NET);
    ASSERT_NE(cli.find("libc.so"), std::string::npos) << cli;
    for (const char* library : {"libcurl", "libssl", "libcrypto", "libgnutls", "httplib"}) {
        SCOPED_TRACE(library);
        EXPECT_EQ(cli.find(library), std::string::npos) << cli;
    }
    EXPECT_NE(net.find("libcurl"), std::string::npos) << net;
    EXPECT_NE(net.find("httplib"), std::string::npos) << net;
}

// Without the transport program beside it or in its libexec folder, the commands that need it
// fail with a message that names it, and the others work.
TEST(TransportProgram, AMissingTransportProgramIsReported) {
    tarvomen::testing::TempDrive temp;
    const fs::path bin = temp / "bin";
    fs::create_directories(bin);
    fs::copy_file(TARVOMEN_CLI, bin / "tarvomen-cli");
    const std::string cli =
        "'" + (bin / "tarvomen-cli").string() + "' --drive '" + (temp / "drive").string() + "' ";
    ASSERT_EQ(run(cli + "init").status, 0);
    for (const char* command : {"serve", "publish --dry-run", "generate --open", "link 2 --open"}) {
        SCOPED_TRACE(command);
        const Output output = run(cli + command);
        EXPECT_NE(output.status, 0);
        EXPECT_NE(output.text.find("libexec/tarvomen/tarvomen-cli-net"), std::string::npos)
            << output.text;
    }
    EXPECT_EQ(run(cli + "generate").status, 0);
}

}  // namespace
