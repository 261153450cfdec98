// The command line of tarvomen-cli: the global options, the choice of the command and the exit
// status. main() and the tests both run it.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "cli/console_services.hpp"
#include "platform/drive.hpp"
#include "tarvomen/version.hpp"

namespace fs = std::filesystem;

namespace tarvomen::cli {
namespace {

void printHelp(std::ostream& out) {
    out << "Usage: tarvomen-cli [--drive DIR] COMMAND [ARGS]\n\n"
           "Maintains the shop's site records and generates its site on a drive folder that\n"
           "stands for drive C:.\n\nCommands:\n";
    for (const auto& command : commands()) {
        out << "  " << command.usage << "\n      " << command.summary << "\n";
    }
    out << "\nOptions:\n"
           "  --drive DIR   the drive folder (default: $TARVOMEN_DRIVE, else\n"
           "                $XDG_DATA_HOME/tarvomen/drive_c); it must exist, except for init\n"
           "  --help        show this help\n"
           "  --version     show the version\n"
           "\nExit status:\n"
           "  0  done\n"
           "  1  the work failed: a record file could not be read or written, a page or\n"
           "     medium was not written, nothing to publish\n"
           "  2  wrong use: unknown command or option, missing drive folder, or input\n"
           "     the program refuses\n";
}

const Command* findCommand(const std::string& name) {
    for (const auto& command : commands()) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

}  // namespace

int runCommand(const Command& command, Context& context) {
    context.recordAccess =
        command.writesRecords ? RecordFile::Access::ReadWrite : RecordFile::Access::ReadOnly;
    const std::string prefix = std::string("tarvomen-cli ") + command.name + ": ";
    std::ostream& err = context.err;
    int status = kExitFailure;
    try {
        status = command.run(context);
    } catch (const UsageError& error) {
        err << prefix << escapeControls(error.what(), true) << "\n"
            << "usage: tarvomen-cli [--drive DIR] " << command.usage << "\n";
        status = kExitUsage;
    } catch (const EncodingError& error) {
        // Typed text that the record files cannot hold.
        err << prefix << escapeControls(error.what(), true) << "\n";
        status = kExitUsage;
    } catch (const std::exception& error) {
        err << prefix << escapeControls(error.what(), true) << "\n";
        status = kExitFailure;
    }
    for (const std::string& failure : context.state.files.closeAll()) {
        err << prefix << escapeControls(failure, true) << "\n";
        if (status == kExitOk) status = kExitFailure;
    }
    return status;
}

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   FontList& fonts) {
    std::optional<std::string> driveArgument;
    std::size_t at = 0;
    for (; at < args.size(); ++at) {
        const std::string& arg = args[at];
        if (arg == "--help" || arg == "-h") {
            printHelp(out);
            return kExitOk;
        }
        if (arg == "--version") {
            out << "tarvomen-cli " << kVersion << "\n";
            return kExitOk;
        }
        if (arg == "--drive" && at + 1 < args.size()) {
            driveArgument = args[++at];
        } else if (arg == "--drive" || arg.starts_with("--drive=")) {
            driveArgument = arg == "--drive" ? "" : arg.substr(8);
        } else {
            break;
        }
        // An empty folder name would silently fall back to the default drive.
        if (driveArgument->empty()) {
            err << "tarvomen-cli: --drive needs a folder\n";
            return kExitUsage;
        }
    }
    if (at >= args.size()) {
        err << "tarvomen-cli: no command given (try --help)\n";
        return kExitUsage;
    }
    const Command* command = findCommand(args[at]);
    if (!command) {
        err << "tarvomen-cli: unknown command \"" << escapeControls(args[at])
            << "\" (try --help)\n";
        return kExitUsage;
    }

    const fs::path root = Drive::locate(driveArgument);
    std::error_code ec;
    // Only init lays out a drive; any other command on a mistyped folder would leave an empty
    // drive behind.
    if (command->run != &runInit && !fs::is_directory(root, ec)) {
        err << "tarvomen-cli " << command->name << ": the drive folder "
            << escapeControls(root.string())
            << " does not exist (tarvomen-cli --drive DIR init lays one out)\n";
        return kExitUsage;
    }
    try {
        Drive drive(root);
        ConsoleMessageBox messages(err);
        ConsoleShell shell(drive);
        AppState state(drive, Services{&messages, &shell, &fonts, nullptr, nullptr});
        Context context{state, {args.begin() + static_cast<long>(at) + 1, args.end()}, out, err};
        return runCommand(*command, context);
    } catch (const std::exception& error) {
        err << "tarvomen-cli " << command->name << ": " << escapeControls(error.what(), true)
            << "\n";
        return kExitFailure;
    }
}

}  // namespace tarvomen::cli
