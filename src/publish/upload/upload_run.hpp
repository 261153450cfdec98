#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "publish/upload/publish_store.hpp"
#include "publish/upload/site_uploader.hpp"
#include "publish/upload/upload_plan.hpp"

namespace tarvomen::publish {

// One run of a SiteUploader, phase by phase: the manifest and the site's files are read, the
// connections opened, the site's folders on the server listed (and made where missing), the
// plan made, the files sent group by group and the files of earlier runs the site no longer has
// deleted; the manifest journal takes each confirmed change as it happens.
class UploadRun {
  public:
    UploadRun(const std::vector<LocalFile>& files, const std::string& destination,
              const std::filesystem::path& manifestPath, const SiteUploader::RemoteFactory& remote,
              const UploadOptions& options, const std::atomic<bool>& cancel,
              const std::function<void(const PublishProgress&)>& onProgress);
    ~UploadRun();

    PublishReport execute();

  private:
    // One step of a run on one of its connections, named by the remote path it concerns.
    struct Step {
        std::string path;
        std::function<void(RemoteFiles& remote, std::size_t slot)> action;
    };

    bool readManifest();
    void hashLocalFiles();
    PublishReport dryRun();
    bool openFirstConnection(std::size_t wanted);
    void listKnownServer();
    bool listAndMakeFolders();
    void send(const UploadPlan& plan);
    void deleteObsolete(const UploadPlan& plan);
    void finish(const UploadPlan& plan);

    void tell(bool always);           // with `mutex_` held
    void stop(const RemoteError& e);  // with `mutex_` held
    void pause(int attempt);
    bool attempt(const std::string& path, const std::function<void()>& step);
    void open(std::size_t slot);
    void warm();
    std::vector<char> runSteps(const std::vector<Step>& steps, bool counted);
    Step sendStep(const Target& target);
    Step deleteStep(const std::string& path);

    const std::vector<LocalFile>& files_;
    const std::filesystem::path& manifestPath_;
    const SiteUploader::RemoteFactory& remote_;
    const UploadOptions& options_;
    const std::atomic<bool>& cancel_;
    const std::function<void(const PublishProgress&)>& onProgress_;

    // Everything the run's threads share is guarded by `mutex_`.
    std::mutex mutex_;
    PublishReport report_;
    PublishProgress progress_;
    std::vector<std::uint64_t> inFlight_;  // bytes of the file under way, by connection
    std::uint64_t bytesFinished_ = 0;
    std::chrono::steady_clock::time_point lastReport_ = std::chrono::steady_clock::now();
    std::atomic<bool> stopped_{false};

    std::unique_ptr<ManifestJournal> journal_;
    ManifestData manifest_;
    std::vector<std::optional<ManifestEntry>> local_;  // size and hash of each site file
    bool hasMedia_ = false;
    bool caseSensitive_ = false;
    std::size_t wanted_ = 1;  // connections the run needs

    std::vector<std::unique_ptr<RemoteFiles>> slots_;  // the connections
    std::vector<std::thread> warming_;                 // connections logging in
    RemoteListings listings_;
    bool listed_ = false;  // the folders were listed at once and exist
    bool ready_ = false;   // the folders are listed and exist: files can go
};

}  // namespace tarvomen::publish
