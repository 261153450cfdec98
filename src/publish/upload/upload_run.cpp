#include "publish/upload/upload_run.hpp"

#include <algorithm>

#include "platform/error.hpp"
#include "platform/file_bytes.hpp"
#include "publish/upload/sha256.hpp"

namespace tarvomen::publish {
namespace {

constexpr const char* kDataFolder = "Data";

// Whether a listing shows the folder `name`: by its exact name, or ignoring case.
bool listed(const std::vector<RemoteEntry>& entries, const std::string& name, bool exact) {
    return std::any_of(entries.begin(), entries.end(), [&](const RemoteEntry& e) {
        return e.folder && (exact ? e.name == name : foldCase(e.name) == foldCase(name));
    });
}

}  // namespace

UploadRun::UploadRun(const std::vector<LocalFile>& files, const std::string& destination,
                     const std::filesystem::path& manifestPath,
                     const SiteUploader::RemoteFactory& remote, const UploadOptions& options,
                     const std::atomic<bool>& cancel,
                     const std::function<void(const PublishProgress&)>& onProgress)
    : files_(files),
      manifestPath_(manifestPath),
      remote_(remote),
      options_(options),
      cancel_(cancel),
      onProgress_(onProgress),
      inFlight_(std::max(1, options.connections), 0),
      local_(files.size()),
      slots_(inFlight_.size()),
      warming_(inFlight_.size()) {
    report_.destination = destination;
    report_.dryRun = options.dryRun;
}

UploadRun::~UploadRun() {
    for (auto& thread : warming_) {
        if (thread.joinable()) thread.join();
    }
}

PublishReport UploadRun::execute() {
    if (!readManifest()) return std::move(report_);
    hashLocalFiles();
    if (options_.dryRun) return dryRun();

    // The connections the run needs: one per file to send, or per folder to list at once.
    const bool knownServer = manifest_.caseSensitive.has_value();
    std::size_t changed = 0;
    for (const auto& group : planUpload(files_, local_, manifest_, nullptr, caseSensitive_).sends)
        changed += group.size();
    const std::size_t folders = caseSensitive_ ? 3 : 2;
    if (!openFirstConnection(std::max(changed, knownServer ? folders : std::size_t{1}))) {
        return std::move(report_);
    }
    if (knownServer) listKnownServer();
    ready_ = !stopped_ && (listed_ || listAndMakeFolders());
    if (ready_) {
        try {
            journal_->recordCaseSensitive(caseSensitive_);
        } catch (const Error& e) {
            report_.problem = e.what();
            stopped_ = true;
        }
    }

    // The plan: what the server lacks or holds otherwise is sent; what the site no longer has
    // goes.
    const UploadPlan plan =
        planUpload(files_, local_, manifest_, ready_ ? &listings_ : nullptr, caseSensitive_);
    report_.skipped = plan.skipped;
    progress_.filesTotal = plan.sendCount() + plan.deletions.size();
    progress_.bytesTotal = plan.bytes;
    send(plan);
    deleteObsolete(plan);
    finish(plan);
    return std::move(report_);
}

// The state of the server as the last runs left it.
bool UploadRun::readManifest() {
    try {
        if (options_.dryRun) {
            manifest_ = ManifestData::load(manifestPath_);
        } else {
            journal_ = std::make_unique<ManifestJournal>(manifestPath_);
            manifest_ = journal_->data();
        }
    } catch (const Error& e) {
        report_.problem = e.what();
        return false;
    }
    caseSensitive_ = manifest_.caseSensitive.value_or(false);
    return true;
}

// What the site holds now.
void UploadRun::hashLocalFiles() {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (files_[i].relative.find_first_of("\r\n") != std::string::npos) {
            report_.failed.push_back({files_[i].relative, "its name holds a line break."});
            continue;
        }
        if (const auto bytes = readFileBytes(files_[i].hostPath)) {
            local_[i] = ManifestEntry{bytes->size(), sha256Hex(*bytes)};
            hasMedia_ = hasMedia_ || files_[i].relative.find('/') != std::string::npos;
        } else {
            report_.failed.push_back({files_[i].relative, "the file cannot be read."});
        }
    }
}

