// export and import: the shop as JSON or its products as CSV, and back.
#include <fstream>
#include <iostream>
#include <iterator>
#include <ostream>

#include "cli/cli.hpp"
#include "cli/console_services.hpp"
#include "exchange/shop_export.hpp"
#include "exchange/shop_import.hpp"
#include "platform/file_bytes.hpp"

namespace tarvomen::cli {
namespace {

// Writes `bytes` to a file beside its final name, then renames it into place, so that a failed
// export never leaves a half-written file where the last good one was.
void writeWholeFile(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << bytes;
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            throw Error("Cannot write " + path + ".");
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw Error("Cannot write " + path + ".");
    }
}

}  // namespace

int runExport(Context& context) {
    std::string format = "json", file;
    bool withPassword = false;
    for (std::size_t i = 0; i < context.args.size(); ++i) {
        const std::string& arg = context.args[i];
        if (arg == "--format" && i + 1 < context.args.size()) {
            format = context.args[++i];
            if (format != "json" && format != "csv") {
                throw UsageError("--format is json or csv, not \"" + format + "\".");
            }
        } else if (arg == "--with-password") {
            withPassword = true;
        } else if (file.empty() && !arg.starts_with("--")) {
            file = arg;
        } else {
            throw UsageError("unknown option \"" + arg + "\".");
        }
    }
    context.openSiteFiles();
    const std::string bytes = format == "csv" ? exchange::exportProductsCsv(context.state)
                                              : exchange::exportJson(context.state, withPassword);
    if (file.empty() || file == "-") {
        context.out << bytes;
    } else {
        writeWholeFile(file, bytes);
    }
    return kExitOk;
}

int runImport(Context& context) {
    std::string file;
    bool dryRun = false;
    for (const auto& arg : context.args) {
        if (arg == "--dry-run") {
            dryRun = true;
        } else if (file.empty() && !arg.starts_with("--")) {
            file = arg;
        } else {
            throw UsageError("unknown option \"" + arg + "\".");
        }
    }
    if (file.empty()) throw UsageError("name the file to import (an export, JSON or CSV).");
    std::string document;
    if (file == "-") {
        document.assign(std::istreambuf_iterator<char>(std::cin), {});
    } else {
        const auto bytes = readFileBytes(file);
        if (!bytes) throw Error("Cannot read " + file + ".");
        document = *bytes;
    }
    context.openSiteFiles();
    exchange::ImportPlan plan;
    try {
        plan = exchange::planImport(context.state, document);
    } catch (const Error& refused) {
        context.err << refused.what() << "\n";
        return kExitUsage;
    }
    for (const auto& change : plan.changes) {
        context.out << change.record << ", " << change.field << ": \""
                    << escapeControls(change.before) << "\" -> \"" << escapeControls(change.after)
                    << "\"\n";
    }
    if (!dryRun) exchange::applyImport(context.state, plan);
    context.out << plan.changes.size() << (plan.changes.size() == 1 ? " field " : " fields ")
                << (dryRun ? "would change." : "changed.") << "\n";
    return kExitOk;
}

}  // namespace tarvomen::cli
