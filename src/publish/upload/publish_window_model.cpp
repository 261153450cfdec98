#include "publish/upload/publish_window_model.hpp"

#include <algorithm>
#include <cstdio>

#include "platform/cp1252.hpp"
#include "publish/upload/publish_store.hpp"
#include "store/own_text.hpp"

namespace tarvomen::publish {
namespace {

std::string kilobytes(std::uint64_t bytes, bool french) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / 1024.0);
    std::string out = text;
    if (french) std::replace(out.begin(), out.end(), '.', ',');
    return out;
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

const char* PublishWindowModel::text(const char* english, const char* french) const {
    return ownText(state_, english, french);
}

void PublishWindowModel::load() {
    target_.reset();
    host.clear();
    canStart = false;
    try {
        if (!state_.files.allOpen()) state_.files.openAll(state_.drive);
        const PageRecord page = state_.files.readPage(1);
        if (page.FtpHost.trimmed().empty() || page.FtpUserName.trimmed().empty() ||
            page.FtpPassword.trimmed().empty()) {
            status = text("Enter the FTP host, user name and password in the F.T.P. dialog first.",
                          "Entrez d'abord l'hôte FTP, le nom d'utilisateur et le mot de passe "
                          "dans la boîte F.T.P.");
            return;
        }
        target_ = PublishTarget::fromPage(page);
        host = target_->host.display();
        allowPlainFtp = PublishStore::forDrive(state_.drive)
                            .settings(target_->host.settingsKey())
                            .allowPlainFtp;
    } catch (const Error& e) {
        status = e.what();
        return;
    }
    try {
        listSiteFiles(state_.drive);
    } catch (const Error&) {
        status = text(
            "The site folder C:\\Tarvomen\\ holds no home page (index.html): publishing "
            "it would take the site off the server. Generate the whole site first "
            "(\"Preview Web Site\" in the styles of the home page).",
            "Le dossier du site C:\\Tarvomen\\ ne contient pas de page d'accueil "
            "(index.html) : le publier retirerait le site du serveur. Générez d'abord "
            "tout le site (« Preview Web Site » dans les styles de la page d'accueil).");
        return;
    }
    canStart = true;
    status = text("Ready to publish the site to ", "Prêt à publier le site sur ") + host + ".";
}

void PublishWindowModel::setAllowPlainFtp(bool allow) {
    allowPlainFtp = allow;
    if (!target_) return;
    try {
        const PublishStore store = PublishStore::forDrive(state_.drive);
        HostSettings settings = store.settings(target_->host.settingsKey());
        settings.allowPlainFtp = allow;
        settings.offersNoTls = false;  // found out again on the next run
        store.saveSettings(target_->host.settingsKey(), settings);
    } catch (const Error& e) {
        status = e.what();
    }
}

bool PublishWindowModel::checkSite() {
    findings.clear();
    problems = 0;
    if (!canStart) return false;
    try {
        findings = check::checkSite(state_);
        for (auto& finding : check::checkRecords(state_)) findings.push_back(std::move(finding));
    } catch (const Error& e) {
        findings.push_back({check::Finding::Severity::Problem, "", "", e.what()});
    }
    // Problems first, then the hints, each in the check's order.
    std::stable_partition(findings.begin(), findings.end(), [](const check::Finding& f) {
        return f.severity == check::Finding::Severity::Problem;
    });
    problems = static_cast<std::size_t>(std::count_if(
        findings.begin(), findings.end(),
        [](const check::Finding& f) { return f.severity == check::Finding::Severity::Problem; }));
    if (problems == 0) return true;
    status = std::to_string(problems) +
             text(problems == 1 ? " problem was found in the site (see the list). Publish sends "
                                  "the site as it is; or close, mend it and publish again."
                                : " problems were found in the site (see the list). Publish sends "
                                  "the site as it is; or close, mend them and publish again.",
                  problems == 1 ? " problème a été trouvé dans le site (voir la liste). Publier "
                                  "envoie le site tel quel ; ou fermez, corrigez-le et publiez "
                                  "à nouveau."
                                : " problèmes ont été trouvés dans le site (voir la liste). "
                                  "Publier envoie le site tel quel ; ou fermez, corrigez-les et "
                                  "publiez à nouveau.");
    return false;
}

std::unique_ptr<SiteUploader> PublishWindowModel::start(bool dryRun) {
    if (running || !target_ || !canStart) return nullptr;
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
    counts.reset();
    advice.clear();
    reportText.clear();
    status = (dryRun ? text("Checking what publishing to ",
                            "Vérification de ce que la publication "
                            "sur ")
                     : text("Publishing to ", "Publication sur ")) +
             host + (dryRun ? text(" would send...", " enverrait...") : "...");
    return uploader;
}

void PublishWindowModel::progressed(const PublishProgress& next) {
    progress = next;
    status = next.currentFile.empty() ? text("Publishing to ", "Publication sur ") + host + "..."
                                      : text("Sending ", "Envoi de ") + next.currentFile;
}

bool PublishWindowModel::finished(const PublishReport& report) {
    running = false;
    const bool french = std::string(text("en", "fr")) == "fr";
    reportText = formatReport(report, french);
    counts = Counts{report.uploaded.size(), report.skipped.size(), report.deleted.size(),
                    report.notTried.size(), report.failed.size()};
    if (report.succeeded()) {
        status = report.dryRun ? text("Dry run done; nothing was sent.",
                                      "Essai terminé ; rien n'a été envoyé.")
                               : text("The site is published.", "Le site est publié.");
    } else if (report.cancelled) {
        status = text("Publishing was cancelled.", "La publication a été annulée.");
    } else {
        status = text("Publishing did not complete; see the report.",
                      "La publication n'est pas terminée ; voir le rapport.");
    }
    using Kind = RemoteError::Kind;
    if (report.problemKind && !report.identity &&
        (*report.problemKind == Kind::Connection || *report.problemKind == Kind::TimedOut ||
         *report.problemKind == Kind::Fatal)) {
        advice = text(
            "Check the host (its name and port), the user name and the password in the "
            "F.T.P. dialog, and the connection to the Internet; then publish again.",
            "Vérifiez l'hôte (son nom et son port), le nom d'utilisateur et le mot de "
            "passe dans la boîte F.T.P., et la connexion à Internet ; puis publiez à "
            "nouveau.");
    }
    if (!report.identity || !state_.services.messages) return false;
    const ServerIdentity& identity = *report.identity;
    const bool certificate = identity.kind == ServerIdentity::Kind::Certificate;
    const std::string question =
        identity.describe() + "\n" +
        text("Check the fingerprint with your hosting provider. Trust ",
             "Vérifiez l'empreinte auprès de votre hébergeur. Faire confiance ") +
        (certificate ? text("this certificate", "à ce certificat")
                     : text("this host key", "à cette clé d'hôte")) +
        text(" for ", " pour ") + identity.host +
        text(" from now on and publish?", " désormais et publier ?");
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
    return 0;
}

std::string PublishWindowModel::progressText() const {
    const bool french = std::string(text("en", "fr")) == "fr";
    return std::to_string(progress.filesDone) + text(" of ", " sur ") +
           std::to_string(progress.filesTotal) + text(" files, ", " fichiers, ") +
           kilobytes(progress.bytesDone, french) + text(" of ", " sur ") +
           kilobytes(progress.bytesTotal, french) + text(" KB", " Ko");
}

std::string PublishWindowModel::countsText() const {
    if (!counts) return {};
    return text("Sent ", "Envoyés ") + std::to_string(counts->sent) +
           text(", unchanged ", ", inchangés ") + std::to_string(counts->unchanged) +
           text(", deleted ", ", supprimés ") + std::to_string(counts->deleted) +
           text(", not tried ", ", non tentés ") + std::to_string(counts->notTried) +
           text(", failed ", ", en échec ") + std::to_string(counts->failed) + ".";
}

std::string PublishWindowModel::findingText(const check::Finding& finding) const {
    std::string out = finding.severity == check::Finding::Severity::Problem
                          ? text("Problem: ", "Problème : ")
                          : text("Hint: ", "Conseil : ");
    if (!finding.page.empty()) out += finding.page;
    if (!finding.reference.empty()) out += (finding.page.empty() ? "" : ", ") + finding.reference;
    if (!finding.page.empty() || !finding.reference.empty()) out += text(": ", " : ");
    return out + finding.message;
}

}  // namespace tarvomen::publish