PublishReport UploadRun::dryRun() {
    if (!manifest_.caseSensitive) {
        report_.notes.push_back(
            "Whether the server's names are case-sensitive is found out on "
            "the first real publishing; where they are, the pages are also "
            "sent to the folder \"tarvomen\".");
    }
    const UploadPlan plan = planUpload(files_, local_, manifest_, nullptr, caseSensitive_);
    for (const auto& group : plan.sends) {
        for (const auto& target : group) report_.uploaded.push_back(target.remote);
    }
    report_.skipped = plan.skipped;
    report_.deleted = plan.deletions;
    return std::move(report_);
}

void UploadRun::tell(bool always) {
    const auto now = std::chrono::steady_clock::now();
    if (!onProgress_ || (!always && now - lastReport_ < std::chrono::milliseconds(50))) return;
    lastReport_ = now;
    onProgress_(progress_);
}

void UploadRun::stop(const RemoteError& e) {
    if (stopped_.exchange(true)) return;
    if (e.kind() == RemoteError::Kind::Cancelled) {
        report_.cancelled = true;
    } else {
        report_.problem = e.what();
        report_.problemKind = e.kind();
        report_.identity = e.identity();
    }
}

void UploadRun::pause(int attempt) {
    auto delay = options_.firstDelay * (1 << std::min(attempt - 1, 5));
    delay = std::min<std::chrono::milliseconds>(delay, std::chrono::seconds(30));
    const auto until = std::chrono::steady_clock::now() + delay;
    while (!cancel_ && !stopped_ && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Runs one remote step, again after a failure that may pass. True when it is done or counts as
// failed; false when the run stops, leaving it undone.
bool UploadRun::attempt(const std::string& path, const std::function<void()>& step) {
    for (int n = 1;; ++n) {
        if (cancel_) {
            const std::lock_guard lock(mutex_);
            stop(RemoteError(RemoteError::Kind::Cancelled, "Cancelled."));
            return false;
        }
        if (stopped_) return false;
        try {
            step();
            return true;
        } catch (const RemoteError& e) {
            const std::lock_guard lock(mutex_);
            switch (e.kind()) {
                case RemoteError::Kind::Full:
                    // Every further file would meet the same refusal.
                    report_.failed.push_back({path, e.what()});
                    stop(RemoteError(
                        RemoteError::Kind::Fatal,
                        "The server has no room left for " + path + "; nothing more was sent."));
                    return true;
                case RemoteError::Kind::Connection:
                case RemoteError::Kind::File:
                    if (n < options_.attempts) break;
                    if (e.kind() == RemoteError::Kind::File) {
                        report_.failed.push_back({path, e.what()});
                        return true;
                    }
                    stop(e);
                    return false;
                default:  // refused, timed out or cancelled: trying again changes nothing
                    stop(e);
                    return false;
            }
        } catch (const Error& e) {
            const std::lock_guard lock(mutex_);
            stop(RemoteError(RemoteError::Kind::Fatal, e.what()));
            return false;
        }
        pause(n);
    }
}

void UploadRun::open(std::size_t slot) {
    try {
        auto remote = remote_(cancel_);
        remote->connect();
        slots_[slot] = std::move(remote);
    } catch (const Error&) {
        // The server may allow fewer connections; the others carry on.
    }
}

void UploadRun::warm() {
    for (std::size_t slot = 1; slot < slots_.size() && slot < wanted_; ++slot) {
        if (!warming_[slot].joinable()) warming_[slot] = std::thread([this, slot] { open(slot); });
    }
}

// The connections. On a server of an earlier run (the manifest knows how it compares names) all
// that the run needs log in at once. On a new one the first logs in alone, so that a refused
// login or an untrusted server shows once, and the others follow.
bool UploadRun::openFirstConnection(std::size_t wanted) {
    wanted_ = wanted;
    try {
        slots_[0] = remote_(cancel_);
    } catch (const Error& e) {
        report_.problem = e.what();
        return false;
    }
    const bool knownServer = manifest_.caseSensitive.has_value();
    if (knownServer) warm();
    if (attempt("", [&] { slots_[0]->connect(); })) warm();
    return true;
}

// Runs steps over the connections, each taking the next step when it is free; `counted` steps
// are files of the progress. Returns which steps were done.
std::vector<char> UploadRun::runSteps(const std::vector<Step>& steps, bool counted) {
    std::vector<char> done(steps.size(), 0);
    std::atomic<std::size_t> next{0};
    auto work = [&](std::size_t slot) {
        if (warming_[slot].joinable()) warming_[slot].join();
        if (!slots_[slot]) open(slot);
        if (!slots_[slot]) return;
        for (;;) {
            if (cancel_ && next < steps.size()) {
                const std::lock_guard lock(mutex_);
                stop(RemoteError(RemoteError::Kind::Cancelled, "Cancelled."));
            }
            if (stopped_) return;
            const std::size_t i = next++;
            if (i >= steps.size()) return;
            if (counted) {
                const std::lock_guard lock(mutex_);
                ++progress_.filesStarted;
                progress_.currentFile = steps[i].path;
                tell(true);
            }
            if (!attempt(steps[i].path, [&] { steps[i].action(*slots_[slot], slot); })) return;
            done[i] = 1;
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t slot = 1; slot < slots_.size() && slot < steps.size(); ++slot) {
        helpers.emplace_back(work, slot);
    }
    if (!steps.empty()) work(0);
    for (auto& helper : helpers) helper.join();
    return done;
}

// A known server: its folders listed at once, one connection each. A listing that is not empty
// shows that the folder exists (some servers list a missing folder as an empty one); where one
// is empty or a folder is missing, listAndMakeFolders finds them out one by one.
void UploadRun::listKnownServer() {
    if (stopped_) return;
    std::vector<std::string> folders = {kRemoteFolder, kRemoteDataFolder};
    if (caseSensitive_) folders.push_back(kMirrorFolder);
    RemoteListings got;
    std::vector<Step> steps;
    for (const auto& folder : folders) {
        steps.push_back({folder, [&, folder](RemoteFiles& remote, std::size_t) {
                             auto entries = remote.list(folder);
                             const std::lock_guard lock(mutex_);
                             got[folder] = std::move(entries);
                         }});
    }
    const auto done = runSteps(steps, false);
    const bool all = std::all_of(done.begin(), done.end(), [](char d) { return d; });
    auto exists = [&](const char* folder) { return got[folder] && !got[folder]->empty(); };
    if (!all || !exists(kRemoteFolder) || (caseSensitive_ && !exists(kMirrorFolder))) return;
    const bool dataListed = listed(*got[kRemoteFolder], kDataFolder, caseSensitive_);
    if (!dataListed && hasMedia_) return;
    if (!dataListed || !got[kRemoteDataFolder]) got[kRemoteDataFolder].emplace();
    listings_ = std::move(got);
    listed_ = true;
}

// The site's folders on the server: listed once each, made where missing. Whether a folder
// exists shows in its parent's listing: some servers list a missing folder as an empty one.
bool UploadRun::listAndMakeFolders() {
    return attempt("", [&] {
        RemoteFiles& remote = *slots_[0];
        try {
            listings_.clear();
            auto root = remote.list("");
            if (!root || root->empty()) {
                remote.makeFolder("");
                root.emplace();
            }
            // Makes a folder the parent's listing lacks; false when the server refused because
            // it exists under another case.
            auto make = [&](const std::string& folder) {
                if (remote.makeFolder(folder)) return true;
                const auto [parent, name] = splitFolderAndName(folder);
                const auto again = remote.list(parent);
                if (again && listed(*again, name, false)) return false;
                throw RemoteError(RemoteError::Kind::Fatal, "The folder " + folder +
                                                                " could not be created on " +
                                                                report_.destination + ".");
            };
            const bool siteListed = listed(*root, kRemoteFolder, false);
            if (!siteListed) make(kRemoteFolder);
            bool mirrorListed = listed(*root, kMirrorFolder, true);
            if (!manifest_.caseSensitive) {
                // A server that lists both spellings, or makes "tarvomen" beside "Tarvomen",
                // tells the names apart; one that refuses it does not.
                caseSensitive_ = (siteListed && mirrorListed) || make(kMirrorFolder);
                mirrorListed = caseSensitive_;
            } else if (caseSensitive_ && !mirrorListed) {
                make(kMirrorFolder);
                mirrorListed = true;
            }
            auto site = siteListed ? remote.list(kRemoteFolder) : std::nullopt;
            if (!site) site.emplace();
            const bool dataListed = listed(*site, kDataFolder, caseSensitive_);
            listings_[kRemoteFolder] = std::move(site);
            auto data = dataListed ? remote.list(kRemoteDataFolder) : std::nullopt;
            if (!dataListed && hasMedia_) make(kRemoteDataFolder);
            if (!data) data.emplace();
            listings_[kRemoteDataFolder] = std::move(data);
            if (caseSensitive_) {
                auto pages = mirrorListed ? remote.list(kMirrorFolder) : std::nullopt;
                if (!pages) pages.emplace();
                listings_[kMirrorFolder] = std::move(pages);
            }
        } catch (const RemoteError& e) {
            if (e.kind() != RemoteError::Kind::File) throw;
            throw RemoteError(RemoteError::Kind::Fatal, e.what());
        }
    });
}

UploadRun::Step UploadRun::sendStep(const Target& target) {
    return Step{target.remote, [this, target](RemoteFiles& remote, std::size_t slot) {
                    const auto bytes = readFileBytes(files_[target.file].hostPath);
                    if (!bytes) {
                        throw RemoteError(RemoteError::Kind::File, "the file cannot be read.");
                    }
                    if (!target.replaces) {
                        // Under its own name, a part of it may stay after a fault: the manifest
                        // must not vouch for it until it has all arrived.
                        const std::lock_guard lock(mutex_);
                        if (journal_->data().files.count(target.remote))
                            journal_->recordDeletion(target.remote);
                    }
                    auto countBytes = [&] {  // with `mutex_` held
                        progress_.bytesDone = bytesFinished_;
                        for (const auto n : inFlight_) progress_.bytesDone += n;
                    };
                    remote.upload(
                        target.remote, *bytes,
                        [&](std::uint64_t sent) {
                            const std::lock_guard lock(mutex_);
                            inFlight_[slot] = sent;
                            countBytes();
                            tell(false);
                        },
                        target.replaces);
                    const std::lock_guard lock(mutex_);
                    journal_->recordUpload(target.remote, {bytes->size(), sha256Hex(*bytes)});
                    report_.uploaded.push_back(target.remote);
                    inFlight_[slot] = 0;
                    bytesFinished_ += bytes->size();
                    countBytes();
                    ++progress_.filesDone;
                    tell(true);
                }};
}

// The groups of the plan, each once the one before is on the server.
void UploadRun::send(const UploadPlan& plan) {
    for (const auto& group : plan.sends) {
        std::vector<Step> steps;
        for (const auto& target : group) steps.push_back(sendStep(target));
        const auto done =
            (ready_ && !stopped_) ? runSteps(steps, true) : std::vector<char>(steps.size());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (!done[i]) report_.notTried.push_back(steps[i].path);
        }
    }
}

UploadRun::Step UploadRun::deleteStep(const std::string& path) {
    return {path, [this, path](RemoteFiles& remote, std::size_t) {
                remote.remove(path);
                const std::lock_guard lock(mutex_);
                if (journal_->data().files.count(path)) journal_->recordDeletion(path);
                report_.deleted.push_back(path);
                ++progress_.filesDone;
                tell(true);
            }};
}

void UploadRun::deleteObsolete(const UploadPlan& plan) {
    std::vector<Step> deletions;
    for (const auto& path : plan.deletions) deletions.push_back(deleteStep(path));
    const auto deleted =
        (ready_ && !stopped_) ? runSteps(deletions, true) : std::vector<char>(deletions.size());
    for (std::size_t i = 0; i < deletions.size(); ++i) {
        if (!deleted[i]) report_.notTried.push_back(deletions[i].path);
    }
}

void UploadRun::finish(const UploadPlan& plan) {
    for (auto& thread : warming_) {
        if (thread.joinable()) thread.join();
    }
    try {
        if (ready_) {
            for (const auto& path : plan.forgotten) journal_->recordDeletion(path);
        }
        journal_->compact();
    } catch (const Error&) {
        // The journal already holds every confirmed change; compacting can wait for next time.
    }
    progress_.currentFile.clear();
    const std::lock_guard lock(mutex_);
    tell(true);
}

}  // namespace tarvomen::publish
