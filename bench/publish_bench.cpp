// Publishing the demo site, beside lftp's "mirror -R" on the same server in the same run:
//  - plain FTP to a local server whose every reply comes RTT late (40 ms unless --rtt MS is
//    given): the full site, nothing changed, one product changed;
//  - explicit FTPS to Debian's vsftpd on loopback (as root only): the full site.
// Run by hand: build/default/bench/publish_bench [--rtt MS] [--connections N]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "ftp_test_server.hpp"
#include "publish/upload/publish_store.hpp"
#include "publish/upload/site_uploader.hpp"
#include "upload_servers.hpp"

namespace fs = std::filesystem;
using namespace tarvomen;

namespace {

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A drive with the demo shop, its site generated.
struct DemoDrive {
    DemoDrive() {
        std::string pattern =
            (fs::temp_directory_path() / "tarvomen-publish-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder");
        root = pattern;
        run({"init", "--demo"});
        generate();
    }
    ~DemoDrive() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    void run(std::vector<std::string> args) const {
        args.insert(args.begin(), {TARVOMEN_CLI, "--drive", root.string()});
        testing::runProgram(args);
    }
    void generate() const { run({"generate"}); }
    fs::path site() const { return root / "Tarvomen"; }
    std::size_t siteFiles() const {
        std::size_t n = 0;
        for (const auto& entry : fs::recursive_directory_iterator(site()))
            n += entry.is_regular_file();
        return n;
    }

    fs::path root;
};

struct Run {
    double seconds = 0;
    std::size_t sent = 0;
    bool ok = false;
};

Run publishSite(const DemoDrive& demo, const std::string& host, const std::string& user,
                const std::string& password, int connections, bool plain) {
    const Drive drive(demo.root);
    publish::PublishTarget target;
    target.host = publish::RemoteHost::parse(host);
    target.user = user;
    target.password = password;
    publish::UploadOptions options;
    options.connections = connections;
    Run run;
    publish::PublishReport report;
    run.seconds = seconds([&] {
        auto uploader = publish::makeSiteUploader(drive, target, plain, options);
        report = uploader->run();
    });
    run.sent = report.uploaded.size();
    run.ok = report.succeeded();
    if (!run.ok) std::fprintf(stderr, "%s\n", publish::formatReport(report).c_str());
    return run;
}

// lftp's mirror of the site folder to `remote`, or a negative time when lftp is missing.
double lftpMirror(const DemoDrive& demo, const std::string& url, const std::string& user,
                  const std::string& password, const std::string& remote, const char* extra,
                  bool tls) {
    if (::access("/usr/bin/lftp", X_OK) != 0) return -1;
    std::string script = tls ? "set ftp:ssl-force yes; set ftp:ssl-protect-data yes; "
                               "set ssl:verify-certificate no; "
                             : "set ftp:ssl-allow no; ";
    script += "open -u '" + user + "','" + password + "' " + url + "; mirror -R " + extra + " " +
              demo.site().string() + " " + remote;
    return seconds([&] { testing::runProgram({"/usr/bin/lftp", "-c", script}); });
}

void line(const char* what, const Run& ours, double lftp) {
    std::printf("  %-26s tarvomen %6.2f s (%3zu sent%s)   lftp %s\n", what, ours.seconds, ours.sent,
                ours.ok ? "" : ", FAILED",
                lftp < 0 ? "not installed" : (std::to_string(lftp).substr(0, 5) + " s").c_str());
}

}  // namespace

int main(int argc, char** argv) {
    int rttMs = 40;
    int connections = 4;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--rtt") rttMs = std::atoi(argv[i + 1]);
        if (arg == "--connections") connections = std::atoi(argv[i + 1]);
    }
    try {
        DemoDrive demo;
        std::printf("Demo site: %zu files; %d connections\n", demo.siteFiles(), connections);

        {
            testing::FtpTestServer server({.delay = rttMs / 1000.0});
            const std::string user = server.options().user, password = server.options().password;
            const std::string url = "ftp://127.0.0.1:" + std::to_string(server.port());
            std::printf("Plain FTP, every reply %d ms late:\n", rttMs);
            const Run full =
                publishSite(demo, server.host() + "/ours", user, password, connections, true);
            const double lftpFull =
                lftpMirror(demo, url, user, password, "lftp", "--parallel=4", false);
            line("full site", full, lftpFull);
            const Run same =
                publishSite(demo, server.host() + "/ours", user, password, connections, true);
            const double lftpSame =
                lftpMirror(demo, url, user, password, "lftp", "--parallel=4", false);
            line("nothing changed", same, lftpSame);
            demo.run({"set", "product", "1", "UnitPrice=19.5"});
            demo.generate();
            const Run one =
                publishSite(demo, server.host() + "/ours", user, password, connections, true);
            const double lftpOne =
                lftpMirror(demo, url, user, password, "lftp", "--parallel=4", false);
            line("one product changed", one, lftpOne);
        }

        const std::string why = testing::realServersUnavailable("/usr/sbin/vsftpd");
        if (!why.empty()) {
            std::printf("FTPS to vsftpd: skipped (%s)\n", why.c_str());
            return 0;
        }
        testing::VsftpdServer server;
        const std::string user = testing::TestAccount::kUser;
        const std::string password = testing::TestAccount::kPassword;
        // Trust the test certificate, as the owner would once.
        const Drive drive(demo.root);
        {
            publish::PublishTarget target;
            target.host = publish::RemoteHost::parse(server.host() + "/ours");
            target.user = user;
            target.password = password;
            auto report = publish::makeSiteUploader(drive, target, false, {})->run();
            if (report.identity) publish::PublishStore::forDrive(drive).trust(*report.identity);
        }
        std::printf("FTPS to vsftpd on loopback (TLS on control and data):\n");
        const std::string url = "ftp://127.0.0.1:" + server.host().substr(10);
        const Run full =
            publishSite(demo, server.host() + "/ours", user, password, connections, false);
        line("full site", full, lftpMirror(demo, url, user, password, "lftp1", "", true));
        line("  (lftp --parallel=4)", full,
             lftpMirror(demo, url, user, password, "lftp4", "--parallel=4", true));
        line("nothing changed",
             publishSite(demo, server.host() + "/ours", user, password, connections, false),
             lftpMirror(demo, url, user, password, "lftp1", "", true));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "publish_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
