#include "publish/upload/site_publisher.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

extern char** environ;

namespace tarvomen::publish {

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

}  // namespace tarvomen::publish
