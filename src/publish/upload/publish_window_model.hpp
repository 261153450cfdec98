#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "check/site_check.hpp"
#include "publish/upload/site_uploader.hpp"
#include "store/app_state.hpp"

namespace tarvomen::publish {

// The Publish window: checks the site, publishes it to the server stored in the page record,
// shows the progress (files and bytes, the current file), offers Cancel, and ends with the
// counts and the report. The transfer itself runs on a worker thread that the view owns; every
// handler here runs on the user-interface thread. Texts are in the chosen language.
class PublishWindowModel {
  public:
    static constexpr const char* kTitle = "Tarvomen F.T.P.";

    using UploaderFactory = std::function<std::unique_ptr<SiteUploader>(
        const PublishTarget& target, bool allowPlainFtp, UploadOptions options)>;

    // `makeUploader` stands in for the real transfer in tests.
    explicit PublishWindowModel(AppState& state, UploaderFactory makeUploader = {});

    // Reads the stored FTP settings and the host's "Allow unencrypted FTP", and whether the
    // site folder holds a home page; `canStart` and `status` say whether publishing may start.
    void load();
    // "Allow unencrypted FTP" ticked or cleared: stored for the host at once.
    void setAllowPlainFtp(bool allow);

    // Checks the site folder and the records (`findings`). True when it found no problem, so
    // that publishing may start at once; with problems the owner looks first and then
    // publishes or not.
    bool checkSite();

    // Publish (or a dry run): the uploader to run on a worker thread, or null when publishing
    // cannot start (the reason is in `status`).
    std::unique_ptr<SiteUploader> start(bool dryRun = false);
    // Progress reported by the running uploader.
    void progressed(const PublishProgress& progress);
    // The run ended. Where the server's certificate was not trusted, the user is shown it and
    // asked; true when they accepted it and publishing should start again.
    bool finished(const PublishReport& report);

    // What the last run did, in files of the server (a page mirrored to "tarvomen/" is two).
    struct Counts {
        std::size_t sent = 0;
        std::size_t unchanged = 0;
        std::size_t deleted = 0;
        std::size_t notTried = 0;
        std::size_t failed = 0;
    };

    // Shown by the view.
    std::string host;  // the host as stored, empty when none is usable
    bool allowPlainFtp = false;
    bool running = false;
    bool canStart = false;
    PublishProgress progress;
    std::string status;      // one line: what is going on, or why publishing cannot start
    std::string advice;      // after a failed connection: what to check
    std::string reportText;  // the final report
    std::optional<Counts> counts;
    std::vector<check::Finding> findings;
    std::size_t problems = 0;  // findings that break something a visitor sees

    // 0..1000 of the bytes (or, with nothing to send, of the files) done; 0 with no files.
    int permille() const;
    // "3 of 12 files, 45.2 of 120.0 KB".
    std::string progressText() const;
    // "Sent 3, unchanged 5, deleted 0, not tried 0, failed 0."; empty before a run ended.
    std::string countsText() const;
    // One line of the findings list: "Problem: 1.html, /Tarvomen/Data/1.JPG: is missing ...".
    std::string findingText(const check::Finding& finding) const;

  private:
    const char* text(const char* english, const char* french) const;

    AppState& state_;
    UploaderFactory makeUploader_;
    std::optional<PublishTarget> target_;
};

}  // namespace tarvomen::publish
