#pragma once

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "cli/console_services.hpp"
#include "support/fakes.hpp"

namespace tarvomen::testing {

// What a run of the command line printed and returned.
struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs the command whose handler is `handler` in-process the way tarvomen-cli does (same exit
// statuses, same messages), on `drive` with the fixed test fonts.
inline CliRun runCli(Drive& drive, cli::CommandHandler handler, std::vector<std::string> args) {
    const cli::Command* command = nullptr;
    for (const auto& candidate : cli::commands()) {
        if (candidate.run == handler) command = &candidate;
    }
    if (!command) throw std::logic_error("not a command of the table");
    std::ostringstream out, err;
    cli::ConsoleMessageBox messages(err);
    cli::ConsoleShell shell(drive);
    AppState state(drive, Services{&messages, &shell, &testFonts(), nullptr, nullptr});
    cli::Context context{state, std::move(args), out, err};
    CliRun run;
    run.status = cli::runCommand(*command, context);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// Runs `tarvomen-cli ARGS` in-process, global options included, with the fixed test fonts.
inline CliRun runCommandLine(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliRun run;
    run.status = cli::runCommandLine(args, out, err, testFonts());
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace tarvomen::testing
