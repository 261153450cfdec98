// serve: the site folder on the loopback preview server until the user interrupts; and the
// preview session that the --open option of the generating commands runs through it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <system_error>

#include "cli/cli.hpp"
#include "publish/preview_server.hpp"
#include "publish/previewing_shell.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::cli {
namespace {

using publish::PreviewingShell;
using publish::PreviewServer;

int interruptPipe[2] = {-1, -1};

extern "C" void onInterrupt(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(interruptPipe[1], &byte, 1);
    errno = saved;
}

// Catches SIGINT and SIGTERM while it lives, on whichever thread they arrive, so that the
// server is stopped cleanly; the previous handlers come back afterwards.
class InterruptCatcher {
  public:
    InterruptCatcher() {
        if (::pipe2(interruptPipe, O_CLOEXEC) != 0) throw Error("Cannot wait for Ctrl-C.");
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGINT, &action, &previousInt_);
        sigaction(SIGTERM, &action, &previousTerm_);
    }
    ~InterruptCatcher() {
        sigaction(SIGINT, &previousInt_, nullptr);
        sigaction(SIGTERM, &previousTerm_, nullptr);
        ::close(interruptPipe[0]);
        ::close(interruptPipe[1]);
        interruptPipe[0] = interruptPipe[1] = -1;
    }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

    // True once interrupted; false when `milliseconds` passed first.
    bool wait(int milliseconds) {
        pollfd fd{interruptPipe[0], POLLIN, 0};
        const int ready = ::poll(&fd, 1, milliseconds);
        return ready > 0;
    }

  private:
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
};

// A summary of the names, sizes and times of the site folder's files: it changes when a
// generation, in this program or another, rewrites the site.
std::size_t siteStamp(const std::filesystem::path& siteFolder) {
    namespace fs = std::filesystem;
    std::size_t stamp = 0;
    const auto mix = [&stamp](std::size_t value) {
        stamp ^= value + 0x9E3779B97F4A7C15ull + (stamp << 6) + (stamp >> 2);
    };
    std::error_code ec;
    for (fs::recursive_directory_iterator it(siteFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        mix(std::hash<std::string>{}(it->path().string()));
        mix(static_cast<std::size_t>(it->last_write_time(ec).time_since_epoch().count()));
        if (it->is_regular_file(ec)) mix(static_cast<std::size_t>(it->file_size(ec)));
    }
    return stamp;
}

// Serves until SIGINT or SIGTERM. A change to the site folder that has settled for half a
// second counts as a finished generation, so that pages open in the browser reload.
void serveUntilInterrupted(Context& context, InterruptCatcher& interrupt, PreviewServer& server,
                           const std::string& page) {
    context.out << "Serving the site at " << server.address(page) << " - press Ctrl-C to stop."
                << std::endl;
    const auto stampNow = [&context]() -> std::size_t {
        try {
            return siteStamp(context.state.drive.resolve(paths::kSiteFolder));
        } catch (const PathError&) {
            return 0;
        }
    };
    std::size_t seen = stampNow();
    std::size_t last = seen;
    while (!interrupt.wait(500)) {
        const std::size_t now = stampNow();
        if (now == last && now != seen) {
            seen = now;
            server.notifyGenerated();
        }
        last = now;
    }
    context.out << "Stopped serving." << std::endl;
}

}  // namespace

int runServe(Context& context) {
    int port = 0;
    const auto& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--port" && i + 1 < args.size()) {
            port = parseNumberArgument(args[++i], 0, 65535, "The port");
        } else if (args[i].starts_with("--port=")) {
            port = parseNumberArgument(args[i].substr(7), 0, 65535, "The port");
        } else {
            throw UsageError("unexpected argument \"" + args[i] + "\".");
        }
    }
    InterruptCatcher interrupt;
    PreviewServer server(context.state.drive.root());
    server.start(port);
    if (!context.state.drive.exists(std::string(paths::kSiteFolder) + "\\index.html")) {
        context.err << "The site folder has no home page yet: run \"tarvomen-cli generate\"."
                    << std::endl;
    }
    serveUntilInterrupted(context, interrupt, server, "index.html");
    server.stop();
    return kExitOk;
}

int keepServing(Context& context, PreviewingShell& previewing, const std::string& page) {
    PreviewServer* server = previewing.server();
    const auto name = PreviewServer::siteNameOf(context.state.drive, page);
    // Without a server the page went to the browser as a file: nothing to keep serving.
    if (!server || !name) return kExitOk;
    InterruptCatcher interrupt;
    serveUntilInterrupted(context, interrupt, *server, *name);
    server->stop();
    return kExitOk;
}

}  // namespace tarvomen::cli
