#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "cli/console_services.hpp"
#include "platform/error.hpp"
#include "support/fakes.hpp"

namespace tarvomen::testing {

// Runs a command handler in-process the way tarvomen-cli does, with the fixed test fonts.
struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

inline CliRun runCli(Drive& drive, cli::CommandHandler handler, std::vector<std::string> args) {
    std::ostringstream out, err;
    cli::ConsoleMessageBox messages(err);
    cli::ConsoleShell shell(drive);
    AppState state(drive, Services{&messages, &shell, &testFonts(), nullptr, nullptr});
    cli::Context context{state, std::move(args), out, err};
    CliRun run;
    try {
        run.status = handler(context);
    } catch (const Error& error) {
        err << error.what() << "\n";
        run.status = cli::kExitUsage;
    }
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace tarvomen::testing
