#include "platform/drive_walk.hpp"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <deque>
#include <vector>

namespace tarvomen::drive_walk {
namespace {

// Set once openat2 answered ENOSYS (a kernel before 5.6, or a filter that hides the call).
std::atomic<bool> kernelLacksOpenat2{false};

constexpr int kMaxLinks = 40;  // as the kernel allows on one lookup

std::vector<std::string> componentsOf(const std::string& relative) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        if (end > start) parts.push_back(relative.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string joinedAll(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& part : parts) out = joined(out, part);
    return out;
}

// openat2 confined to `root`; nothing when the kernel lacks it.
std::optional<Opened> openConfined(int root, const std::string& relative, int flags,
                                   unsigned long long resolve) {
    if (kernelLacksOpenat2.load(std::memory_order_relaxed)) return std::nullopt;
    open_how how{};
    how.flags = static_cast<unsigned long long>(flags | O_CLOEXEC);
    how.resolve = resolve;
    const char* path = relative.empty() ? "." : relative.c_str();
    for (int attempt = 0; attempt < 8; ++attempt) {
        const long fd = ::syscall(SYS_openat2, root, path, &how, sizeof how);
        if (fd >= 0) return Opened{Fd(static_cast<int>(fd)), 0};
        if (errno == ENOSYS) {
            kernelLacksOpenat2.store(true, std::memory_order_relaxed);
            return std::nullopt;
        }
        // EAGAIN: a rename elsewhere raced the lookup; the kernel asks to try again.
        if (errno != EAGAIN && errno != EINTR) return Opened{Fd(), errno};
    }
    return Opened{Fd(), EAGAIN};
}

Opened walkWithoutLinks(int root, const std::string& relative, int flags) {
    const std::vector<std::string> parts = componentsOf(relative);
    if (parts.empty()) {
        const int fd = ::openat(root, ".", flags | O_CLOEXEC);
        return fd >= 0 ? Opened{Fd(fd), 0} : Opened{Fd(), errno};
    }
    Fd held;
    int folder = root;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const int openFlags = (last ? flags : O_PATH | O_DIRECTORY) | O_NOFOLLOW | O_CLOEXEC;
        const int fd = ::openat(folder, parts[i].c_str(), openFlags);
        if (fd < 0) {
            const int error = errno;
            // O_NOFOLLOW says ELOOP for a link, or ENOTDIR when O_DIRECTORY was asked for:
            // tell a link from a file.
            struct stat st {};
            if (error == ENOTDIR &&
                ::fstatat(folder, parts[i].c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(st.st_mode)) {
                return {Fd(), ELOOP};
            }
            return {Fd(), error};
        }
        held = Fd(fd);
        folder = fd;
        if (last && (flags & O_PATH)) {
            // O_PATH | O_NOFOLLOW opens a link itself rather than failing.
            struct stat st {};
            if (::fstat(fd, &st) != 0) return {Fd(), errno};
            if (S_ISLNK(st.st_mode)) return {Fd(), ELOOP};
        }
    }
    return {std::move(held), 0};
}

std::optional<std::string> readLink(int folder, const std::string& name) {
    std::string target(PATH_MAX, '\0');
    const ssize_t size = ::readlinkat(folder, name.c_str(), target.data(), target.size());
    if (size < 0 || static_cast<std::size_t>(size) >= target.size()) return std::nullopt;
    target.resize(static_cast<std::size_t>(size));
    return target;
}

std::optional<std::string> walkFollowingLinks(int root, const std::string& relative) {
    std::vector<std::string> real;
    std::deque<std::string> todo;
    for (auto& part : componentsOf(relative)) todo.push_back(std::move(part));
    int links = 0;
    while (!todo.empty()) {
        const std::string part = std::move(todo.front());
        todo.pop_front();
        if (part == ".") continue;
        if (part == "..") {
            if (!real.empty()) real.pop_back();
            continue;
        }
        const Opened folder = walkWithoutLinks(root, joinedAll(real), O_PATH | O_DIRECTORY);
        if (folder.error) return std::nullopt;
        struct stat st {};
        if (::fstatat(folder.fd.get(), part.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            return std::nullopt;
        }
        if (S_ISLNK(st.st_mode)) {
            const auto target = readLink(folder.fd.get(), part);
            if (!target || ++links > kMaxLinks) return std::nullopt;
            if (target->starts_with('/')) real.clear();
            const auto parts = componentsOf(*target);
            todo.insert(todo.begin(), parts.begin(), parts.end());
            continue;
        }
        if (!todo.empty() && !S_ISDIR(st.st_mode)) return std::nullopt;
        real.push_back(part);
    }
    return joinedAll(real);
}

// The path of an open descriptor as the kernel names it.
std::optional<std::string> pathOf(int fd) {
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    std::string target(PATH_MAX, '\0');
    const ssize_t size = ::readlink(link.c_str(), target.data(), target.size());
    if (size <= 0 || static_cast<std::size_t>(size) >= target.size()) return std::nullopt;
    target.resize(static_cast<std::size_t>(size));
    return target;
}

}  // namespace

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

Fd::~Fd() {
    if (fd_ >= 0) ::close(fd_);
}

std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    return folder + "/" + name;
}

Opened openWithoutLinks(Method method, int root, const std::string& relative, int flags) {
    if (method == Method::openat2) {
        auto opened = openConfined(root, relative, flags,
                                   RESOLVE_IN_ROOT | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS);
        if (opened) return std::move(*opened);
    }
    return walkWithoutLinks(root, relative, flags);
}

std::optional<std::string> followLinks(Method method, int root, const std::string& relative) {
    if (method == Method::openat2) {
        auto opened = openConfined(root, relative, O_PATH, RESOLVE_IN_ROOT | RESOLVE_NO_MAGICLINKS);
        if (opened && opened->error) return std::nullopt;
        if (opened) {
            // The kernel kept the lookup inside; its name for the result, made relative.
            const auto rootPath = pathOf(root);
            const auto path = pathOf(opened->fd.get());
            if (rootPath && path) {
                if (*path == *rootPath) return std::string();
                const std::string prefix = *rootPath == "/" ? "/" : *rootPath + "/";
                if (path->starts_with(prefix)) return path->substr(prefix.size());
                return std::nullopt;
            }
        }
    }
    return walkFollowingLinks(root, relative);
}

}  // namespace tarvomen::drive_walk
