// Publishing against a real FTP server on 127.0.0.1.
#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <set>

#include "platform/error.hpp"
#include "publish/upload/publish_store.hpp"
#include "publish/upload/remote_host.hpp"
#include "publish/upload/remote_listing.hpp"
#include "upload_test_support.hpp"

namespace tarvomen::publish {
namespace {

using namespace tarvomen::testing;

using ::testing::HasSubstr;

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
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

TEST(RemoteListingTest, ReadsTheListingsServersSend) {
    using publish::RemoteEntry;
    const std::string listing =
        "213-Status follows:\r\n"  // not an entry: no mode, read as a name of unknown size
        "total 12\r\n"
        "drwxr-xr-x    2 1001     1001         4096 Dec 10 12:18 .\r\n"
        "drwxr-xr-x    2 1001     1001         4096 Dec 10 12:18 Data\r\n"
        "-rw-r--r--    1 owner    group        5000 Dec 10 12:19 my page.html\r\n"
        "lrwxrwxrwx    1 owner    group          11 Jan  1  2024 home -> index.html\r\n"
        "12-10-24  12:19PM       <DIR>          Old\r\n"
        "12-10-24  12:19PM                 1234 0.GIF\r\n"
        "  -rw-r--r--   1 root root 3 Dec 10 12:20 a b.txt\n";
    const std::vector<RemoteEntry> expected = {
        {"213-Status follows:", false, std::nullopt},
        {"Data", true, 4096},
        {"my page.html", false, 5000},
        {"home", false, 11},
        {"Old", true, std::nullopt},
        {"0.GIF", false, 1234},
        {"a b.txt", false, 3},
    };
    EXPECT_EQ(publish::parseListing(listing), expected);
    EXPECT_TRUE(publish::parseListing("").empty());
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
    const std::vector<std::string> lastTwo(first.uploaded.end() - 2, first.uploaded.end());
    EXPECT_EQ(sorted(lastTwo),
              (std::vector<std::string>{"Tarvomen/index.html", "tarvomen/index.html"}));

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
    EXPECT_THAT(report.problem, HasSubstr("changed since the one with the fingerprint"));
    EXPECT_TRUE(report.failed.empty());
    EXPECT_EQ(sorted(report.notTried),
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
    // Found to offer no TLS: later runs do not ask for it.
    EXPECT_TRUE(store.settings(server.host()).offersNoTls);
    site.put("index.html", "changed again");
    const PublishReport known = publishTo(site, server);
    ASSERT_TRUE(known.succeeded()) << publish::formatReport(known);
    EXPECT_EQ(known.uploaded.size(), 2u);
}

TEST(UploadTest, SendsThePagesOnceWhereNamesIgnoreCase) {
    FtpTestServer server({.tls = false, .caseInsensitive = true});
    SmallSite site;
    const PublishReport report = publishTo(site, server, fastOptions(), true);
    ASSERT_TRUE(report.succeeded()) << publish::formatReport(report);
    EXPECT_EQ(server.files(), site.expectedOnServer("www", false));
}

// Files on the server as the site would have them: "www/Tarvomen/..." without "www/".
std::vector<std::string> remotePaths(const std::vector<std::string>& served) {
    std::vector<std::string> out;
    for (const auto& path : served) out.push_back(path.substr(4));
    return sorted(out);
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return sorted(a);
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
    EXPECT_GE(broken.uploaded.size(), 3u);
    EXPECT_LT(broken.uploaded.size(), everything.size());
    // The report names exactly what did not arrive.
    EXPECT_EQ(joined(broken.uploaded, broken.notTried), remotePaths(everything));
    EXPECT_TRUE(broken.failed.empty());

    server.start();
    const PublishReport resumed = publishTo(site, server, fastOptions(), true);
    ASSERT_TRUE(resumed.succeeded()) << publish::formatReport(resumed);
    EXPECT_EQ(sorted(resumed.uploaded), sorted(broken.notTried));
    EXPECT_EQ(resumed.skipped.size(), broken.uploaded.size());
    // Nothing half-sent stays: a temporary file of the broken run is deleted.
    EXPECT_EQ(server.files(), everything);
}

// The server is the truth: what is missing there or has another size is sent again; files the
// owner put there are left alone; temporary files of an interrupted run go.
TEST(UploadTest, SendsAgainWhatTheServerLostAndKeepsFilesItDidNotSend) {
    FtpTestServer server({.tls = false});
    SmallSite site;
    ASSERT_TRUE(publishTo(site, server, fastOptions(), true).succeeded());

    std::filesystem::remove(server.root() / "www/Tarvomen/Data/0.GIF");
    writeFile(server.root() / "www/tarvomen/1.html", "cut");
    writeFile(server.root() / "www/Tarvomen/owner.txt", "the owner's own file");
    writeFile(server.root() / "www/Tarvomen/Data/9.GIF.tarvomen-upload", "half");
    const PublishReport report = publishTo(site, server, fastOptions(), true);
    ASSERT_TRUE(report.succeeded()) << publish::formatReport(report);
    EXPECT_EQ(sorted(report.uploaded),
              (std::vector<std::string>{"Tarvomen/Data/0.GIF", "tarvomen/1.html"}));
    EXPECT_EQ(report.deleted, std::vector<std::string>{"Tarvomen/Data/9.GIF.tarvomen-upload"});
    EXPECT_EQ(server.files(),
              joined(site.expectedOnServer("www", true), {"www/Tarvomen/owner.txt"}));
    EXPECT_EQ(testing::readFile(server.root() / "www/tarvomen/1.html"), site.files["1.html"]);

    // The whole site deleted on the server: all of it again.
    std::filesystem::remove_all(server.root() / "www");
    const PublishReport again = publishTo(site, server, fastOptions(), true);
    ASSERT_TRUE(again.succeeded()) << publish::formatReport(again);
    EXPECT_EQ(server.files(), site.expectedOnServer("www", true));
}

TEST(UploadTest, CancelStopsAtOnceAndTheNextRunCompletes) {
    FtpTestServer server({.tls = false});
    SmallSite site;
    const auto everything = site.expectedOnServer("www", true);
    std::vector<publish::PublishProgress> seen;
    const PublishReport cancelled =
        publishTo(site, server, fastOptions(), true, [&](auto& uploader) {
            uploader.onProgress = [&seen, &uploader](const publish::PublishProgress& progress) {
                seen.push_back(progress);
                if (progress.filesDone == 1) uploader.cancel();
            };
        });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_GE(cancelled.uploaded.size(), 1u);
    EXPECT_LT(cancelled.uploaded.size(), everything.size());
    EXPECT_EQ(joined(cancelled.uploaded, cancelled.notTried), remotePaths(everything));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().filesTotal, 8u);
    std::uint64_t bytes = 0;
    for (const auto& [relative, content] : site.files) {
        bytes += content.size() * (relative.find('/') == std::string::npos ? 2 : 1);
    }
    EXPECT_EQ(seen.front().bytesTotal, bytes);
    EXPECT_EQ(seen.front().currentFile.rfind("Tarvomen/Data/", 0), 0u);

    const PublishReport next = publishTo(site, server, fastOptions(), true);
    ASSERT_TRUE(next.succeeded()) << publish::formatReport(next);
    EXPECT_EQ(sorted(next.uploaded), sorted(cancelled.notTried));
    EXPECT_EQ(server.files(), everything);
}

TEST(UploadTest, AFullServerIsReportedWithTheFileAndStopsTheRun) {
    FtpTestServer server({.tls = false, .fullFor = "1.JPG"});
    SmallSite site;
    const PublishReport report = publishTo(site, server, fastOptions(), true);
    EXPECT_FALSE(report.succeeded());
    ASSERT_EQ(report.failed.size(), 1u) << publish::formatReport(report);
    EXPECT_EQ(report.failed[0].path, "Tarvomen/Data/1.JPG");
    EXPECT_THAT(report.failed[0].reason, HasSubstr("no room left (its reply: 552"));
    EXPECT_THAT(report.problem, HasSubstr("no room left for Tarvomen/Data/1.JPG"));
    // The pages wait for their media: none was sent.
    EXPECT_EQ(report.notTried.size(), 6u);
}

// Servers that take a transfer otherwise than most: one connection carries on after a refused
// file, a server without the extended passive mode gets the site by the classic one, and one
// that lists folders only over a data connection is listed so.
TEST(UploadTest, ARefusedFileFailsAloneAndServersOfFewerCommandsGetTheSite) {
    struct Case {
        FtpTestServer::Options server;
        std::vector<std::string> failed;
    };
    const Case cases[] = {
        {{.tls = false, .refuseFor = "1.JPG"}, {"Tarvomen/Data/1.JPG"}},
        {{.tls = false, .noEpsv = true}, {}},
        {{.tls = false, .noStat = true}, {}},
    };
    for (const auto& [options, failed] : cases) {
        SCOPED_TRACE(options.noEpsv ? "no EPSV" : options.noStat ? "no STAT" : "553 for 1.JPG");
        FtpTestServer server(options);
        SmallSite site;
        auto upload = fastOptions();
        upload.connections = 1;
        const PublishReport report = publishTo(site, server, upload, true);
        std::vector<std::string> failedPaths;
        for (const auto& failure : report.failed) {
            failedPaths.push_back(failure.path);
            EXPECT_THAT(failure.reason, HasSubstr("the server answered 553"));
        }
        EXPECT_EQ(failedPaths, failed) << publish::formatReport(report);
        EXPECT_TRUE(report.problem.empty()) << report.problem;
        EXPECT_EQ(report.uploaded.size(), 8u - failed.size());
        auto expected = site.expectedOnServer("www", true);
        for (const auto& path : failed) std::erase(expected, "www/" + path);
        EXPECT_EQ(server.files(), expected);
    }
}

// A server in memory whose listings may leave out sizes, and whose connection breaks half-way
// through the upload of one named file, leaving what arrived.
class MemoryServer {
  public:
    std::map<std::string, std::string> files;  // "Tarvomen/Data/0.GIF" -> bytes
    std::set<std::string> folders{""};
    std::vector<std::pair<std::string, bool>> uploads;  // path, whether it replaced
    std::string breakOn;                                // path whose upload breaks
    bool sizes = true;

