// publish after a preview: the site folder holds no home page, so publishing refuses it and
// names the command that generates the whole site first. Dry runs: no server is contacted.
#include <gtest/gtest.h>

#include "cli_runner.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::cli {
namespace {

using testing::runCli;

class PublishGenerateTest : public ::testing::Test {
  protected:
    PublishGenerateTest() {
        EXPECT_EQ(runCli(drive, cli::runInit, {}).status, 0);
        EXPECT_EQ(runCli(drive, cli::runSet,
                         {"page", "DomainName=shop.example", "FtpHost=ftp.shop.example",
                          "FtpUserName=anna", "FtpPassword=secret"})
                      .status,
                  0);
        EXPECT_EQ(runCli(drive, cli::runSet, {"product", "1", "ProductName=Bun"}).status, 0);
        EXPECT_EQ(runCli(drive, cli::runSet, {"style", "1", "LinkToProfile=-1"}).status, 0);
        EXPECT_EQ(runCli(drive, cli::runPreview, {"1"}).status, 0);
    }
    bool exists(const char* path) const { return std::filesystem::exists(temp / path); }

    testing::TempDrive temp;
    Drive drive{temp.path()};
};

TEST_F(PublishGenerateTest, APreviewIsNotPublishedInPlaceOfTheSite) {
    ASSERT_TRUE(exists("Tarvomen/test.html"));
    ASSERT_FALSE(exists("Tarvomen/index.html"));
    const auto refused = runCli(drive, cli::runPublish, {"--dry-run"});
    EXPECT_EQ(refused.status, cli::kExitFailure);
    EXPECT_NE(refused.err.find("tarvomen-cli publish --generate"), std::string::npos)
        << refused.err;
    EXPECT_FALSE(exists("Tarvomen/index.html"));

    const auto published =
        runCli(drive, cli::runPublish, {"--generate", "--shopcart", "--dry-run"});
    EXPECT_EQ(published.status, cli::kExitOk) << published.err;
    EXPECT_NE(published.out.find("Tarvomen/index.html"), std::string::npos) << published.out;
    EXPECT_FALSE(exists("Tarvomen/test.html"));
    EXPECT_NE(testing::readFile(temp / "Tarvomen/1.html").find("/scripts/shopcart.asp"),
              std::string::npos)
        << "generated with this run's options";
}

// A medium that could not be copied is named on stderr; the site is still published and the
// run ends with failure.
TEST_F(PublishGenerateTest, MediaMissingFromTheGeneratedSiteAreReported) {
    ASSERT_EQ(runCli(drive, cli::runSet, {"page", "LogoImage=C:\\Pictures\\gone.gif"}).status, 0);
    const auto published = runCli(drive, cli::runPublish, {"--generate", "--dry-run"});
    EXPECT_EQ(published.status, cli::kExitFailure);
    EXPECT_NE(published.err.find("C:\\Pictures\\gone.gif"), std::string::npos) << published.err;
    EXPECT_NE(published.out.find("Tarvomen/index.html"), std::string::npos) << published.out;
}

TEST_F(PublishGenerateTest, AGeneratedSiteIsPublishedAsItIs) {
    ASSERT_EQ(runCli(drive, cli::runGenerate, {}).status, 0);
    testing::writeFile(temp / "Tarvomen/index.html", "as generated");
    EXPECT_EQ(runCli(drive, cli::runPublish, {"--generate", "--dry-run"}).status, cli::kExitOk);
    EXPECT_EQ(testing::readFile(temp / "Tarvomen/index.html"), "as generated");

    EXPECT_EQ(runCli(drive, cli::runPublish, {"--boxed", "--dry-run"}).status, cli::kExitUsage)
        << "--boxed goes with --generate";
}

}  // namespace
}  // namespace tarvomen::cli
