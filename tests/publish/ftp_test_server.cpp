#include "ftp_test_server.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace tarvomen::testing {
namespace {

pid_t spawn(const std::vector<std::string>& argv, int stdoutFd, bool ownGroup = false) {
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (ownGroup) {
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
    }
    pid_t pid = -1;
    const int result = posix_spawn(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) throw std::runtime_error("cannot start " + argv[0]);
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

pid_t startProgram(const std::vector<std::string>& argv) {
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t pid = spawn(argv, null, true);
    ::close(null);
    return pid;
}

// The processes `pid` started, and theirs, by their parent in /proc.
std::vector<pid_t> descendantsOf(pid_t pid) {
    std::vector<std::pair<pid_t, pid_t>> parents;  // process, parent
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        const auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(line.substr(close + 2));
        char state = 0;
        pid_t parent = 0;
        rest >> state >> parent;
        parents.emplace_back(std::stoi(name), parent);
    }
    std::vector<pid_t> out = {pid};
    for (std::size_t i = 0; i < out.size(); ++i) {
        for (const auto& [process, parent] : parents) {
            if (parent == out[i]) out.push_back(process);
        }
    }
    out.erase(out.begin());
    return out;
}

void killProgram(pid_t pid) {
    if (pid <= 0) return;
    // Servers that start a process per connection may move it out of the group.
    const auto children = descendantsOf(pid);
    ::kill(-pid, SIGKILL);
    for (const pid_t child : children) ::kill(child, SIGKILL);
    waitFor(pid);
}

int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("no free port");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

bool waitForPort(int port, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        const bool up = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        if (up) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::string runProgram(const std::vector<std::string>& argv) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = spawn(argv, out[1]);
    ::close(out[1]);
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    const int status = waitFor(pid);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(argv[0] + " failed");
    }
    return text;
}

FtpTestServer::FtpTestServer(Options options) : options_(std::move(options)) {
    std::random_device random;
    base_ = fs::temp_directory_path() / ("tarvomen-ftp-" + std::to_string(random()));
    root_ = base_ / "served";
    fs::create_directories(root_);
    certificate_ = base_ / "server.pem";
    if (options_.tls) renewCertificate();
    start();
}

FtpTestServer::~FtpTestServer() {
    stop();
    std::error_code ec;
    fs::remove_all(base_, ec);
}

void FtpTestServer::renewCertificate() {
    const fs::path key = base_ / "key.pem";
    const fs::path cert = base_ / "cert.pem";
    runProgram({"/usr/bin/openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key.string(), "-out",
                cert.string(), "-days", "2", "-subj", "/CN=Tarvomen test server"});
    std::ofstream out(certificate_, std::ios::binary | std::ios::trunc);
    out << std::ifstream(cert).rdbuf() << std::ifstream(key).rdbuf();
}

std::string FtpTestServer::certificateFingerprint() const {
    // "sha256 Fingerprint=AB:CD:..." (the label's case differs between versions)
    std::string text = runProgram({"/usr/bin/openssl", "x509", "-in", (base_ / "cert.pem").string(),
                                   "-noout", "-fingerprint", "-sha256"});
    text = text.substr(text.find('=') + 1);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

void FtpTestServer::start() {
    std::vector<std::string> argv = {"/usr/bin/python3", TARVOMEN_FTP_SERVER_SCRIPT,
                                     "--root",           root_.string(),
                                     "--user",           options_.user,
                                     "--password",       options_.password,
                                     "--port",           std::to_string(port_)};
    if (options_.tls) {
        argv.push_back("--tls");
        argv.push_back(certificate_.string());
    }
    if (options_.caseInsensitive) argv.push_back("--case-insensitive");
    if (!options_.fullFor.empty()) {
        argv.push_back("--full-for");
        argv.push_back(options_.fullFor);
    }
    if (!options_.refuseFor.empty()) {
        argv.push_back("--refuse-for");
        argv.push_back(options_.refuseFor);
    }
    if (options_.noEpsv) argv.push_back("--no-epsv");
    if (options_.noStat) argv.push_back("--no-stat");
    if (options_.delay > 0) {
        argv.push_back("--delay");
        argv.push_back(std::to_string(options_.delay));
    }

    // A restart may find the port still held by the old process for a moment.
    for (int attempt = 0; attempt < 50; ++attempt) {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
        pid_ = spawn(argv, out[1]);
        ::close(out[1]);
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (line.find('\n') == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            pollfd p{out[0], POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0) continue;
            char buffer[64];
            const ssize_t n = ::read(out[0], buffer, sizeof buffer);
            if (n <= 0) break;
            line.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(out[0]);
        if (line.rfind("PORT ", 0) == 0) {
            port_ = std::stoi(line.substr(5));
            return;
        }
        ::kill(pid_, SIGKILL);
        waitFor(pid_);
        pid_ = -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    throw std::runtime_error("the FTP test server did not start");
}

void FtpTestServer::stop() {
    if (pid_ < 0) return;
    ::kill(pid_, SIGKILL);
    waitFor(pid_);
    pid_ = -1;
}

std::vector<std::string> FtpTestServer::files() const {
    std::vector<std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
        if (entry.is_regular_file()) out.push_back(fs::relative(entry.path(), root_).string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace tarvomen::testing
