// init, show and set: laying out a drive and reading and writing record fields by name.
#include <algorithm>
#include <ostream>
#include <string>
#include <type_traits>

#include "cli/cli.hpp"
#include "cli/console_services.hpp"
#include "cli/demo_shop.hpp"
#include "platform/cp1252.hpp"
#include "shell/first_start.hpp"
#include "store/field_rules.hpp"
#include "store/numbers.hpp"
#include "store/site_paths.hpp"
#include "store/style_ops.hpp"

namespace tarvomen::cli {
namespace {

enum class RecordKind { Page, Product, Style };

struct Target {
    RecordKind kind;
    int number = 1;
    std::size_t firstAssignment = 1;  // index of the first argument after the target
};

Target parseTarget(const std::vector<std::string>& args) {
    if (args.empty()) throw UsageError("name a record: page, product N or style N.");
    if (args[0] == "page") return {RecordKind::Page, 1, 1};
    if (args[0] == "product" || args[0] == "style") {
        if (args.size() < 2) throw UsageError(args[0] + " needs a record number.");
        if (args[0] == "product") {
            return {RecordKind::Product, parseNumberArgument(args[1], 1, 30, "The product number"),
                    2};
        }
        const int n = parseNumberArgument(args[1], 1, 113, "The style record number");
        if (n > 30 && n != 101 && n != 112 && n != 113) {
            throw UsageError(
                "style records are 1 to 30 (products), 101 (home page), 112 and 113 "
                "(link pages), not " +
                args[1] + ".");
        }
        return {RecordKind::Style, n, 2};
    }
    throw UsageError("unknown record \"" + args[0] + "\": use page, product N or style N.");
}

// Selects the page whose style record is `recordNo` (checked by parseTarget).
void selectStylePage(AppState& state, int recordNo) {
    if (const auto page = SelectionOfStyleRecord(recordNo)) state.Selection = *page;
}

// `Name: value` lines of a record, with control characters escaped, as the values reach a
// terminal; the FTP password masked unless `showPassword`.
struct Printer {
    std::ostream& out;
    bool showPassword = false;
    template <std::size_t N>
    void operator()(std::string_view name, const FixedText<N>& text) {
        std::string value = cp1252::toUtf8(text.trimmed());
        if (name == "FtpPassword" && !showPassword && !value.empty()) value = "********";
        out << name << ": " << escapeControls(value) << "\n";
    }
    void operator()(std::string_view name, std::int32_t v) { out << name << ": " << v << "\n"; }
    void operator()(std::string_view name, std::int16_t v) { out << name << ": " << v << "\n"; }
    void operator()(std::string_view name, const Currency& v) {
        out << name << ": " << numbers::formatCurrency(v) << "\n";
    }
    void operator()(std::string_view name, const StyleIndexArray& a) {
        out << name << ": ";
        for (std::size_t i = 0; i < a.size(); ++i) out << (i ? "," : "") << a[i];
        out << "\n";
    }
};

}  // namespace

int runInit(Context& context) {
    if (wantsDemo(context.args)) return runInitDemo(context);  // init --demo [--force]
    for (const auto& option : context.args) {
        throw UsageError("unknown option \"" + option + "\".");
    }
    Drive& drive = context.state.drive;
    shell::layOutProgramFolder(
        drive, shell::sampleMediaFolder());  // the sample themes, where they are found
    for (const char* folder : {paths::kProgramFolder, paths::kTestPageFolder, paths::kBackupFolder,
                               paths::kMediaFolder, paths::kSiteFolder}) {
        if (!drive.makeDirectories(folder)) {
            throw Error(std::string("Cannot create the folder ") + folder + ".");
        }
    }
    context.openSiteFiles();  // creates the three record files
    context.out << "Drive laid out in " << drive.root().string() << "\n";
    return kExitOk;
}

int runShow(Context& context) {
    std::vector<std::string> args = context.args;
    const auto option = std::find(args.begin(), args.end(), "--show-password");
    const bool showPassword = option != args.end();
    if (showPassword) args.erase(option);
    const Target target = parseTarget(args);
    if (args.size() > target.firstAssignment) {
        throw UsageError("show takes no further arguments.");
    }
    if (showPassword && target.kind != RecordKind::Page) {
        throw UsageError("--show-password goes with show page.");
    }
    context.openSiteFiles();
    Printer printer{context.out, showPassword};
    AppState& state = context.state;
    switch (target.kind) {
        case RecordKind::Page: {
            const PageRecord page = state.files.readPage(1);
            PageRecord::visit(page, printer);
            break;
        }
        case RecordKind::Product: {
            const ProductRecord product = state.files.readProduct(target.number);
            ProductRecord::visit(product, printer);
            break;
        }
        case RecordKind::Style: {
            const StyleRecord style = state.files.readStyle(target.number);
            StyleRecord::visit(style, printer);
            break;
        }
    }
    return kExitOk;
}

int runSet(Context& context) {
    const Target target = parseTarget(context.args);
    if (context.args.size() <= target.firstAssignment) {
        throw UsageError("give at least one Field=Value.");
    }
    context.openSiteFiles();
    AppState& state = context.state;
    // All assignments are checked before anything is written.
    PageRecord page;
    ProductRecord product;
    if (target.kind == RecordKind::Page) page = state.files.readPage(1);
    if (target.kind == RecordKind::Product) product = state.files.readProduct(target.number);
    if (target.kind == RecordKind::Style) {
        selectStylePage(state, target.number);
        GetMediaParm(state);
    }
    for (std::size_t i = target.firstAssignment; i < context.args.size(); ++i) {
        const std::string& assignment = context.args[i];
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0) {
            throw UsageError("expected Field=Value, not \"" + assignment + "\".");
        }
        const std::string field = assignment.substr(0, equals);
        const std::string value = assignment.substr(equals + 1);
        // The editors' field rules; a value they refuse is refused input here.
        try {
            switch (target.kind) {
                case RecordKind::Page:
                    fields::setField(state, page, field, value);
                    break;
                case RecordKind::Product:
                    fields::setField(state, product, field, value);
                    break;
                case RecordKind::Style:
                    fields::setField(state, state.CurrentStyle, field, value);
                    break;
            }
        } catch (const Error& refusal) {
            throw UsageError(refusal.what());
        }
    }
    switch (target.kind) {
        case RecordKind::Page:
            state.files.writePage(1, page);
            break;
        case RecordKind::Product:
            fields::setRecordNo(product, target.number);  // as the product editor saves it
            state.files.writeProduct(target.number, product);
            break;
        case RecordKind::Style:
            PutMediaParm(state);
            break;
    }
    return kExitOk;
}

}  // namespace tarvomen::cli
