#include "publish/upload/publish_window_model.hpp"

#include <cstdio>

#include "publish/upload/publish_store.hpp"

namespace tarvomen::publish {
namespace {

std::string kilobytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / 1024.0);
    return text;
}

}  // namespace

PublishWindowModel::PublishWindowModel(AppState& state, UploaderFactory makeUploader)
    : state_(state), makeUploader_(std::move(makeUploader)) {
    if (!makeUploader_) {
        makeUploader_ = [&drive = state_.drive](const PublishTarget& target, bool allowPlain,
                                                UploadOptions options) {
            return makeSiteUploader(drive, target, allowPlain, options);
        };
    }
}

void PublishWindowModel::load() {
    target_.reset();
    host.clear();
    canStart = false;
    try {
        if (!state_.files.allOpen()) state_.files.openAll(state_.drive);
        target_ = PublishTarget::fromPage(state_.files.readPage(1));
        host = target_->host.display();
        allowPlainFtp = PublishStore::forDrive(state_.drive)
                            .settings(target_->host.settingsKey())
                            .allowPlainFtp;
        canStart = true;
        status = "Ready to publish the site to " + host + ".";
    } catch (const Error& e) {
        status = e.what();
    }
}

void PublishWindowModel::setAllowPlainFtp(bool allow) {
    allowPlainFtp = allow;
    if (!target_) return;
    try {
        const PublishStore store = PublishStore::forDrive(state_.drive);
        HostSettings settings = store.settings(target_->host.settingsKey());
        settings.allowPlainFtp = allow;
        store.saveSettings(target_->host.settingsKey(), settings);
    } catch (const Error& e) {
        status = e.what();
    }
}

std::unique_ptr<SiteUploader> PublishWindowModel::start(bool dryRun) {
    if (running || !target_) return nullptr;
    std::unique_ptr<SiteUploader> uploader;
    try {
        UploadOptions options;
        options.dryRun = dryRun;
        uploader = makeUploader_(*target_, false, options);
    } catch (const Error& e) {
        status = e.what();
        return nullptr;
    }
    running = true;
    progress = {};
    reportText.clear();
    status = (dryRun ? "Checking what publishing to " : "Publishing to ") + host + "...";
    return uploader;
}

void PublishWindowModel::progressed(const PublishProgress& next) {
    progress = next;
    status =
        next.currentFile.empty() ? "Publishing to " + host + "..." : "Sending " + next.currentFile;
}

bool PublishWindowModel::finished(const PublishReport& report) {
    running = false;
    reportText = formatReport(report);
    if (report.succeeded()) {
        status = report.dryRun ? "Dry run done; nothing was sent." : "The site is published.";
    } else if (report.cancelled) {
        status = "Publishing was cancelled.";
    } else {
        status = "Publishing did not complete; see the report.";
    }
    if (!report.identity || !state_.services.messages) return false;
    const ServerIdentity& identity = *report.identity;
    const std::string question =
        identity.describe() + "\nCheck the fingerprint with your hosting provider. Trust " +
        (identity.kind == ServerIdentity::Kind::Certificate ? "this certificate"
                                                            : "this host key") +
        " for " + identity.host + " from now on and publish?";
    if (!state_.services.messages->askYesNo(question, kTitle, MessageBox::Icon::Exclamation)) {
        return false;
    }
    try {
        PublishStore::forDrive(state_.drive).trust(identity);
    } catch (const Error& e) {
        status = e.what();
        return false;
    }
    return true;
}

int PublishWindowModel::permille() const {
    if (progress.bytesTotal > 0) {
        return static_cast<int>(progress.bytesDone * 1000 / progress.bytesTotal);
    }
    if (progress.filesTotal > 0)
        return static_cast<int>(progress.filesDone * 1000 / progress.filesTotal);
    return running ? 0 : 1000;
}

std::string PublishWindowModel::progressText() const {
    return std::to_string(progress.filesDone) + " of " + std::to_string(progress.filesTotal) +
           " files, " + kilobytes(progress.bytesDone) + " of " + kilobytes(progress.bytesTotal) +
           " KB";
}

}  // namespace tarvomen::publish
