// publish: uploads the generated site to the FTP host stored in the page record.
#include <cctype>
#include <optional>
#include <ostream>
#include <string>

#include "cli/cli.hpp"
#include "publish/upload/publish_store.hpp"
#include "publish/upload/site_uploader.hpp"
#include "shell/whole_site.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::cli {
namespace {

// Whether the fingerprint the user gave is the server's: certificate fingerprints compare
// without their colons and regardless of case, host keys ("SHA256:...") exactly.
bool sameFingerprint(const publish::ServerIdentity& identity, const std::string& given) {
    if (identity.kind == publish::ServerIdentity::Kind::SshHostKey) {
        return given == identity.fingerprint || "SHA256:" + given == identity.fingerprint;
    }
    auto bare = [](std::string_view text) {
        std::string out;
        for (const char c : text) {
            if (c != ':') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return out;
    };
    return bare(given) == bare(identity.fingerprint);
}

publish::PublishReport publishOnce(Context& context, const publish::PublishTarget& target,
                                   bool allowPlainFtp, const publish::UploadOptions& options) {
    auto uploader = publish::makeSiteUploader(context.state.drive, target, allowPlainFtp, options);
    std::string shown;
    uploader->onProgress = [&](const publish::PublishProgress& progress) {
        if (progress.currentFile.empty() || progress.currentFile == shown) return;
        shown = progress.currentFile;
        context.out << "[" << progress.filesStarted << "/" << progress.filesTotal << "] "
                    << progress.currentFile << std::endl;
    };
    return uploader->run();
}

}  // namespace

int runPublish(Context& context) {
    bool allowPlainFtp = false;
    publish::UploadOptions options;
    std::optional<std::string> accepted;
    bool generate = false;
    std::optional<std::string> runOption;  // --boxed, --from-detail or --shopcart, if given
    AppState& state = context.state;
    // The run options of the whole-site generation, as `generate` takes them.
    state.LinkAppearanceNormal = true;
    state.LinkStyleFromProfile = true;
    state.ShopCartOn = false;
    for (std::size_t i = 0; i < context.args.size(); ++i) {
        const std::string& arg = context.args[i];
        if (arg == "--allow-plain-ftp") {
            allowPlainFtp = true;
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--connections" && i + 1 < context.args.size()) {
            options.connections = parseNumberArgument(context.args[++i], 1, 16, "--connections");
        } else if (arg.rfind("--accept-certificate=", 0) == 0) {
            accepted = arg.substr(21);
        } else if (arg == "--generate") {
            generate = true;
        } else if (arg == "--boxed") {
            state.LinkAppearanceNormal = false;
            runOption = arg;
        } else if (arg == "--from-detail") {
            state.LinkStyleFromProfile = false;
            runOption = arg;
        } else if (arg == "--shopcart") {
            state.ShopCartOn = true;
            runOption = arg;
        } else {
            throw UsageError("unknown option \"" + arg + "\".");
        }
    }
    if (runOption && !generate) throw UsageError(*runOption + " goes with --generate.");
    context.openSiteFiles();
    const auto target = publish::PublishTarget::fromPage(state.files.readPage(1));

    // A preview leaves only its own page in the site folder, which is not the site to publish.
    bool mediaMissing = false;
    if (!shell::SiteHasHomePage(state)) {
        if (!generate) {
            context.err << "tarvomen-cli publish: the site folder " << paths::kSiteFolder
                        << "\\ holds no home page (index.html): a preview replaced the site. "
                           "Generate the whole site and publish it with\n"
                           "  tarvomen-cli publish --generate [--boxed] [--from-detail] "
                           "[--shopcart]\n";
            return kExitFailure;
        }
        context.out << "Generating the whole site into " << paths::kSiteFolder << "\\ first"
                    << std::endl;
        try {
            const auto generated = shell::GenerateSiteIfMissing(state);
            // Published all the same, and the run ends with failure.
            if (generated && !generated->complete()) {
                context.err << "tarvomen-cli publish: " << DescribeMediaFailures(state, *generated)
                            << "\n";
                mediaMissing = true;
            }
        } catch (const Error& error) {
            context.err << "tarvomen-cli publish: " << error.what() << "\n";
            return kExitFailure;
        }
    }
    context.out << (options.dryRun ? "Checking what publishing " : "Publishing ")
                << paths::kSiteFolder << "\\ to " << target.host.display() << std::endl;

    auto report = publishOnce(context, target, allowPlainFtp, options);
    if (report.identity && accepted) {
        if (sameFingerprint(*report.identity, *accepted)) {
            publish::PublishStore::forDrive(context.state.drive).trust(*report.identity);
            context.out << "Trusting " << report.identity->host << " with the fingerprint "
                        << report.identity->fingerprint << " from now on." << std::endl;
            report = publishOnce(context, target, allowPlainFtp, options);
        } else {
            context.err << "The server shows the fingerprint " << report.identity->fingerprint
                        << ", not " << *accepted << "; it stays untrusted.\n";
        }
    }
    context.out << "\n" << publish::formatReport(report);
    if (report.identity) {
        context.err << "\nIf your hosting provider confirms this fingerprint, trust it with:\n"
                    << "  tarvomen-cli publish --accept-certificate="
                    << report.identity->fingerprint << "\n";
    }
    return report.succeeded() && !mediaMissing ? kExitOk : kExitFailure;
}

}  // namespace tarvomen::cli
