#include "publish/upload/site_uploader.hpp"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <thread>

#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "platform/file_bytes.hpp"
#include "publish/upload/curl_remote_files.hpp"
#include "publish/upload/publish_store.hpp"
#include "publish/upload/sha256.hpp"
#include "store/site_paths.hpp"

namespace fs = std::filesystem;

namespace tarvomen::publish {
namespace {

constexpr const char* kRemoteFolder = "Tarvomen";
constexpr const char* kMirrorFolder = "tarvomen";
constexpr const char* kDataFolder = "Data";
constexpr const char* kHomePage = "index.html";

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return s;
}

// Where a site file goes on the server, in sending order: media, then the pages, the home
// page last, so that no page on the server refers to media that is not there yet.
struct Target {
    std::string remote;
    std::size_t file;  // index into the local files
};

std::vector<Target> targetsOf(const std::vector<LocalFile>& files, bool caseSensitive) {
    std::vector<Target> media, pages, home;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& relative = files[i].relative;
        if (relative.find('/') != std::string::npos) {
            media.push_back({std::string(kRemoteFolder) + "/" + relative, i});
            continue;
        }
        auto& list = lower(relative) == kHomePage ? home : pages;
        list.push_back({std::string(kRemoteFolder) + "/" + relative, i});
        if (caseSensitive) list.push_back({std::string(kMirrorFolder) + "/" + relative, i});
    }
    media.insert(media.end(), pages.begin(), pages.end());
    media.insert(media.end(), home.begin(), home.end());
    return media;
}

void appendList(std::string& out, const char* title, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    out += std::string(title) + "\n";
    for (const auto& path : paths) out += "  " + path + "\n";
}

}  // namespace

std::vector<LocalFile> listSiteFiles(const Drive& drive) {
    const std::string site = paths::kSiteFolder;
    std::vector<LocalFile> files;
    for (const auto& name : drive.listFolder(site, false)) {
        files.push_back({name, drive.resolve(site + "\\" + name)});
    }
    const bool hasHome = std::any_of(files.begin(), files.end(), [](const LocalFile& f) {
        return lower(f.relative) == kHomePage;
    });
    if (!hasHome) {
        throw Error(
            "The site folder C:\\Tarvomen\\ holds no home page (index.html). Generate the "
            "whole site first (\"Preview Web Site\" in the styles of the home page), then "
            "publish.");
    }
    for (const auto& folder : drive.listFolder(site, true)) {
        if (!sameFileName(folder, kDataFolder)) continue;
        for (const auto& name : drive.listFolder(site + "\\" + folder, false)) {
            files.push_back({std::string(kDataFolder) + "/" + name,
                             drive.resolve(site + "\\" + folder + "\\" + name)});
        }
    }
    return files;
}

PublishTarget PublishTarget::fromPage(const PageRecord& page) {
    PublishTarget target;
    const std::string host = cp1252::toUtf8(page.FtpHost.trimmed());
    target.user = cp1252::toUtf8(page.FtpUserName.trimmed());
    target.password = cp1252::toUtf8(page.FtpPassword.trimmed());
    if (host.empty() || target.user.empty() || target.password.empty()) {
        throw Error("Enter the FTP host, user name and password in the F.T.P. dialog first.");
    }
    target.host = RemoteHost::parse(host);
    return target;
}

std::string formatReport(const PublishReport& report) {
    std::string out;
    const std::string counts = std::to_string(report.uploaded.size()) + " uploaded, " +
                               std::to_string(report.skipped.size()) + " unchanged, " +
                               std::to_string(report.deleted.size()) + " deleted, " +
                               std::to_string(report.failed.size()) + " failed.";
    if (report.dryRun) {
        out += "Dry run for " + report.destination +
               ", nothing was sent: " + std::to_string(report.uploaded.size()) + " to upload, " +
               std::to_string(report.skipped.size()) + " unchanged, " +
               std::to_string(report.deleted.size()) + " to delete.\n";
    } else if (report.succeeded()) {
        out += "Published to " + report.destination + ": " + counts + "\n";
    } else if (report.cancelled) {
        out += "Publishing to " + report.destination + " was cancelled: " + counts + "\n";
    } else {
        out += "Publishing to " + report.destination + " is incomplete: " + counts + "\n";
    }
    if (!report.problem.empty()) out += "\n" + report.problem + "\n";
    for (const auto& note : report.notes) out += "\n" + note + "\n";
    if (!report.uploaded.empty() || !report.deleted.empty() || !report.failed.empty() ||
        !report.skipped.empty()) {
        out += "\n";
    }
    appendList(out, report.dryRun ? "To upload:" : "Uploaded:", report.uploaded);
    appendList(
        out,
        report.dryRun ? "To delete (no longer in the site):" : "Deleted (no longer in the site):",
        report.deleted);
    if (!report.failed.empty()) {
        out += "Failed:\n";
        for (const auto& failure : report.failed) {
            out += "  " + failure.path + ": " + failure.reason + "\n";
        }
    }
    appendList(out, "Unchanged, not sent:", report.skipped);
    return out;
}

