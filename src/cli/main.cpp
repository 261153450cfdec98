#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "cli/console_services.hpp"
#include "platform/drive.hpp"
#include "platform/font_list.hpp"
#include "tarvomen/version.hpp"

namespace {

using namespace tarvomen;

void printHelp(std::ostream& out) {
    out << "Usage: tarvomen-cli [--drive DIR] COMMAND [ARGS]\n\n"
           "Maintains the shop's site records and generates its site on a drive folder that\n"
           "stands for drive C:.\n\nCommands:\n";
    for (const auto& command : cli::commands()) {
        out << "  " << command.usage << "\n      " << command.summary << "\n";
    }
    out << "\nOptions:\n"
           "  --drive DIR   the drive folder (default: $TARVOMEN_DRIVE, else\n"
           "                $XDG_DATA_HOME/tarvomen/drive_c)\n"
           "  --help        show this help\n"
           "  --version     show the version\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::optional<std::string> driveArgument;
    std::size_t at = 0;
    for (; at < args.size(); ++at) {
        const std::string& arg = args[at];
        if (arg == "--help" || arg == "-h") {
            printHelp(std::cout);
            return cli::kExitOk;
        }
        if (arg == "--version") {
            std::cout << "tarvomen-cli " << kVersion << "\n";
            return cli::kExitOk;
        }
        if (arg == "--drive") {
            if (at + 1 >= args.size()) {
                std::cerr << "tarvomen-cli: --drive needs a folder\n";
                return cli::kExitUsage;
            }
            driveArgument = args[++at];
        } else if (arg.rfind("--drive=", 0) == 0) {
            driveArgument = arg.substr(8);
        } else {
            break;
        }
    }
    if (at >= args.size()) {
        std::cerr << "tarvomen-cli: no command given (try --help)\n";
        return cli::kExitUsage;
    }
    const std::string name = args[at];
    const cli::Command* command = nullptr;
    for (const auto& candidate : cli::commands()) {
        if (name == candidate.name) command = &candidate;
    }
    if (!command) {
        std::cerr << "tarvomen-cli: unknown command \"" << name << "\" (try --help)\n";
        return cli::kExitUsage;
    }

    try {
        Drive drive(Drive::locate(driveArgument));
        cli::ConsoleMessageBox messages(std::cerr);
        FontconfigFontList fonts;
        cli::ConsoleShell shell(drive);
        AppState state(drive, Services{&messages, &shell, &fonts, nullptr, nullptr});
        cli::Context context{
            state, {args.begin() + static_cast<long>(at) + 1, args.end()}, std::cout, std::cerr};
        return command->run(context);
    } catch (const cli::UsageError& error) {
        std::cerr << "tarvomen-cli " << command->name << ": " << error.what() << "\n"
                  << "usage: tarvomen-cli [--drive DIR] " << command->usage << "\n";
        return cli::kExitUsage;
    } catch (const Error& error) {
        std::cerr << "tarvomen-cli " << command->name << ": " << error.what() << "\n";
        return cli::kExitUsage;
    } catch (const std::exception& error) {
        std::cerr << "tarvomen-cli " << command->name << ": " << error.what() << "\n";
        return cli::kExitFailure;
    }
}
