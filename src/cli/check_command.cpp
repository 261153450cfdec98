// check: what is broken in the generated site, before it is published.
#include <algorithm>
#include <ostream>

#include "check/site_check.hpp"
#include "cli/cli.hpp"
#include "cli/console_services.hpp"

namespace tarvomen::cli {
namespace {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static const char* kHex = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void printText(std::ostream& out, const std::vector<check::Finding>& findings) {
    std::size_t problems = 0;
    for (const auto& f : findings) {
        const bool hint = f.severity == check::Finding::Severity::Hint;
        problems += hint ? 0 : 1;
        out << (hint ? "hint: " : "") << escapeControls(f.page) << ": ";
        if (!f.reference.empty()) out << escapeControls(f.reference) << ": ";
        out << escapeControls(f.message) << "\n";
    }
    const std::size_t hints = findings.size() - problems;
    if (problems == 0 && hints == 0) {
        out << "No problems found.\n";
    } else {
        out << problems << (problems == 1 ? " problem, " : " problems, ") << hints
            << (hints == 1 ? " hint.\n" : " hints.\n");
    }
}

void printJson(std::ostream& out, const std::vector<check::Finding>& findings) {
    out << "{\"findings\": [";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const auto& f = findings[i];
        out << (i ? ",\n  " : "\n  ") << "{\"severity\": "
            << (f.severity == check::Finding::Severity::Hint ? "\"hint\"" : "\"problem\"")
            << ", \"page\": " << jsonString(f.page)
            << ", \"reference\": " << jsonString(f.reference)
            << ", \"message\": " << jsonString(f.message) << "}";
    }
    out << (findings.empty() ? "]}\n" : "\n]}\n");
}

}  // namespace

int runCheck(Context& context) {
    bool json = false;
    check::CheckOptions options;
    for (std::size_t i = 0; i < context.args.size(); ++i) {
        const std::string& arg = context.args[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--limit" && i + 1 < context.args.size()) {
            options.sizeLimit = static_cast<std::uintmax_t>(
                parseNumberArgument(context.args[++i], 1, 2'000'000'000, "The size limit (bytes)"));
        } else {
            throw UsageError("check takes --json and --limit BYTES, not \"" + arg + "\".");
        }
    }
    context.openSiteFiles();
    std::vector<check::Finding> findings = check::checkSite(context.state, options);
    for (auto& hint : check::checkRecords(context.state)) findings.push_back(std::move(hint));
    json ? printJson(context.out, findings) : printText(context.out, findings);
    const bool anyProblem = std::any_of(findings.begin(), findings.end(), [](const auto& f) {
        return f.severity == check::Finding::Severity::Problem;
    });
    return anyProblem ? kExitFailure : kExitOk;
}

}  // namespace tarvomen::cli
