#include "handoffs/desktop_shell.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/error.hpp"

extern char** environ;

namespace tarvomen::handoffs {
namespace {

bool startsWithNoCase(const std::string& text, std::string_view prefix) {
    return text.size() > prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

// An address the program hands over: ftp, http or https. Other schemes (file: among them) are
// refused like paths outside the drive.
bool isAddress(const std::string& target) {
    for (const std::string_view scheme : {"ftp://", "http://", "https://"}) {
        if (startsWithNoCase(target, scheme)) return true;
    }
    return false;
}

// Starts `program argument` with stdin and stdout on /dev/null; the child is reaped by a
// detached thread so that it does not linger as a zombie.
void startDetached(const std::string& program, const std::string& argument) {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return;
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()),
                            nullptr};
    pid_t pid = 0;
    const int result = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) return;
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace

bool desktopHandlesFtpAddresses() {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>("xdg-mime"), const_cast<char*>("query"),
                    const_cast<char*>("default"), const_cast<char*>("x-scheme-handler/ftp"),
                    nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "xdg-mime", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string answer;
    if (spawned == 0) {
        char buffer[256];
        ssize_t n;
        while ((n = ::read(out[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
            if (n > 0) answer.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(out[0]);
    if (spawned != 0) return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const bool named = answer.find_first_not_of(" \t\r\n") != std::string::npos;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && named;
}

DesktopShell::DesktopShell(const Drive& drive, std::string program)
    : drive_(drive), program_(std::move(program)) {}

std::optional<std::string> DesktopShell::argumentFor(const std::string& target) const {
    if (target.empty()) return std::nullopt;
    if (isAddress(target)) return target;
    try {
        return drive_.resolve(target).string();
    } catch (const PathError&) {
        return std::nullopt;
    }
}

void DesktopShell::open(const std::string& target, ShowMode /*mode*/) {
    // Without a program for ftp:// addresses the desktop would open a browser that no longer
    // speaks FTP; the built-in publishing takes its place.
    if (startsWithNoCase(target, "ftp://") && !desktopHandlesFtpAddresses()) return;
    if (const auto argument = argumentFor(target)) startDetached(program_, *argument);
}

}  // namespace tarvomen::handoffs
