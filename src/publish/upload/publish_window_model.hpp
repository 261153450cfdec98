#pragma once

#include <functional>
#include <memory>
#include <string>

#include "publish/upload/site_uploader.hpp"
#include "store/app_state.hpp"

namespace tarvomen::publish {

// The Publish window: publishes the site to the server stored in the page record, shows the
// progress (files and bytes, the current file), offers Cancel, and ends with the report. The
// transfer itself runs on a worker thread that the view owns; every handler here runs on the
// user-interface thread.
class PublishWindowModel {
  public:
    static constexpr const char* kTitle = "Tarvomen F.T.P.";

    using UploaderFactory = std::function<std::unique_ptr<SiteUploader>(
        const PublishTarget& target, bool allowPlainFtp, UploadOptions options)>;

    // `makeUploader` stands in for the real transfer in tests.
    explicit PublishWindowModel(AppState& state, UploaderFactory makeUploader = {});

    // Reads the stored FTP settings and the host's "Allow unencrypted FTP".
    void load();
    // "Allow unencrypted FTP" ticked or cleared: stored for the host at once.
    void setAllowPlainFtp(bool allow);

    // Publish (or a dry run): the uploader to run on a worker thread, or null when publishing
    // cannot start (the reason is in `status`).
    std::unique_ptr<SiteUploader> start(bool dryRun = false);
    // Progress reported by the running uploader.
    void progressed(const PublishProgress& progress);
    // The run ended. Where the server's certificate was not trusted, the user is shown it and
    // asked; true when they accepted it and publishing should start again.
    bool finished(const PublishReport& report);

    // Shown by the view.
    std::string host;  // the host as stored, empty when none is usable
    bool allowPlainFtp = false;
    bool running = false;
    bool canStart = false;
    PublishProgress progress;
    std::string status;      // one line: what is going on
    std::string reportText;  // the final report

    // 0..1000 of the bytes (or, with nothing to send, of the files) done.
    int permille() const;
    // "3 of 12 files, 45.2 of 120.0 KB".
    std::string progressText() const;

  private:
    AppState& state_;
    UploaderFactory makeUploader_;
    std::optional<PublishTarget> target_;
};

}  // namespace tarvomen::publish
