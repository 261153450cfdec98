#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/drive.hpp"
#include "publish/upload/remote_files.hpp"
#include "publish/upload/remote_host.hpp"
#include "store/records.hpp"

namespace tarvomen::publish {

// A file of the site folder: its path below the folder ("index.html", "Data/0.GIF") and where
// it lies on the host.
struct LocalFile {
    std::string relative;
    std::filesystem::path hostPath;
};

// The files to publish: those of "C:\Tarvomen\" and of "C:\Tarvomen\Data\". Throws Error when
// the folder holds no home page: it then holds a preview or nothing, and publishing it would
// delete the site from the server.
std::vector<LocalFile> listSiteFiles(const Drive& drive);

// The server, user and password stored in the page record (trimmed, as UTF-8). Throws Error
// when one is blank or the host cannot be used.
struct PublishTarget {
    RemoteHost host;
    std::string user;
    std::string password;

    static PublishTarget fromPage(const PageRecord& page);
};

struct PublishProgress {
    std::size_t filesStarted = 0;
    std::size_t filesDone = 0;
    std::size_t filesTotal = 0;
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    std::string currentFile;  // remote path last started; empty when none is under way
};

struct PublishReport {
    struct Failure {
        std::string path;
        std::string reason;
    };

    std::string destination;  // the host as the user wrote it
    bool dryRun = false;
    bool cancelled = false;
    std::string problem;                           // what stopped the run early, if anything
    std::optional<RemoteError::Kind> problemKind;  // its kind, when the server's side stopped it
    std::optional<ServerIdentity> identity;        // the server to accept, when that stopped it
    std::vector<std::string> uploaded;             // in a dry run: what would be uploaded
    std::vector<std::string> skipped;              // unchanged on the server
    std::vector<std::string> deleted;              // in a dry run: what would be deleted
    std::vector<Failure> failed;
    std::vector<std::string> notTried;  // left undone when the run stopped
    std::vector<std::string> notes;

    bool succeeded() const {
        return problem.empty() && failed.empty() && notTried.empty() && !cancelled;
    }
};

// The report as the user reads it: a summary line, then each list with its files; in French
// where `french` (the reasons the server gave stay as they are).
std::string formatReport(const PublishReport& report, bool french = false);

struct UploadOptions {
    bool dryRun = false;                         // plan and report only; contact nothing
    int connections = 4;                         // connections at once, at most
    int attempts = 4;                            // tries per file before it counts as failed
    std::chrono::milliseconds firstDelay{1000};  // wait before the second try; doubles after
    std::chrono::seconds connectTimeout{20};     // to reach the server and log in
    std::chrono::seconds stallTimeout{60};       // no reply and no progress for this long
};

// Publishes the site folder: pages and the Data folder under the remote folder "Tarvomen", the
// pages also under "tarvomen" where the server's names are case-sensitive (so that the pages'
// addresses /Tarvomen/Data/... and /tarvomen/N.html both work). Each run lists the site's
// folders on the server once and sends what differs from the manifest of the last runs or is
// missing there, over several connections at once: media first, then the pages, the home
// page last. Files the site no longer has are deleted afterwards, if an earlier run sent
// them. The manifest takes a file only once the server confirmed it.
//
// run() may be called on any thread: it reads only host files and the manifest. cancel() may be
// called from any thread; onProgress is called from the run's threads, one call at a time.
class SiteUploader {
  public:
    using RemoteFactory =
        std::function<std::unique_ptr<RemoteFiles>(const std::atomic<bool>& cancel)>;

    SiteUploader(std::vector<LocalFile> files, std::string destination,
                 std::filesystem::path manifestPath, RemoteFactory remote, UploadOptions options);

    std::function<void(const PublishProgress&)> onProgress;

    void cancel() { cancel_ = true; }
    PublishReport run();

  private:
    std::vector<LocalFile> files_;
    std::string destination_;
    std::filesystem::path manifestPath_;
    RemoteFactory remote_;
    UploadOptions options_;
    std::atomic<bool> cancel_{false};
};

// A SiteUploader for the stored settings of the site on `drive`: the host's "Allow unencrypted
// FTP" (or `allowPlainFtp` for this run) and its accepted certificate.
std::unique_ptr<SiteUploader> makeSiteUploader(const Drive& drive, const PublishTarget& target,
                                               bool allowPlainFtp, UploadOptions options);

}  // namespace tarvomen::publish
