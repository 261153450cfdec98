// tarvomen-cli publish against a real FTP server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "cli/cli.hpp"
#include "upload_test_support.hpp"

namespace tarvomen::cli {
namespace {

using namespace tarvomen::testing;

using ::testing::HasSubstr;

struct Console {
    explicit Console(const SmallSite& site, const FtpTestServer& server)
        : drive(site.drive), state(drive, Services{}) {
        state.files.openAll(drive);
        PageRecord page = state.files.readPage(1);
        page.FtpHost = server.host() + "/www";
        page.FtpUserName = server.options().user;
        page.FtpPassword = server.options().password;
        state.files.writePage(1, page);
        state.files.closeAll();
    }

    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        state.files.closeAll();
        cli::Context context{state, std::move(args), out, err};
        return cli::runPublish(context);
    }

    Drive drive;
    AppState state;
    std::ostringstream out;
    std::ostringstream err;
};

TEST(PublishCommandTest, PublishesWithTheStoredSettingsAndSaysWhenItFailed) {
    FtpTestServer server({.tls = false});
    SmallSite site;
    Console console(site, server);

    EXPECT_EQ(console.run({"--dry-run"}), cli::kExitOk);
    EXPECT_THAT(console.out.str(), HasSubstr("To upload:\n  Tarvomen/Data/0.GIF\n"));
    EXPECT_TRUE(server.files().empty());

    EXPECT_EQ(console.run({}), cli::kExitFailure);
    EXPECT_THAT(console.out.str(), HasSubstr("Allow unencrypted FTP"));
    EXPECT_TRUE(server.files().empty());

    EXPECT_EQ(console.run({"--allow-plain-ftp"}), cli::kExitOk) << console.out.str();
    EXPECT_THAT(console.out.str(), HasSubstr("[1/8] Tarvomen/Data/0.GIF\n"));
    EXPECT_THAT(console.out.str(), HasSubstr("Published to 127.0.0.1:"));
    EXPECT_EQ(server.files(), site.expectedOnServer("www", true));

    EXPECT_THROW(console.run({"--force"}), cli::UsageError);
}

TEST(PublishCommandTest, TrustsACertificateOnlyWithItsFingerprint) {
    FtpTestServer server({.tls = true});
    SmallSite site;
    Console console(site, server);
    const std::string fingerprint = server.certificateFingerprint();

    EXPECT_EQ(console.run({}), cli::kExitFailure);
    EXPECT_THAT(console.out.str(), HasSubstr("SHA-256 fingerprint: " + fingerprint));
    EXPECT_THAT(console.err.str(), HasSubstr("--accept-certificate=" + fingerprint));

    EXPECT_EQ(console.run({"--accept-certificate=00:11:22"}), cli::kExitFailure);
    EXPECT_THAT(console.err.str(), HasSubstr("stays untrusted"));
    EXPECT_TRUE(server.files().empty());

    std::string typed = fingerprint;
    typed.erase(std::remove(typed.begin(), typed.end(), ':'), typed.end());
    std::transform(typed.begin(), typed.end(), typed.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_EQ(console.run({"--accept-certificate=" + typed}), cli::kExitOk) << console.out.str();
    EXPECT_EQ(server.files(), site.expectedOnServer("www", true));
    // Trusted from now on.
    EXPECT_EQ(console.run({}), cli::kExitOk);
    EXPECT_THAT(console.out.str(), HasSubstr("0 uploaded, 8 unchanged"));
}

}  // namespace
}  // namespace tarvomen::cli
