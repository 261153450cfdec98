#include "publish/upload/site_uploader.hpp"

#include <algorithm>
#include <mutex>

#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "publish/upload/curl_remote_files.hpp"
#include "publish/upload/publish_store.hpp"
#include "publish/upload/upload_plan.hpp"
#include "publish/upload/upload_run.hpp"
#include "store/site_paths.hpp"

namespace fs = std::filesystem;

namespace tarvomen::publish {
namespace {

constexpr const char* kDataFolder = "Data";
constexpr const char* kHomePage = "index.html";

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
        return foldCase(f.relative) == kHomePage;
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

PublishReport SiteUploader::run() {
    return UploadRun(files_, destination_, manifestPath_, remote_, options_, cancel_, onProgress)
        .execute();
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
