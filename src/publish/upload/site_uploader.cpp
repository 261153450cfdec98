#include "publish/upload/site_uploader.hpp"

#include <algorithm>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "platform/file_bytes.hpp"
#include "publish/upload/curl_remote_files.hpp"
#include "publish/upload/publish_store.hpp"
#include "publish/upload/sha256.hpp"
#include "publish/upload/upload_plan.hpp"
#include "store/site_paths.hpp"

namespace fs = std::filesystem;

namespace tarvomen::publish {
namespace {

constexpr const char* kDataFolder = "Data";
constexpr const char* kHomePage = "index.html";

std::string lower(std::string s) {
    return foldCase(std::move(s));
}

std::pair<std::string, std::string> splitLast(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash), path.substr(slash + 1)};
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

std::string formatReport(const PublishReport& report, bool french) {
    auto t = [french](const char* english, const char* inFrench) {
        return std::string(french ? inFrench : english);
    };
    auto n = [](std::size_t count) { return std::to_string(count); };
    std::string out;
    std::string counts = n(report.uploaded.size()) + t(" uploaded, ", " envoyés, ") +
                         n(report.skipped.size()) + t(" unchanged, ", " inchangés, ") +
                         n(report.deleted.size()) + t(" deleted, ", " supprimés, ");
    if (!report.notTried.empty())
        counts += n(report.notTried.size()) + t(" not tried, ", " non tentés, ");
    counts += n(report.failed.size()) + t(" failed.", " en échec.");
    if (report.dryRun) {
        out += t("Dry run for ", "Essai pour ") + report.destination +
               t(", nothing was sent: ", ", rien n'a été envoyé : ") + n(report.uploaded.size()) +
               t(" to upload, ", " à envoyer, ") + n(report.skipped.size()) +
               t(" unchanged, ", " inchangés, ") + n(report.deleted.size()) +
               t(" to delete.\n", " à supprimer.\n");
    } else if (report.succeeded()) {
        out +=
            t("Published to ", "Publié sur ") + report.destination + t(": ", " : ") + counts + "\n";
    } else if (report.cancelled) {
        out += t("Publishing to ", "La publication sur ") + report.destination +
               t(" was cancelled: ", " a été annulée : ") + counts + "\n";
    } else {
        out += t("Publishing to ", "La publication sur ") + report.destination +
               t(" is incomplete: ", " est incomplète : ") + counts + "\n";
    }
    if (!report.problem.empty()) out += "\n" + report.problem + "\n";
    for (const auto& note : report.notes) out += "\n" + note + "\n";
    if (!report.uploaded.empty() || !report.deleted.empty() || !report.failed.empty() ||
        !report.notTried.empty() || !report.skipped.empty()) {
        out += "\n";
    }
    appendList(
        out, (report.dryRun ? t("To upload:", "À envoyer :") : t("Uploaded:", "Envoyés :")).c_str(),
        report.uploaded);
    appendList(out,
               (report.dryRun
                    ? t("To delete (no longer in the site):", "À supprimer (plus dans le site) :")
                    : t("Deleted (no longer in the site):", "Supprimés (plus dans le site) :"))
                   .c_str(),
               report.deleted);
    if (!report.failed.empty()) {
        out += t("Failed:\n", "En échec :\n");
        for (const auto& failure : report.failed) {
            out += "  " + failure.path + ": " + failure.reason + "\n";
        }
    }
    appendList(out,
               t("Not tried (publishing stopped first):",
                 "Non tentés (la publication s'est arrêtée "
                 "avant) :")
                   .c_str(),
               report.notTried);
    appendList(out, t("Unchanged, not sent:", "Inchangés, non envoyés :").c_str(), report.skipped);
    return out;
}

SiteUploader::SiteUploader(std::vector<LocalFile> files, std::string destination,
                           fs::path manifestPath, RemoteFactory remote, UploadOptions options)
    : files_(std::move(files)),
      destination_(std::move(destination)),
      manifestPath_(std::move(manifestPath)),
      remote_(std::move(remote)),
      options_(options) {}

namespace {

// One step of a run on one of its connections, named by the remote path it concerns.
struct Step {
    std::string path;
    std::function<void(RemoteFiles& remote, std::size_t slot)> action;
};

}  // namespace

PublishReport SiteUploader::run() {
    PublishReport report;
    report.destination = destination_;
    report.dryRun = options_.dryRun;

    // Everything the run's threads share is guarded by `mutex`.
    std::mutex mutex;
    PublishProgress progress;
    std::vector<std::uint64_t> inFlight(std::max(1, options_.connections), 0);
    std::uint64_t bytesFinished = 0;
    auto lastReport = std::chrono::steady_clock::now();
    auto tell = [&](bool always) {  // with `mutex` held
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
    bool hasMedia = false;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (files_[i].relative.find_first_of("\r\n") != std::string::npos) {
            report.failed.push_back({files_[i].relative, "its name holds a line break."});
            continue;
        }
        if (const auto bytes = readFileBytes(files_[i].hostPath)) {
            local[i] = ManifestEntry{bytes->size(), sha256Hex(*bytes)};
            hasMedia = hasMedia || files_[i].relative.find('/') != std::string::npos;
        } else {
            report.failed.push_back({files_[i].relative, "the file cannot be read."});
        }
    }
    bool caseSensitive = manifest.caseSensitive.value_or(false);

    if (options_.dryRun) {
        if (!manifest.caseSensitive) {
            report.notes.push_back(
                "Whether the server's names are case-sensitive is found out on "
                "the first real publishing; where they are, the pages are also "
                "sent to the folder \"tarvomen\".");
        }
        const UploadPlan plan = planUpload(files_, local, manifest, nullptr, caseSensitive);
        for (const auto& group : plan.sends) {
            for (const auto& target : group) report.uploaded.push_back(target.remote);
        }
        report.skipped = plan.skipped;
        report.deleted = plan.deletions;
        return report;
    }

    std::atomic<bool> stopped{false};
    auto stop = [&](const RemoteError& e) {  // with `mutex` held
        if (stopped.exchange(true)) return;
        if (e.kind() == RemoteError::Kind::Cancelled) {
            report.cancelled = true;
        } else {
            report.problem = e.what();
            report.problemKind = e.kind();
            report.identity = e.identity();
        }
    };
    auto pause = [&](int attempt) {
        auto delay = options_.firstDelay * (1 << std::min(attempt - 1, 5));
        delay = std::min<std::chrono::milliseconds>(delay, std::chrono::seconds(30));
        const auto until = std::chrono::steady_clock::now() + delay;
        while (!cancel_ && !stopped && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    };
    // Runs one remote step, again after a failure that may pass. True when it is done or
    // counts as failed; false when the run stops, leaving it undone.
    auto attempt = [&](const std::string& path, const std::function<void()>& step) {
        for (int n = 1;; ++n) {
            if (cancel_) {
                const std::lock_guard lock(mutex);
                stop(RemoteError(RemoteError::Kind::Cancelled, "Cancelled."));
                return false;
            }
            if (stopped) return false;
            try {
                step();
                return true;
            } catch (const RemoteError& e) {
                const std::lock_guard lock(mutex);
                switch (e.kind()) {
                    case RemoteError::Kind::Full:
                        // Every further file would meet the same refusal.
                        report.failed.push_back({path, e.what()});
                        stop(RemoteError(RemoteError::Kind::Fatal,
                                         "The server has no room left for " + path +
                                             "; nothing more was sent."));
                        return true;
                    case RemoteError::Kind::Connection:
                    case RemoteError::Kind::File:
                        if (n < options_.attempts) break;
                        if (e.kind() == RemoteError::Kind::File) {
                            report.failed.push_back({path, e.what()});
                            return true;
                        }
                        stop(e);
                        return false;
                    default:  // refused, timed out or cancelled: trying again changes nothing
                        stop(e);
                        return false;
                }
            } catch (const Error& e) {
                const std::lock_guard lock(mutex);
                stop(RemoteError(RemoteError::Kind::Fatal, e.what()));
                return false;
            }
            pause(n);
        }
    };

    // The connections. On a server of an earlier run (the manifest knows how it compares
    // names) all that the run needs log in at once. On a new one the first logs in alone, so
    // that a refused login or an untrusted server shows once, and the others follow.
    std::vector<std::unique_ptr<RemoteFiles>> slots(inFlight.size());
    std::vector<std::thread> warming(slots.size());
    auto open = [&](std::size_t slot) {
        try {
            auto remote = remote_(cancel_);
            remote->connect();
            slots[slot] = std::move(remote);
        } catch (const Error&) {
            // The server may allow fewer connections; the others carry on.
        }
    };
    auto joinWarming = [&] {
        for (auto& thread : warming) {
            if (thread.joinable()) thread.join();
        }
    };
    // The folders listed at once where the server is known; one connection each.
    std::vector<std::string> folders = {kRemoteFolder, kRemoteDataFolder};
    if (caseSensitive) folders.push_back(kMirrorFolder);
    const bool knownServer = manifest.caseSensitive.has_value();
    std::size_t changed = 0;
    for (const auto& group : planUpload(files_, local, manifest, nullptr, caseSensitive).sends)
        changed += group.size();
    const std::size_t wanted = std::max(changed, knownServer ? folders.size() : std::size_t{1});
    auto warm = [&] {
        for (std::size_t slot = 1; slot < slots.size() && slot < wanted; ++slot) {
            if (!warming[slot].joinable()) warming[slot] = std::thread(open, slot);
        }
    };
    try {
        slots[0] = remote_(cancel_);
    } catch (const Error& e) {
        report.problem = e.what();
        return report;
    }
    if (knownServer) warm();
    if (attempt("", [&] { slots[0]->connect(); })) warm();

    // Runs steps over the connections, each taking the next step when it is free; `counted`
    // steps are files of the progress. Returns which steps were done.
    auto runSteps = [&](const std::vector<Step>& steps, bool counted) {
        std::vector<char> done(steps.size(), 0);
        std::atomic<std::size_t> next{0};
        auto work = [&](std::size_t slot) {
            if (warming[slot].joinable()) warming[slot].join();
            if (!slots[slot]) open(slot);
            if (!slots[slot]) return;
            for (;;) {
                if (cancel_ && next < steps.size()) {
                    const std::lock_guard lock(mutex);
                    stop(RemoteError(RemoteError::Kind::Cancelled, "Cancelled."));
                }
                if (stopped) return;
                const std::size_t i = next++;
                if (i >= steps.size()) return;
                if (counted) {
                    const std::lock_guard lock(mutex);
                    ++progress.filesStarted;
                    progress.currentFile = steps[i].path;
                    tell(true);
                }
                if (!attempt(steps[i].path, [&] { steps[i].action(*slots[slot], slot); })) return;
                done[i] = 1;
            }
        };
        std::vector<std::thread> helpers;
        for (std::size_t slot = 1; slot < slots.size() && slot < steps.size(); ++slot) {
            helpers.emplace_back(work, slot);
        }
        if (!steps.empty()) work(0);
        for (auto& helper : helpers) helper.join();
        return done;
    };

    auto listed = [](const std::vector<RemoteEntry>& entries, const std::string& name, bool exact) {
        return std::any_of(entries.begin(), entries.end(), [&](const RemoteEntry& e) {
            return e.folder && (exact ? e.name == name : lower(e.name) == lower(name));
        });
    };
    RemoteListings listings;
    // A known server: its folders listed at once. A listing that is not empty shows that the
    // folder exists (some servers list a missing folder as an empty one); where one is empty or
    // a folder is missing, the folders are found out one by one below.
    bool listedAtOnce = false;
    if (knownServer && !stopped) {
        RemoteListings got;
        std::vector<Step> steps;
        for (const auto& folder : folders) {
            steps.push_back({folder, [&, folder](RemoteFiles& remote, std::size_t) {
                                 auto entries = remote.list(folder);
                                 const std::lock_guard lock(mutex);
                                 got[folder] = std::move(entries);
                             }});
        }
        const auto done = runSteps(steps, false);
        const bool all = std::all_of(done.begin(), done.end(), [](char d) { return d; });
        auto exists = [&](const char* folder) { return got[folder] && !got[folder]->empty(); };
        if (all && exists(kRemoteFolder) && (!caseSensitive || exists(kMirrorFolder))) {
            const bool dataListed = listed(*got[kRemoteFolder], kDataFolder, caseSensitive);
            if (dataListed || !hasMedia) {
                if (!dataListed || !got[kRemoteDataFolder]) got[kRemoteDataFolder].emplace();
                listings = std::move(got);
                listedAtOnce = true;
            }
        }
    }

    // Otherwise the site's folders on the server: listed once each, made where missing.
    const bool ready =
        !stopped &&
        (listedAtOnce || attempt("", [&] {
             RemoteFiles& remote = *slots[0];
             try {
                 listings.clear();
                 // Whether a folder exists shows in its parent's listing: some servers list a
                 // missing folder as an empty one.
                 auto root = remote.list("");
                 if (!root || root->empty()) {
                     remote.makeFolder("");
                     root.emplace();
                 }
                 // Makes a folder the parent's listing lacks; false when the server refused because
                 // it exists under another case.
                 auto make = [&](const std::string& folder) {
                     if (remote.makeFolder(folder)) return true;
                     const auto [parent, name] = splitLast(folder);
                     const auto again = remote.list(parent);
                     if (again && listed(*again, name, false)) return false;
                     throw RemoteError(
                         RemoteError::Kind::Fatal,
                         "The folder " + folder + " could not be created on " + destination_ + ".");
                 };
                 const bool siteListed = listed(*root, kRemoteFolder, false);
                 if (!siteListed) make(kRemoteFolder);
                 bool mirrorListed = listed(*root, kMirrorFolder, true);
                 if (!manifest.caseSensitive) {
                     // A server that lists both spellings, or makes "tarvomen" beside "Tarvomen",
                     // tells the names apart; one that refuses it does not.
                     caseSensitive = (siteListed && mirrorListed) || make(kMirrorFolder);
                     mirrorListed = caseSensitive;
                 } else if (caseSensitive && !mirrorListed) {
                     make(kMirrorFolder);
                     mirrorListed = true;
                 }
                 auto site = siteListed ? remote.list(kRemoteFolder) : std::nullopt;
                 if (!site) site.emplace();
                 const bool dataListed = listed(*site, kDataFolder, caseSensitive);
                 listings[kRemoteFolder] = std::move(site);
                 auto data = dataListed ? remote.list(kRemoteDataFolder) : std::nullopt;
                 if (!dataListed && hasMedia) make(kRemoteDataFolder);
                 if (!data) data.emplace();
                 listings[kRemoteDataFolder] = std::move(data);
                 if (caseSensitive) {
                     auto pages = mirrorListed ? remote.list(kMirrorFolder) : std::nullopt;
                     if (!pages) pages.emplace();
                     listings[kMirrorFolder] = std::move(pages);
                 }
             } catch (const RemoteError& e) {
                 if (e.kind() != RemoteError::Kind::File) throw;
                 throw RemoteError(RemoteError::Kind::Fatal, e.what());
             }
         }));
    if (ready) {
        try {
            journal->recordCaseSensitive(caseSensitive);
        } catch (const Error& e) {
            report.problem = e.what();
            stopped = true;
        }
    }

    // The plan: what the server lacks or holds otherwise is sent; what the site no longer has
    // goes.
    const UploadPlan plan =
        planUpload(files_, local, manifest, ready ? &listings : nullptr, caseSensitive);
    report.skipped = plan.skipped;
    progress.filesTotal = plan.sendCount() + plan.deletions.size();
    progress.bytesTotal = plan.bytes;

    auto sendStep = [&](const Target& target) {
        return Step{target.remote, [&, target](RemoteFiles& remote, std::size_t slot) {
                        const auto bytes = readFileBytes(files_[target.file].hostPath);
                        if (!bytes) {
                            throw RemoteError(RemoteError::Kind::File, "the file cannot be read.");
                        }
                        if (!target.replaces) {
                            // Under its own name, a part of it may stay after a fault: the
                            // manifest must not vouch for it until it has all arrived.
                            const std::lock_guard lock(mutex);
                            if (journal->data().files.count(target.remote))
                                journal->recordDeletion(target.remote);
                        }
                        remote.upload(
                            target.remote, *bytes,
                            [&](std::uint64_t sent) {
                                const std::lock_guard lock(mutex);
                                inFlight[slot] = sent;
                                progress.bytesDone = bytesFinished;
                                for (const auto n : inFlight) progress.bytesDone += n;
                                tell(false);
                            },
                            target.replaces);
                        const std::lock_guard lock(mutex);
                        journal->recordUpload(target.remote, {bytes->size(), sha256Hex(*bytes)});
                        report.uploaded.push_back(target.remote);
                        inFlight[slot] = 0;
                        bytesFinished += bytes->size();
                        progress.bytesDone = bytesFinished;
                        for (const auto n : inFlight) progress.bytesDone += n;
                        ++progress.filesDone;
                        tell(true);
                    }};
    };
    for (const auto& group : plan.sends) {
        std::vector<Step> steps;
        for (const auto& target : group) steps.push_back(sendStep(target));
        const auto done =
            (ready && !stopped) ? runSteps(steps, true) : std::vector<char>(steps.size());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (!done[i]) report.notTried.push_back(steps[i].path);
        }
    }
    std::vector<Step> deletions;
    for (const auto& path : plan.deletions) {
        deletions.push_back({path, [&, path](RemoteFiles& remote, std::size_t) {
                                 remote.remove(path);
                                 const std::lock_guard lock(mutex);
                                 if (journal->data().files.count(path))
                                     journal->recordDeletion(path);
                                 report.deleted.push_back(path);
                                 ++progress.filesDone;
                                 tell(true);
                             }});
    }
    const auto deleted =
        (ready && !stopped) ? runSteps(deletions, true) : std::vector<char>(deletions.size());
    for (std::size_t i = 0; i < deletions.size(); ++i) {
        if (!deleted[i]) report.notTried.push_back(deletions[i].path);
    }
    joinWarming();
    try {
        if (ready) {
            for (const auto& path : plan.forgotten) journal->recordDeletion(path);
        }
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
    connection.offersNoTls = settings.offersNoTls;
    connection.foundPlain = [store, key = target.host.settingsKey(),
                             once = std::make_shared<std::once_flag>()] {
        std::call_once(*once, [&] {
            try {
                HostSettings next = store.settings(key);
                next.offersNoTls = true;
                store.saveSettings(key, next);
            } catch (const Error&) {
                // Asked again next time.
            }
        });
    };
    connection.publicKeyPin = settings.publicKeyPin;
    connection.sshKeyFile = settings.sshKeyFile;
    connection.acceptedFingerprint = settings.certificateSha256;
    connection.connectTimeout = options.connectTimeout;
    connection.stallTimeout = options.stallTimeout;
    auto share = std::make_shared<CurlShare>();
    auto factory = [target, connection, share](const std::atomic<bool>& cancel) {
        return std::make_unique<CurlRemoteFiles>(target.host, target.user, target.password,
                                                 connection, cancel, share);
    };
    return std::make_unique<SiteUploader>(std::move(files), target.host.display(),
                                          store.manifestPath(target.host.manifestKey(target.user)),
                                          factory, options);
}

}  // namespace tarvomen::publish