SiteUploader::SiteUploader(std::vector<LocalFile> files, std::string destination,
                           fs::path manifestPath, RemoteFactory remote, UploadOptions options)
    : files_(std::move(files)),
      destination_(std::move(destination)),
      manifestPath_(std::move(manifestPath)),
      remote_(std::move(remote)),
      options_(options) {}

PublishReport SiteUploader::run() {
    PublishReport report;
    report.destination = destination_;
    report.dryRun = options_.dryRun;
    PublishProgress progress;
    auto lastReport = std::chrono::steady_clock::now();
    auto tell = [&](bool always) {
        const auto now = std::chrono::steady_clock::now();
        if (!onProgress || (!always && now - lastReport < std::chrono::milliseconds(50))) return;
        lastReport = now;
        onProgress(progress);
    };

    // The state of the server as the last runs left it.
    std::unique_ptr<ManifestJournal> journal;
    ManifestData manifest;
    try {
        if (options_.dryRun) {
            manifest = ManifestData::load(manifestPath_);
        } else {
            journal = std::make_unique<ManifestJournal>(manifestPath_);
            manifest = journal->data();
        }
    } catch (const Error& e) {
        report.problem = e.what();
        return report;
    }

    // What the site holds now.
    std::vector<std::optional<ManifestEntry>> local(files_.size());
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (files_[i].relative.find_first_of("\r\n") != std::string::npos) {
            report.failed.push_back({files_[i].relative, "its name holds a line break."});
            continue;
        }
        if (const auto bytes = readFileBytes(files_[i].hostPath)) {
            local[i] = ManifestEntry{bytes->size(), sha256Hex(*bytes)};
        } else {
            report.failed.push_back({files_[i].relative, "the file cannot be read."});
        }
    }

    std::unique_ptr<RemoteFiles> remote;
    bool caseSensitive = manifest.caseSensitive.value_or(false);
    auto stop = [&](const RemoteError& e) {
        if (e.kind() == RemoteError::Kind::Cancelled) {
            report.cancelled = true;
        } else {
            report.problem = e.what();
            report.identity = e.identity();
        }
    };
    auto pause = [&](int attempt) {
        auto delay = options_.firstDelay * (1 << std::min(attempt - 1, 5));
        delay = std::min<std::chrono::milliseconds>(delay, std::chrono::seconds(30));
        const auto until = std::chrono::steady_clock::now() + delay;
        while (!cancel_ && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    };
    // Runs one remote step with retries. False when the run must stop; the step is then left
    // undone and counted with the rest.
    auto attempt = [&](const std::string& path, const std::function<void()>& step) {
        for (int n = 1;; ++n) {
            if (cancel_) {
                report.cancelled = true;
                return false;
            }
            try {
                step();
                return true;
            } catch (const RemoteError& e) {
                const auto kind = e.kind();
                if (kind == RemoteError::Kind::Cancelled || kind == RemoteError::Kind::Fatal ||
                    (n >= options_.attempts && kind == RemoteError::Kind::Connection)) {
                    stop(e);
                    return false;
                }
                if (n >= options_.attempts) {
                    report.failed.push_back({path, e.what()});
                    return true;
                }
            } catch (const Error& e) {
                report.problem = e.what();
                return false;
            }
            pause(n);
        }
    };

    if (options_.dryRun) {
        if (!manifest.caseSensitive) {
            report.notes.push_back(
                "Whether the server's names are case-sensitive is found out on "
                "the first real publishing; where they are, the pages are also "
                "sent to the folder \"tarvomen\".");
        }
    } else {
        try {
            remote = remote_(cancel_);
        } catch (const Error& e) {
            report.problem = e.what();
        }
        // Logging in and preparing the remote folder, retried like every step; a folder that
        // cannot be made stops the run.
        const bool ready =
            remote && attempt("", [&] {
                try {
                    remote->connect();
                    remote->makeFolder(kRemoteFolder);
                    // A server that finds "tarvomen" in place of "Tarvomen" compares names without
                    // regard to case; one that lists both as different folders does not.
                    const auto names = remote->list("");
                    const bool bothListed =
                        names && std::count(names->begin(), names->end(), kRemoteFolder) &&
                        std::count(names->begin(), names->end(), kMirrorFolder);
                    caseSensitive = bothListed || !remote->list(kMirrorFolder).has_value();
                } catch (const RemoteError& e) {
                    if (e.kind() != RemoteError::Kind::File) throw;
                    throw RemoteError(RemoteError::Kind::Fatal, e.what());
                }
            });
        if (ready) {
            try {
                journal->recordCaseSensitive(caseSensitive);
            } catch (const Error& e) {
                report.problem = e.what();
            }
        } else {
            remote.reset();
        }
    }

    // The plan: what differs from the manifest is sent; what the site no longer has goes.
    std::vector<Target> sends;
    std::set<std::string> wanted, wantedFolded;
    for (const auto& target : targetsOf(files_, caseSensitive)) {
        if (!local[target.file]) continue;
        wanted.insert(target.remote);
        wantedFolded.insert(lower(target.remote));
        const auto known = manifest.files.find(target.remote);
        if (known != manifest.files.end() && known->second == *local[target.file]) {
            report.skipped.push_back(target.remote);
        } else {
            sends.push_back(target);
            progress.bytesTotal += local[target.file]->size;
        }
    }
    std::vector<std::string> stale, forgotten;
    for (const auto& [path, entry] : manifest.files) {
        if (wanted.count(path)) continue;
        // Where names ignore case, an old "0.gif" is the new "0.GIF": replaced, not deleted.
        (!caseSensitive && wantedFolded.count(lower(path)) ? forgotten : stale).push_back(path);
    }
    progress.filesTotal = sends.size() + stale.size();

    if (options_.dryRun) {
        for (const auto& target : sends) report.uploaded.push_back(target.remote);
        report.deleted = stale;
        return report;
    }

    std::size_t next = 0;
    bool going = remote && report.problem.empty() && !report.cancelled;
    while (going && next < sends.size()) {
        const Target& target = sends[next];
        progress.currentFile = target.remote;
        tell(true);
        const std::uint64_t before = progress.bytesDone;
        going = attempt(target.remote, [&] {
            const auto bytes = readFileBytes(files_[target.file].hostPath);
            if (!bytes) throw RemoteError(RemoteError::Kind::File, "the file cannot be read.");
            remote->upload(target.remote, *bytes, [&](std::uint64_t sent) {
                progress.bytesDone = before + sent;
                tell(false);
            });
            journal->recordUpload(target.remote, {bytes->size(), sha256Hex(*bytes)});
            report.uploaded.push_back(target.remote);
        });
        if (!going) break;
        progress.bytesDone = before + local[target.file]->size;
        ++progress.filesDone;
        ++next;
    }
    std::size_t nextStale = 0;
    while (going && nextStale < stale.size()) {
        const std::string& path = stale[nextStale];
        progress.currentFile = path;
        tell(true);
        going = attempt(path, [&] {
            remote->remove(path);
            journal->recordDeletion(path);
            report.deleted.push_back(path);
        });
        if (!going) break;
        ++progress.filesDone;
        ++nextStale;
    }

    // What the stop left undone.
    const std::string why = report.cancelled ? "not sent: publishing was cancelled."
                                             : "not sent: publishing stopped (see above).";
    for (; next < sends.size(); ++next) report.failed.push_back({sends[next].remote, why});
    for (; nextStale < stale.size(); ++nextStale) {
        report.failed.push_back(
            {stale[nextStale], report.cancelled ? "not deleted: publishing was cancelled."
                                                : "not deleted: publishing stopped (see above)."});
    }
    try {
        for (const auto& path : forgotten) journal->recordDeletion(path);
        journal->compact();
    } catch (const Error&) {
        // The journal already holds every confirmed change; compacting can wait for next time.
    }
    progress.currentFile.clear();
    tell(true);
    return report;
}

std::unique_ptr<SiteUploader> makeSiteUploader(const Drive& drive, const PublishTarget& target,
                                               bool allowPlainFtp, UploadOptions options) {
    auto files = listSiteFiles(drive);
    const PublishStore store = PublishStore::forDrive(drive);
    const HostSettings settings = store.settings(target.host.settingsKey());
    ConnectionOptions connection;
    connection.allowPlainFtp = allowPlainFtp || settings.allowPlainFtp;
    connection.publicKeyPin = settings.publicKeyPin;
    auto factory = [target, connection](const std::atomic<bool>& cancel) {
        return std::make_unique<CurlRemoteFiles>(target.host, target.user, target.password,
                                                 connection, cancel);
    };
    return std::make_unique<SiteUploader>(std::move(files), target.host.display(),
                                          store.manifestPath(target.host.manifestKey(target.user)),
                                          factory, options);
}

}  // namespace tarvomen::publish
