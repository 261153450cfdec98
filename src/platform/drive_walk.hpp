#pragma once

// Opening paths beneath the drive folder with the kernel as the guard: openat2 confined to the
// folder's descriptor, or a walk of O_NOFOLLOW opens one component at a time where the kernel
// has no openat2.

#include <optional>
#include <string>
#include <utility>

namespace tarvomen::drive_walk {

// An owned file descriptor.
class Fd {
  public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd();

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    explicit operator bool() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

enum class Method {
    openat2,       // the kernel's confined lookup; becomes the walk where the kernel lacks it
    noFollowWalk,  // one component at a time, every link examined by this program
};

struct Opened {
    Fd fd;
    int error = 0;  // the errno of a failed open: ENOENT, ENOTDIR, ELOOP (a link on the way) ...
};

// Opens `relative` ("Tarvomen/Data"; "" is the folder itself) beneath the folder `root` with
// `flags` (O_PATH, O_RDONLY | O_DIRECTORY ...), crossing no symbolic link: a link on the way or
// at the end gives ELOOP.
Opened openWithoutLinks(Method method, int root, const std::string& relative, int flags);

// The real path, relative to `root`, of the entry that `relative` leads to when its links are
// followed with `root` standing for "/" (".." stops there). Nothing when it leads to no
// existing entry.
std::optional<std::string> followLinks(Method method, int root, const std::string& relative);

// "a/b" + "c" = "a/b/c"; "" + "c" = "c".
std::string joined(const std::string& folder, const std::string& name);

}  // namespace tarvomen::drive_walk
