// export and import: the shop as JSON or its products as CSV, and back.
#include <fstream>
#include <iostream>
#include <ostream>

#include "cli/cli.hpp"
#include "exchange/shop_export.hpp"

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

}  // namespace tarvomen::cli
