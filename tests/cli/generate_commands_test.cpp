#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "cli_runner.hpp"
#include "support/temp_drive.hpp"

namespace fs = std::filesystem;

namespace tarvomen::cli {
namespace {

using testing::readFile;
using testing::runCli;

class GenerateCommandsTest : public ::testing::Test {
  protected:
    GenerateCommandsTest() { EXPECT_EQ(runCli(drive, cli::runInit, {}).status, 0); }

    void set(std::vector<std::string> args) {
        const auto run = runCli(drive, cli::runSet, std::move(args));
        ASSERT_EQ(run.status, 0) << run.err;
    }
    std::string site(const char* page) const { return readFile(temp / "Tarvomen" / page); }

    testing::TempDrive temp;
    Drive drive{temp.path()};
};

TEST_F(GenerateCommandsTest, GenerateWritesTheSiteAndPrintsItsHomePage) {
    set({"product", "2", "ProductName=Bun", "UnitPrice=2.5"});
    set({"style", "2", "LinkToProfile=-1"});
    const auto run = runCli(drive, cli::runGenerate, {});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, (temp / "Tarvomen" / "index.html").string() + "\n");
    EXPECT_EQ(run.err, "");
    // Normal rows, no order form by default.
    EXPECT_NE(site("index.html").find("<P><TABLE ALIGN=CENTER><TR><TH><FONT SIZE="),
              std::string::npos);
    EXPECT_EQ(site("1.html").find("shopcart.asp"), std::string::npos);
}

TEST_F(GenerateCommandsTest, OptionsSetTheRunOptions) {
    set({"product", "1", "ProductName=Bun"});
    set({"style", "1", "LinkToProfile=-1", "StyleIndex=0,0,0,5,0,0,0,0,0,0"});
    set({"style", "101", "StyleIndex=0,0,0,2,0,0,0,0,0,0"});
    ASSERT_EQ(runCli(drive, cli::runGenerate, {"--shopcart", "--boxed"}).status, 0);
    EXPECT_NE(site("index.html").find("BGColor=#0000FF BORDER=5"), std::string::npos);
    EXPECT_NE(site("1.html").find("shopcart.asp"), std::string::npos);
    ASSERT_EQ(runCli(drive, cli::runGenerate, {"--boxed", "--from-detail"}).status, 0);
    EXPECT_NE(site("index.html").find("BGColor=#FF0000 BORDER=5"), std::string::npos);
    EXPECT_EQ(site("1.html").find("shopcart.asp"), std::string::npos);
}

TEST_F(GenerateCommandsTest, PreviewAndLinkPrintTheirPages) {
    set({"product", "4", "ProductName=Bun"});
    set({"page", "Link3=More"});
    const auto preview = runCli(drive, cli::runPreview, {"4"});
    ASSERT_EQ(preview.status, 0) << preview.err;
    EXPECT_EQ(preview.out, (temp / "Tarvomen" / "test.html").string() + "\n");
    const auto link = runCli(drive, cli::runLink, {"3"});
    ASSERT_EQ(link.status, 0) << link.err;
    EXPECT_EQ(link.out, (temp / "Tarvomen" / "Link311.html").string() + "\n");
}

// The message boxes of the generators become their text on stderr and status 1.
TEST_F(GenerateCommandsTest, MessagesFailWithStatusOne) {
    const auto preview = runCli(drive, cli::runPreview, {"5"});
    EXPECT_EQ(preview.status, cli::kExitFailure);
    EXPECT_EQ(preview.out, "");
    EXPECT_EQ(preview.err, "This record has not been selected - Enter a Product Name!\n");
    const auto link = runCli(drive, cli::runLink, {"2"});
    EXPECT_EQ(link.status, cli::kExitFailure);
    EXPECT_EQ(link.err, "Enter Link2 in PROFILE first!\n");
}

TEST_F(GenerateCommandsTest, UnwritablePageFailsWithStatusOne) {
    fs::create_directories(temp / "Tarvomen" / "index.html" / "inside");
    const auto run = runCli(drive, cli::runGenerate, {});
    EXPECT_EQ(run.status, cli::kExitFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("C:\\Tarvomen\\index.html"), std::string::npos) << run.err;
}

// A medium that cannot be copied: the site is written and printed, the medium and the pages
// that show it are named on stderr, and the status is 1.
TEST_F(GenerateCommandsTest, MediumNotCopiedFailsWithStatusOne) {
    set({"product", "1", "ProductName=Bun", "ProductImage=C:\\Pictures\\gone.jpg"});
    set({"style", "1", "LinkToProfile=-1"});
    const auto run = runCli(drive, cli::runGenerate, {});
    EXPECT_EQ(run.status, cli::kExitFailure);
    EXPECT_EQ(run.out, (temp / "Tarvomen" / "index.html").string() + "\n");
    EXPECT_NE(run.err.find("C:\\Pictures\\gone.jpg (No such file or directory), used by "
                           "C:\\Tarvomen\\index.html, C:\\tarvomen\\1.html"),
              std::string::npos)
        << run.err;
    EXPECT_NE(site("1.html").find("Bun"), std::string::npos);
}

TEST_F(GenerateCommandsTest, UsageErrors) {
    const std::vector<std::pair<cli::CommandHandler, std::vector<std::string>>> wrong = {
        {cli::runGenerate, {"--bogus"}}, {cli::runGenerate, {"extra"}},
        {cli::runPreview, {}},           {cli::runPreview, {"31"}},
        {cli::runPreview, {"1", "2"}},   {cli::runPreview, {"1", "--boxed"}},
        {cli::runLink, {"4"}},           {cli::runLink, {}},
    };
    for (const auto& [handler, args] : wrong) {
        EXPECT_EQ(runCli(drive, handler, args).status, cli::kExitUsage);
    }
}

}  // namespace
}  // namespace tarvomen::cli
