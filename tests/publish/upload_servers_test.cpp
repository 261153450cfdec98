// Publishing to the servers shops use, started here on 127.0.0.1: vsftpd with explicit FTPS
// (TLS required on the data connections too) and OpenSSH's sshd for SFTP.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "publish/upload/publish_store.hpp"
#include "upload_servers.hpp"
#include "upload_test_support.hpp"

namespace tarvomen::publish {
namespace {

using namespace tarvomen::testing;

using ::testing::HasSubstr;
using ::testing::Not;

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

constexpr const char* kUser = TestAccount::kUser;
constexpr const char* kPassword = TestAccount::kPassword;

class VsftpdTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string why = realServersUnavailable("/usr/sbin/vsftpd");
        if (!why.empty()) GTEST_SKIP() << why;
        server = std::make_unique<VsftpdServer>();
    }
    PublishReport publish(publish::UploadOptions options = fastOptions(),
                          std::function<void(publish::SiteUploader&)> prepare = {}) {
        return publishTo(site, server->host(), kUser, kPassword, options, std::move(prepare));
    }

    SmallSite site;
    std::unique_ptr<VsftpdServer> server;
};

TEST_F(VsftpdTest, PublishesOverFtpsAndRefusesAChangedCertificate) {
    const PublishReport refused = publish();
    ASSERT_TRUE(refused.identity.has_value()) << refused.problem;
    const std::string first = server->certificateFingerprint();
    EXPECT_EQ(refused.identity->fingerprint, first);
    EXPECT_TRUE(server->files().empty());
    acceptIdentity(site, refused);

    const PublishReport sent = publish();
    ASSERT_TRUE(sent.succeeded()) << publish::formatReport(sent);
    EXPECT_EQ(server->files(), site.expectedOnServer("www", true));
    EXPECT_EQ(sent.uploaded.back().substr(9), "index.html");
    const PublishReport again = publish();
    ASSERT_TRUE(again.succeeded()) << publish::formatReport(again);
    EXPECT_TRUE(again.uploaded.empty());

    server->stop();
    server->renewCertificate();
    server->start();
    const PublishReport changed = publish();
    ASSERT_TRUE(changed.identity.has_value()) << changed.problem;
    EXPECT_THAT(changed.problem, HasSubstr("fingerprint " + first + " was accepted"));
    EXPECT_THAT(changed.problem, HasSubstr(server->certificateFingerprint()));
    EXPECT_NE(server->certificateFingerprint(), first);
}

TEST_F(VsftpdTest, AWrongPasswordIsOneClearMessageAndOneTry) {
    acceptIdentity(site, publish());
    auto options = fastOptions();
    options.attempts = 4;
    const PublishReport report = publishTo(site, server->host(), kUser, "wrong", options);
    EXPECT_THAT(report.problem, HasSubstr("refused the user name or password"));
    EXPECT_EQ(countOf(publish::formatReport(report), "refused"), 1u);
    EXPECT_EQ(countOf(server->log(), "FAIL LOGIN"), 1u) << server->log();
    EXPECT_TRUE(server->files().empty());
}

TEST_F(VsftpdTest, TheNextRunCompletesWhatADyingServerLeft) {
    acceptIdentity(site, publish());
    const auto everything = site.expectedOnServer("www", true);
    const PublishReport broken = publish(fastOptions(), [&](auto& uploader) {
        uploader.onProgress = [&](const publish::PublishProgress& progress) {
            if (progress.filesDone == 2) server->stop();
        };
    });
    EXPECT_FALSE(broken.succeeded());
    EXPECT_FALSE(broken.notTried.empty());

    server->start();
    const PublishReport resumed = publish();
    ASSERT_TRUE(resumed.succeeded()) << publish::formatReport(resumed);
    EXPECT_EQ(sorted(resumed.uploaded), sorted(broken.notTried));
    // Whole files only, and no temporary file left.
    EXPECT_EQ(server->files(), everything);
    for (const auto& [relative, bytes] : site.files) {
        EXPECT_EQ(testing::readFile(TestAccount::home() / ("www/Tarvomen/" + relative)), bytes);
    }
}

class SshdTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string why = realServersUnavailable("/usr/sbin/sshd");
        if (!why.empty()) GTEST_SKIP() << why;
        server = std::make_unique<SshdServer>();
    }

    SmallSite site;
    std::unique_ptr<SshdServer> server;
};

// The site goes below the login folder; the host key is accepted once and pinned.
TEST_F(SshdTest, PublishesBelowTheLoginFolderWithPasswordOrKey) {
    const PublishReport refused = publishTo(site, server->host(), kUser, kPassword);
    ASSERT_TRUE(refused.identity.has_value()) << refused.problem;
    EXPECT_EQ(refused.identity->kind, publish::ServerIdentity::Kind::SshHostKey);
    EXPECT_TRUE(server->files().empty());
    acceptIdentity(site, refused);

    const PublishReport sent = publishTo(site, server->host(), kUser, kPassword);
    ASSERT_TRUE(sent.succeeded()) << publish::formatReport(sent);
    EXPECT_EQ(server->files(), site.expectedOnServer("www", true));

    // With the key, the password is not needed.
    const auto store = publish::PublishStore::forDrive(site.drive);
    auto settings = store.settings(publish::RemoteHost::parse(server->host()).settingsKey());
    settings.sshKeyFile = server->clientKey().string();
    store.saveSettings(publish::RemoteHost::parse(server->host()).settingsKey(), settings);
    site.put("index.html", "changed");
    site.files["index.html"] = "changed";
    const PublishReport keyed = publishTo(site, server->host(), kUser, "not the password");
    ASSERT_TRUE(keyed.succeeded()) << publish::formatReport(keyed);
    EXPECT_EQ(sorted(keyed.uploaded),
              (std::vector<std::string>{"Tarvomen/index.html", "tarvomen/index.html"}));
    EXPECT_EQ(testing::readFile(TestAccount::home() / "www/tarvomen/index.html"), "changed");
}

TEST_F(SshdTest, RefusesAChangedHostKeyNamingBoth) {
    const PublishReport refused = publishTo(site, server->host(), kUser, kPassword);
    ASSERT_TRUE(refused.identity.has_value()) << refused.problem;
    acceptIdentity(site, refused);
    ASSERT_TRUE(publishTo(site, server->host(), kUser, kPassword).succeeded());

    server->stop();
    server->renewHostKey();
    server->start();
    site.put("index.html", "changed");
    const PublishReport changed = publishTo(site, server->host(), kUser, kPassword);
    ASSERT_TRUE(changed.identity.has_value()) << changed.problem;
    EXPECT_NE(changed.identity->fingerprint, refused.identity->fingerprint);
    EXPECT_THAT(changed.problem,
                HasSubstr("fingerprint " + refused.identity->fingerprint + " was accepted"));
    EXPECT_THAT(changed.problem, HasSubstr(changed.identity->fingerprint));
    EXPECT_NE(testing::readFile(TestAccount::home() / "www/Tarvomen/index.html"), "changed");
}

}  // namespace
}  // namespace tarvomen::publish
