#include <charconv>

#include "cli/cli.hpp"
#include "cli/console_services.hpp"
#include "store/style_ops.hpp"

namespace tarvomen::cli {

void Context::openSiteFiles() {
    state.files.openAll(state.drive, recordAccess);
    for (const std::string& warning : state.files.warnings()) {
        err << "tarvomen-cli: " << escapeControls(warning, true) << "\n";
    }
    FillColorText(state);
}

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"init", "init [--demo [--force]]",
         "lay out the drive: program folder, record files, backup and media folders;\n"
         "      --demo adds the demo shop (--force replaces a shop already on the drive)",
         runInit, true},
        {"show", "show page [--show-password] | product N | style N",
         "print every field of a record (the FTP password masked unless --show-password)", runShow},
        {"set", "set page | product N | style N Field=Value ...",
         "store fields with the editors' rules", runSet, true},
        {"serve", "serve [--port N]",
         "serve the generated site on http://127.0.0.1 until interrupted; open pages reload",
         runServe},
        {"generate", "generate [--boxed] [--from-detail] [--shopcart] [--open]",
         "write the whole site into C:\\Tarvomen and print the path of its index.html",
         runGenerate},
        {"preview", "preview N [--open]",
         "write the preview of product N into C:\\Tarvomen\\test.html and print its path",
         runPreview},
        {"link", "link 2|3 [--open]", "write the Link2 or Link3 page by itself and print its path",
         runLink},
        {"publish",
         "publish [--allow-plain-ftp] [--dry-run] [--connections N] "
         "[--accept-certificate=SHA256] "
         "[--generate [--boxed] [--from-detail] [--shopcart]]",
         "upload the changes of the site to the stored FTP host (FTPS; sftp://host for SFTP);\n"
         "      --generate first generates the whole site when a preview replaced it",
         runPublish},
        {"check", "check [--json] [--limit BYTES]",
         "read the generated site as a browser does and list what is broken (exit 1 if anything);\n"
         "      hints too: pages or media above the limit (1 MiB), texts cut to their field",
         runCheck},
        {"export", "export [--format json|csv] [--with-password] [FILE]",
         "write the shop as one JSON document (csv: the products for a spreadsheet), UTF-8;\n"
         "      the FTP password only with --with-password",
         runExport},
        {"import", "import FILE [--dry-run]",
         "store an exported shop (JSON, or products as CSV) with the editors' rules, all or\n"
         "      nothing; --dry-run prints what would change, field by field",
         runImport, true},
    };
    return all;
}

int parseNumberArgument(const std::string& text, int low, int high, const std::string& what) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high) {
        throw UsageError(what + " must be a number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not \"" + text + "\".");
    }
    return value;
}

}  // namespace tarvomen::cli
