// Publishing against a real FTP server on 127.0.0.1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/error.hpp"
#include "publish/upload/publish_store.hpp"
#include "publish/upload/remote_host.hpp"
#include "upload_test_support.hpp"

namespace tarvomen::testing {
namespace {

using publish::PublishReport;
using publish::RemoteHost;
using ::testing::HasSubstr;

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

std::vector<std::string> failedPaths(const PublishReport& report) {
    std::vector<std::string> out;
    for (const auto& failure : report.failed) out.push_back(failure.path);
    return sorted(out);
}

TEST(RemoteHostTest, ReadsHostsAsUsersWriteThem) {
    struct Case {
        const char* text;
        const char* url;  // of "Tarvomen/Data/0.GIF"
        const char* settingsKey;
    };
    const Case cases[] = {
        {"ftp.example.com", "ftp://ftp.example.com/Tarvomen/Data/0.GIF", "ftp.example.com"},
        {" FTP.Example.com/www ", "ftp://ftp.example.com/www/Tarvomen/Data/0.GIF",
         "ftp.example.com"},
        {"ftp://ftp.example.com:2121/my site/",
         "ftp://ftp.example.com:2121/my%20site/Tarvomen/Data/0.GIF", "ftp.example.com:2121"},
        {"ftp.example.com\\www\\shop", "ftp://ftp.example.com/www/shop/Tarvomen/Data/0.GIF",
         "ftp.example.com"},
        {"ftps://secure.example.com", "ftps://secure.example.com/Tarvomen/Data/0.GIF",
         "ftps://secure.example.com"},
        {"SFTP://ssh.example.com/www", "sftp://ssh.example.com/~/www/Tarvomen/Data/0.GIF",
         "sftp://ssh.example.com"},
        {"[::1]:21", "ftp://[::1]:21/Tarvomen/Data/0.GIF", "[::1]:21"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const RemoteHost host = RemoteHost::parse(c.text);
        EXPECT_EQ(host.url("Tarvomen/Data/0.GIF", false), c.url);
        EXPECT_EQ(host.settingsKey(), c.settingsKey);
    }
}

TEST(RemoteHostTest, RefusesWhatIsNoHost) {
    for (const char* text : {"", "   ", "user@ftp.example.com", "http://example.com",
                             "ftp.example.com:0", "ftp.example.com:99999", "ftp.example.com:",
                             "ftp.example.com/../etc", "ftp example com", "[::1"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(RemoteHost::parse(text), Error);
    }
}

TEST(PublishStoreTest, KeepsSettingsPrivateAndTheManifestAcrossRuns) {
    TempDrive temp;
    const Drive drive(temp.path());
    const auto store = publish::PublishStore::forDrive(drive);
    store.saveSettings("a.example.com", {true, "", ""});
    store.saveSettings("b.example.com:2121", {false, "AA:BB", "cGlu"});
    EXPECT_TRUE(store.settings("a.example.com").allowPlainFtp);
    EXPECT_EQ(store.settings("b.example.com:2121").publicKeyPin, "cGlu");
    EXPECT_EQ(store.settings("c.example.com"), publish::HostSettings{});
    struct stat info {};
    ASSERT_EQ(::stat((store.folder() / "settings").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    const auto path = store.manifestPath("ftp://u@h:0/www");
    {
        publish::ManifestJournal journal(path);
        journal.recordUpload("Tarvomen/index.html", {10, "aa"});
        journal.recordUpload("Tarvomen/Data/0.GIF", {20, "bb"});
        journal.recordDeletion("Tarvomen/Data/0.GIF");
        journal.recordCaseSensitive(true);
        // A second run on the same place waits for this one.
        EXPECT_THROW(publish::ManifestJournal second(path), Error);
    }
    const auto data = publish::ManifestData::load(path);
    EXPECT_EQ(data.files.size(), 1u);
    EXPECT_EQ(data.files.at("Tarvomen/index.html"), (publish::ManifestEntry{10, "aa"}));
    EXPECT_EQ(data.caseSensitive, true);
}

TEST(SiteFilesTest, RefusesASiteFolderWithoutHomePage) {
    SmallSite site;
    site.remove("index.html");
    site.put("test.html", "preview");
    EXPECT_THROW(publish::listSiteFiles(site.drive), Error);
}

// Explicit TLS with a self-signed certificate: refused with its details until accepted; then
// the first upload sends everything, the second nothing, and a change only what changed.
TEST(UploadTest, PublishesOnlyWhatChangedOverExplicitTls) {
    FtpTestServer server({.tls = true});
    SmallSite site;

    const PublishReport refused = publishTo(site, server);
    EXPECT_FALSE(refused.succeeded());
    ASSERT_TRUE(refused.identity.has_value()) << refused.problem;
    EXPECT_EQ(refused.identity->fingerprint, server.certificateFingerprint());
    EXPECT_THAT(refused.problem, HasSubstr("Subject: CN = Tarvomen test server"));
    EXPECT_TRUE(refused.uploaded.empty());
    EXPECT_TRUE(server.files().empty());
    acceptIdentity(site, refused);

    const PublishReport first = publishTo(site, server);
    ASSERT_TRUE(first.succeeded()) << publish::formatReport(first);
    const auto everything = site.expectedOnServer("www", true);
    EXPECT_EQ(server.files(), everything);
    EXPECT_EQ(first.uploaded.size(), everything.size());
    EXPECT_EQ(testing::readFile(server.root() / "www/tarvomen/1.html"), site.files["1.html"]);
    // Media first, the home page last.
    EXPECT_EQ(first.uploaded.front().rfind("Tarvomen/Data/", 0), 0u);
    EXPECT_EQ(first.uploaded.back(), "tarvomen/index.html");

    const PublishReport second = publishTo(site, server);
    ASSERT_TRUE(second.succeeded()) << publish::formatReport(second);
    EXPECT_TRUE(second.uploaded.empty());
    EXPECT_TRUE(second.deleted.empty());
    EXPECT_EQ(second.skipped.size(), everything.size());

    // A new generation: product 1 shows a new picture; the old one is no longer used.
    site.files["1.html"] = "<HTML><BODY>Product 1 <IMG SRC=/Tarvomen/Data/2.GIF></BODY></HTML>\r\n";
    site.files["Data/2.GIF"] = "GIF89a new picture";
    site.files.erase("Data/1.JPG");
    site.put("1.html", site.files["1.html"]);
    site.put("Data/2.GIF", site.files["Data/2.GIF"]);
    site.remove("Data/1.JPG");

    auto dry = fastOptions();
    dry.dryRun = true;
    const PublishReport plan = publishTo(site, server, dry);
    const std::vector<std::string> changed = {"Tarvomen/1.html", "Tarvomen/Data/2.GIF",
                                              "tarvomen/1.html"};
    EXPECT_EQ(sorted(plan.uploaded), changed);
    EXPECT_EQ(plan.deleted, std::vector<std::string>{"Tarvomen/Data/1.JPG"});
    EXPECT_EQ(server.files(), everything) << "a dry run changes nothing";

    const PublishReport third = publishTo(site, server);
    ASSERT_TRUE(third.succeeded()) << publish::formatReport(third);
    EXPECT_EQ(sorted(third.uploaded), changed);
    EXPECT_EQ(third.deleted, std::vector<std::string>{"Tarvomen/Data/1.JPG"});
    EXPECT_EQ(server.files(), site.expectedOnServer("www", true));
    EXPECT_EQ(testing::readFile(server.root() / "www/Tarvomen/1.html"), site.files["1.html"]);
}

TEST(UploadTest, RefusesAnAcceptedServerWhoseCertificateChanged) {
    FtpTestServer server({.tls = true});
    SmallSite site;
    acceptIdentity(site, publishTo(site, server));
    ASSERT_TRUE(publishTo(site, server).succeeded());

    server.stop();
    server.renewCertificate();
    server.start();
    site.put("index.html", "changed");
    const PublishReport report = publishTo(site, server);
    EXPECT_FALSE(report.succeeded());
    ASSERT_TRUE(report.identity.has_value());
    EXPECT_EQ(report.identity->fingerprint, server.certificateFingerprint());
    EXPECT_THAT(report.problem, HasSubstr("changed since it was accepted"));
    EXPECT_EQ(failedPaths(report),
              (std::vector<std::string>{"Tarvomen/index.html", "tarvomen/index.html"}));
}

TEST(UploadTest, SendsPlainFtpOnlyWhereTheUserAllowedIt) {
    FtpTestServer server({.tls = false});
    SmallSite site;

    const PublishReport refused = publishTo(site, server);
    EXPECT_FALSE(refused.succeeded());
    EXPECT_THAT(refused.problem, HasSubstr("Allow unencrypted FTP"));
    EXPECT_TRUE(server.files().empty());

    // Allowed for this run only (the command line's --allow-plain-ftp) ...
    EXPECT_TRUE(publishTo(site, server, fastOptions(), true).succeeded());
    // ... or for the host from now on.
    const auto store = publish::PublishStore::forDrive(site.drive);
    store.saveSettings(server.host(), {true, "", ""});
    site.put("index.html", "changed");
    const PublishReport allowed = publishTo(site, server);
    ASSERT_TRUE(allowed.succeeded()) << publish::formatReport(allowed);
    EXPECT_EQ(allowed.uploaded.size(), 2u);
}

TEST(UploadTest, SendsThePagesOnceWhereNamesIgnoreCase) {
    FtpTestServer server({.tls = false, .caseInsensitive = true});
    SmallSite site;
    const PublishReport report = publishTo(site, server, fastOptions(), true);
    ASSERT_TRUE(report.succeeded()) << publish::formatReport(report);
    EXPECT_EQ(server.files(), site.expectedOnServer("www", false));
}

TEST(UploadTest, CompletesTheSiteAfterTheServerWentAwayMidway) {
    FtpTestServer server({.tls = false});
    SmallSite site;
    const auto everything = site.expectedOnServer("www", true);

    const PublishReport broken = publishTo(site, server, fastOptions(), true, [&](auto& uploader) {
        uploader.onProgress = [&](const publish::PublishProgress& progress) {
            if (progress.filesDone == 3) server.stop();
        };
    });
    EXPECT_FALSE(broken.succeeded());
    EXPECT_THAT(broken.problem, HasSubstr("connection"));
    EXPECT_EQ(broken.uploaded.size(), 3u);
    // The report names exactly what did not arrive.
    std::vector<std::string> missing;
    for (const auto& path : everything) {
        const std::string remote = path.substr(4);  // without "www/"
        if (std::find(broken.uploaded.begin(), broken.uploaded.end(), remote) ==
            broken.uploaded.end()) {
            missing.push_back(remote);
        }
    }
    EXPECT_EQ(failedPaths(broken), sorted(missing));

    server.start();
    const PublishReport resumed = publishTo(site, server, fastOptions(), true);
    ASSERT_TRUE(resumed.succeeded()) << publish::formatReport(resumed);
    EXPECT_EQ(sorted(resumed.uploaded), sorted(missing));
    EXPECT_EQ(resumed.skipped.size(), 3u);
    EXPECT_EQ(server.files(), everything);
}

TEST(UploadTest, CancelStopsAtOnceAndTheNextRunCompletes) {
    FtpTestServer server({.tls = false});
    SmallSite site;
    std::vector<publish::PublishProgress> seen;
    const PublishReport cancelled =
        publishTo(site, server, fastOptions(), true, [&](auto& uploader) {
            uploader.onProgress = [&seen, &uploader](const publish::PublishProgress& progress) {
                seen.push_back(progress);
                if (progress.filesDone == 1) uploader.cancel();
            };
        });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.uploaded.size(), 1u);
    EXPECT_EQ(cancelled.failed.size(), site.expectedOnServer("www", true).size() - 1);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().filesTotal, 8u);
    std::uint64_t bytes = 0;
    for (const auto& [relative, content] : site.files) {
        bytes += content.size() * (relative.find('/') == std::string::npos ? 2 : 1);
    }
    EXPECT_EQ(seen.front().bytesTotal, bytes);
    EXPECT_EQ(seen.front().currentFile, "Tarvomen/Data/0.GIF");

    const PublishReport next = publishTo(site, server, fastOptions(), true);
    ASSERT_TRUE(next.succeeded()) << publish::formatReport(next);
    EXPECT_EQ(next.uploaded.size(), 7u);
    EXPECT_EQ(server.files(), site.expectedOnServer("www", true));
}

}  // namespace
}  // namespace tarvomen::testing