    std::unique_ptr<publish::RemoteFiles> connection() { return std::make_unique<Files>(*this); }

  private:
    struct Files : publish::RemoteFiles {
        explicit Files(MemoryServer& s) : server(s) {}
        void connect() override {}
        bool makeFolder(const std::string& path) override {
            const std::lock_guard lock(server.mutex);
            return server.folders.insert(path).second;
        }
        std::optional<std::vector<publish::RemoteEntry>> list(const std::string& folder) override {
            const std::lock_guard lock(server.mutex);
            if (!server.folders.count(folder)) return std::nullopt;
            std::vector<publish::RemoteEntry> entries;
            const std::string prefix = folder.empty() ? "" : folder + "/";
            auto inside = [&](const std::string& path) {
                return path.rfind(prefix, 0) == 0 && path.size() > prefix.size() &&
                       path.find('/', prefix.size()) == std::string::npos;
            };
            for (const auto& sub : server.folders) {
                if (inside(sub)) entries.push_back({sub.substr(prefix.size()), true, {}});
            }
            for (const auto& [path, bytes] : server.files) {
                if (!inside(path)) continue;
                entries.push_back(
                    {path.substr(prefix.size()), false,
                     server.sizes ? std::optional<std::uint64_t>(bytes.size()) : std::nullopt});
            }
            return entries;
        }
        void upload(const std::string& path, std::string_view bytes, const Progress&,
                    bool replaces) override {
            const std::lock_guard lock(server.mutex);
            server.uploads.emplace_back(path, replaces);
            const std::string name = replaces ? path + publish::kTemporarySuffix : path;
            if (path == server.breakOn) {
                server.breakOn.clear();
                server.files[name] = std::string(bytes.substr(0, bytes.size() / 2));
                throw publish::RemoteError(publish::RemoteError::Kind::Connection,
                                           "The connection broke.");
            }
            server.files[name] = std::string(bytes);
            if (replaces) server.files[path] = server.files.extract(name).mapped();
        }
        void remove(const std::string& path) override {
            const std::lock_guard lock(server.mutex);
            server.files.erase(path);
        }
        MemoryServer& server;
    };
    std::mutex mutex;
};

PublishReport publishTo(const SmallSite& site, MemoryServer& server) {
    auto options = fastOptions();
    options.attempts = 1;
    publish::SiteUploader uploader(
        publish::listSiteFiles(site.drive), "memory", site.temp / "memory.manifest",
        [&server](const std::atomic<bool>&) { return server.connection(); }, options);
    return uploader.run();
}

// What the site would put on the server, by remote path.
std::map<std::string, std::string> siteOnServer(const SmallSite& site) {
    std::map<std::string, std::string> out;
    for (const auto& [relative, bytes] : site.files) {
        out["Tarvomen/" + relative] = bytes;
        if (relative.find('/') == std::string::npos) out["tarvomen/" + relative] = bytes;
    }
    return out;
}

// Files the server lacks go straight under their names (no rename); files it holds, and the
// home page, go under a temporary name first.
TEST(UploadTest, SendsNewFilesUnderTheirNamesAndReplacesOthersThroughATemporaryName) {
    SmallSite site;
    MemoryServer server;
    ASSERT_TRUE(publishTo(site, server).succeeded());
    EXPECT_EQ(server.files, siteOnServer(site));
    for (const auto& [path, replaced] : server.uploads) {
        EXPECT_EQ(replaced, path.find("index.html") != std::string::npos) << path;
    }
    // The home pages last.
    ASSERT_EQ(server.uploads.size(), 8u);
    EXPECT_THAT(server.uploads[6].first, ::testing::EndsWith("/index.html"));
    EXPECT_THAT(server.uploads[7].first, ::testing::EndsWith("/index.html"));

    server.uploads.clear();
    site.files["1.html"] = "<HTML><BODY>Product 1, cheaper</BODY></HTML>\r\n";
    site.put("1.html", site.files["1.html"]);
    site.files["2.html"] = "<HTML><BODY>Product 2</BODY></HTML>\r\n";
    site.put("2.html", site.files["2.html"]);
    ASSERT_TRUE(publishTo(site, server).succeeded());
    EXPECT_EQ(server.files, siteOnServer(site));
    EXPECT_EQ(sorted([&] {
                  std::vector<std::string> out;
                  for (const auto& [path, replaced] : server.uploads)
                      out.push_back(path + (replaced ? " replaced" : " new"));
                  return out;
              }()),
              (std::vector<std::string>{"Tarvomen/1.html replaced", "Tarvomen/2.html new",
                                        "tarvomen/1.html replaced", "tarvomen/2.html new"}));
}

// A new file cut off half-way lies under its own name; the next run sends it whole, also
// where the listing gives no sizes and the manifest knew the same bytes from an earlier run.
TEST(UploadTest, ANewFileInterruptedMidwayIsCompletedByTheNextRun) {
    for (const bool sizes : {true, false}) {
        SCOPED_TRACE(sizes ? "listing with sizes" : "listing without sizes");
        SmallSite site;
        MemoryServer server;
        server.sizes = sizes;
        ASSERT_TRUE(publishTo(site, server).succeeded());
        server.files.erase("Tarvomen/Data/1.JPG");  // lost on the server

        server.breakOn = "Tarvomen/Data/1.JPG";
        const PublishReport broken = publishTo(site, server);
        EXPECT_FALSE(broken.succeeded());
        EXPECT_EQ(broken.notTried, std::vector<std::string>{"Tarvomen/Data/1.JPG"});
        EXPECT_EQ(server.files["Tarvomen/Data/1.JPG"].size(), site.files["Data/1.JPG"].size() / 2);

        const PublishReport next = publishTo(site, server);
        ASSERT_TRUE(next.succeeded()) << publish::formatReport(next);
        EXPECT_EQ(next.uploaded, std::vector<std::string>{"Tarvomen/Data/1.JPG"});
        EXPECT_EQ(server.files, siteOnServer(site));
    }
}

// A server that takes the connection and never answers: the run ends after the time its
// message names, once, for FTP and for SFTP alike.
TEST(UploadTest, ASilentServerTimesOutAsTheMessageSays) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 16), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string port = std::to_string(ntohs(address.sin_port));

    SmallSite site;
    auto options = fastOptions();
    options.attempts = 4;
    options.connectTimeout = std::chrono::seconds(2);
    options.stallTimeout = std::chrono::seconds(2);
    for (const std::string& host : {"127.0.0.1:" + port, "sftp://127.0.0.1:" + port}) {
        SCOPED_TRACE(host);
        const auto start = std::chrono::steady_clock::now();
        const PublishReport report = publishTo(site, host, "shop", "secret", options);
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_THAT(report.problem, HasSubstr("did not answer for 2 s"));
        EXPECT_THAT(report.problem, HasSubstr("Check the host name and port, and the connection"));
        EXPECT_LT(took, std::chrono::seconds(5));
        EXPECT_GE(took, std::chrono::milliseconds(1900));
    }
    ::close(listener);
}

}  // namespace
}  // namespace tarvomen::publish
