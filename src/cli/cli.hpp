#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.hpp"
#include "store/app_state.hpp"

namespace tarvomen::publish {
class PreviewingShell;
}

namespace tarvomen::cli {

// Wrong use of the command line: the message is printed with the usage and the exit status is 2.
class UsageError : public Error {
  public:
    using Error::Error;
};

// Exit statuses, as --help states them.
inline constexpr int kExitOk = 0;       // done
inline constexpr int kExitFailure = 1;  // the work failed: a record file could not be read or
                                        // written, a page or medium was not written, nothing to
                                        // publish, the program's own refusals ("Enter Link2 in
                                        // PROFILE first!")
inline constexpr int kExitUsage = 2;    // wrong use of the command line or refused input

struct Context {
    AppState& state;
    std::vector<std::string> args;  // the command's own arguments
    std::ostream& out;
    std::ostream& err;
    // How openSiteFiles() opens the record files: for writing only for commands that write.
    RecordFile::Access recordAccess = RecordFile::Access::ReadWrite;

    // Opens the three record files as the main menu does, with `ColorCodes` filled, and
    // reports what their layout has to say (stray bytes) on the error stream.
    void openSiteFiles();
};

using CommandHandler = int (*)(Context&);

struct Command {
    const char* name;
    const char* usage;    // "show page | product N | style N"
    const char* summary;  // one line for --help
    CommandHandler run;
    bool writesRecords = false;  // opens the record files for writing
};

// The commands of the program, in the order --help lists them.
const std::vector<Command>& commands();

// Runs `tarvomen-cli ARGS`: the global options (--drive, --help, --version), then the named
// command on the drive, with `fonts` as the font list. Prints what went wrong on `err` and
// returns the exit status.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   FontList& fonts);

// Runs `command` in `context` and maps its outcome to the exit status: a UsageError or refused
// text is 2, any other failure 1, and a record file that fails to close turns success into 1.
// Failures are printed on the context's error stream.
int runCommand(const Command& command, Context& context);

// Parses a whole number argument in [low, high] or throws UsageError naming `what`.
int parseNumberArgument(const std::string& text, int low, int high, const std::string& what);

// Command handlers, one file each.
int runInit(Context& context);
int runShow(Context& context);
int runSet(Context& context);
int runServe(Context& context);
int runGenerate(Context& context);
int runPreview(Context& context);
int runLink(Context& context);
int runPublish(Context& context);
int runCheck(Context& context);
int runExport(Context& context);
int runImport(Context& context);

// After a generating command's --open handed `page` to the browser through `previewing`: says
// where the site is served and serves until Ctrl-C, then returns kExitOk.
int keepServing(Context& context, publish::PreviewingShell& previewing, const std::string& page);

// The --open option of generate, preview and link: the page written goes to the browser as its
// address on the preview server.
class BrowserPreview {
  public:
    virtual ~BrowserPreview() = default;
    // Hands `page` to the browser, then serves until Ctrl-C; returns kExitOk.
    virtual int showAndServe(Context& context, const std::string& page) = 0;
};
std::unique_ptr<BrowserPreview> startBrowserPreview(Context& context);

}  // namespace tarvomen::cli
