#include "headless_chromium.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace tarvomen::testing {
namespace {

constexpr auto kAnswerTimeout = std::chrono::seconds(30);

// The value of the string field `key` in a JSON text, unescaped for the simple escapes, or
// nothing. Enough for the answers read here (ids, string results).
std::optional<std::string> stringField(const std::string& json, const std::string& key) {
    const std::string marker = "\"" + key + "\":\"";
    const std::size_t at = json.find(marker);
    if (at == std::string::npos) return std::nullopt;
    std::string value;
    for (std::size_t i = at + marker.size(); i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') return value;
        if (c != '\\' || i + 1 >= json.size()) {
            value += c;
            continue;
        }
        const char escaped = json[++i];
        switch (escaped) {
            case 'n':
                value += '\n';
                break;
            case 't':
                value += '\t';
                break;
            case 'r':
                value += '\r';
                break;
            case 'u':
                // Only ASCII is expected here; anything else stands as "?".
                if (i + 4 < json.size()) {
                    const long code = std::strtol(json.substr(i + 1, 4).c_str(), nullptr, 16);
                    value += code < 0x80 ? static_cast<char>(code) : '?';
                    i += 4;
                }
                break;
            default:
                value += escaped;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char code[8];
                    std::snprintf(code, sizeof code, "\\u%04x", c);
                    out += code;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::optional<fs::path> HeadlessChromium::find() {
    for (const char* program : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
        if (::access(program, X_OK) == 0) return fs::path(program);
    }
    return std::nullopt;
}

HeadlessChromium::HeadlessChromium(const fs::path& program, const fs::path& profileFolder)
    : logFile_(profileFolder.parent_path() / "chromium.log") {
    fs::create_directories(profileFolder);
    int commands[2];
    int answers[2];
    if (::pipe2(commands, O_CLOEXEC) != 0 || ::pipe2(answers, O_CLOEXEC) != 0) {
        throw std::runtime_error("no pipes for the browser");
    }
    const std::string profile = "--user-data-dir=" + profileFolder.string();
    const std::vector<std::string> args = {program.string(),
                                           "--headless",
                                           "--no-sandbox",
                                           "--disable-gpu",
                                           "--disable-quic",
                                           "--no-first-run",
                                           "--disable-background-networking",
                                           "--disable-component-update",
                                           "--disable-sync",
                                           "--mute-audio",
                                           "--remote-debugging-pipe",
                                           profile,
                                           "about:blank"};
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const std::string log = logFile_.string();

    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("cannot start the browser");
    if (pid_ == 0) {
        ::setpgid(0, 0);  // one group, so that stop() reaches the browser's own children
        // The pipe ends go to exactly 3 and 4 (without close-on-exec), by way of free numbers
        // so that neither overwrites the other; nothing else of this process is inherited.
        const int in = ::fcntl(commands[0], F_DUPFD_CLOEXEC, 10);
        const int out = ::fcntl(answers[1], F_DUPFD_CLOEXEC, 10);
        const int null = ::fcntl(::open("/dev/null", O_RDONLY | O_CLOEXEC), F_DUPFD_CLOEXEC, 10);
        const int err = ::fcntl(::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600),
                                F_DUPFD_CLOEXEC, 10);
        ::dup2(null, 0);
        ::dup2(err, 1);
        ::dup2(err, 2);
        ::dup2(in, 3);
        ::dup2(out, 4);
        ::close_range(5, ~0U, 0);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(commands[0]);
    ::close(answers[1]);
    toBrowser_ = commands[1];
    fromBrowser_ = answers[0];
    if (!call("Browser.getVersion", "{}", false)) {
        stop();
        throw std::runtime_error("the browser does not answer: " + this->log());
    }
}

HeadlessChromium::~HeadlessChromium() {
    stop();
}

void HeadlessChromium::stop() {
    if (pid_ <= 0) return;
    const std::string close = "{\"id\":0,\"method\":\"Browser.close\"}";
    (void)!::write(toBrowser_, close.c_str(), close.size() + 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(-pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::close(toBrowser_);
    ::close(fromBrowser_);
    pid_ = -1;
}

std::optional<std::string> HeadlessChromium::call(const std::string& method,
                                                  const std::string& params, bool inSession) {
    const int id = nextId_++;
    std::string message =
        "{\"id\":" + std::to_string(id) + ",\"method\":\"" + method + "\",\"params\":" + params;
    if (inSession) message += ",\"sessionId\":\"" + sessionId_ + "\"";
    message += "}";
    message += '\0';
    for (std::size_t sent = 0; sent < message.size();) {
        const ssize_t n = ::write(toBrowser_, message.data() + sent, message.size() - sent);
        if (n <= 0) return std::nullopt;
        sent += static_cast<std::size_t>(n);
    }

    // Answers start with their id; events in between are passed over.
    const std::string answerStart = "{\"id\":" + std::to_string(id) + ",";
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTimeout;
    while (true) {
        for (std::size_t end; (end = received_.find('\0')) != std::string::npos;) {
            std::string one = received_.substr(0, end);
            received_.erase(0, end + 1);
            if (one.starts_with(answerStart)) return one;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd ready{fromBrowser_, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
        char buffer[65536];
        const ssize_t n = ::read(fromBrowser_, buffer, sizeof buffer);
        if (n <= 0) return std::nullopt;  // the browser is gone
        received_.append(buffer, static_cast<std::size_t>(n));
    }
}

void HeadlessChromium::open(const std::string& address) {
    const auto target = call("Target.createTarget", "{\"url\":" + jsonString(address) + "}", false);
    const auto targetId = target ? stringField(*target, "targetId") : std::nullopt;
    if (!targetId) throw std::runtime_error("the browser opens no tab: " + target.value_or(""));
    const auto session = call("Target.attachToTarget",
                              "{\"targetId\":\"" + *targetId + "\",\"flatten\":true}", false);
    const auto sessionId = session ? stringField(*session, "sessionId") : std::nullopt;
    if (!sessionId)
        throw std::runtime_error("the browser gives no session: " + session.value_or(""));
    sessionId_ = *sessionId;
}

std::optional<std::string> HeadlessChromium::evaluate(const std::string& expression,
                                                      std::chrono::milliseconds within) {
    const std::string params = "{\"expression\":" + jsonString(expression) +
                               ",\"awaitPromise\":true,\"returnByValue\":true}";
    const auto deadline = std::chrono::steady_clock::now() + within;
    while (std::chrono::steady_clock::now() < deadline) {
        const auto answer = call("Runtime.evaluate", params, true);
        if (!answer) return std::nullopt;
        // An error (the page went while the script ran) or an exception: try again.
        if (answer->find("\"exceptionDetails\"") == std::string::npos &&
            answer->find("\"error\":") == std::string::npos) {
            if (auto value = stringField(*answer, "value")) return value;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::nullopt;
}

std::string HeadlessChromium::log() const {
    std::ifstream in(logFile_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace tarvomen::testing
