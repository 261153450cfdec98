// tarvomen-cli carries no network code: the commands that publish or serve, and the --open
// forms of generate, preview and link, are run by the transport program tarvomen-cli-net, a
// build of the same command line with every command. It is found beside this program (the
// build tree) or in its libexec folder (an installed program), and gets the same arguments.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.hpp"

namespace fs = std::filesystem;

namespace tarvomen::cli {
namespace {

constexpr const char* kTransportProgram = "tarvomen-cli-net";

// This process's own arguments, as the kernel keeps them.
std::vector<std::string> ownArguments() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> args;
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t end = all.find('\0', start);
        args.push_back(all.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return args;
}

[[noreturn]] void runTransportProgram() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) throw Error("Cannot find the program's own folder: " + ec.message() + ".");
    const fs::path folder = self.parent_path();
    fs::path program = folder / kTransportProgram;
    if (::access(program.c_str(), X_OK) != 0) {
        program = (folder / TARVOMEN_TRANSPORTS_FROM_BIN / kTransportProgram).lexically_normal();
    }
    std::vector<std::string> args = ownArguments();
    if (args.empty()) throw Error("Cannot read the program's own arguments.");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::cout.flush();
    std::cerr.flush();
    ::execv(program.c_str(), argv.data());
    throw Error("Cannot start " + program.string() +
                ", which publishes and serves: " + std::strerror(errno) + ".");
}

}  // namespace

int runServe(Context&) {
    runTransportProgram();
}

int runPublish(Context&) {
    runTransportProgram();
}

std::unique_ptr<BrowserPreview> startBrowserPreview(Context&) {
    runTransportProgram();
}

}  // namespace tarvomen::cli
