#include "generator/media_copy.hpp"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/write_all.hpp"

namespace tarvomen::generator {
namespace {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes the file and returns 0 or the errno of close (a deferred write error).
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

// Errors of copy_file_range that mean "not between these files", not a failed copy.
bool unsupported(int error) {
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL ||
           error == EBADF;
}

int readWriteCopy(int in, int out) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return 0;
        if (const auto failure = writeAll(out, {buffer, static_cast<std::size_t>(got)}))
            return failure->errorOrNoSpace();
    }
}

// Errors of FICLONE that mean "no reflink here".
bool noClone(int error) {
    return error == EOPNOTSUPP || error == ENOTTY || error == EXDEV || error == EINVAL ||
           error == ENOSYS || error == EBADF;
}

int copyContents(int in, int out, off_t size, CopyHints& hints) {
    if (hints.clone) {
        if (::ioctl(out, FICLONE, in) == 0) return 0;
        if (noClone(errno)) hints.clone = false;
    }
    if (!hints.copyRange) return readWriteCopy(in, out);
    off_t copied = 0;
    while (copied < size) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr,
                                            static_cast<std::size_t>(size - copied), 0);
        if (n > 0) {
            copied += n;
            continue;
        }
        if (n == 0) break;  // the source became shorter
        if (errno == EINTR) continue;
        if (copied == 0 && unsupported(errno)) {
            hints.copyRange = false;
            return readWriteCopy(in, out);
        }
        return errno;
    }
    return 0;
}

// The process's umask from /proc (the umask call would change it for a moment, under the feet
// of other threads); -1 when it cannot be told.
int readUmask() {
    std::FILE* status = std::fopen("/proc/self/status", "re");
    if (!status) return -1;
    int mask = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        unsigned value = 0;
        if (std::sscanf(line, "Umask: %o", &value) == 1) {
            mask = static_cast<int>(value);
            break;
        }
    }
    std::fclose(status);
    return mask;
}

// Whether a file created with the permission bits of `mode` gets all of them, so that no chmod
// is needed afterwards.
bool createdWithAllOf(mode_t mode, CopyHints& hints) {
    if (!hints.umask) hints.umask = readUmask();
    return *hints.umask >= 0 && (mode & 07000) == 0 &&
           (mode & static_cast<mode_t>(*hints.umask)) == 0;
}

}  // namespace

int CopyMediaFile(const std::filesystem::path& from, const std::filesystem::path& to, bool fresh,
                  CopyHints& hints) {
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) return errno;
    struct stat source {};
    if (::fstat(in.get(), &source) != 0) return errno;
    if (!S_ISREG(source.st_mode)) return S_ISDIR(source.st_mode) ? EISDIR : EINVAL;

    // A fresh copy lies in a folder of the run's own and is created with the source's bits; a
    // temporary one beside an existing file stays private until it takes the file's place.
    const mode_t mode = source.st_mode & 07777;
    const std::string target = fresh ? to.string() : to.string() + ".part";
    Fd out(::open(target.c_str(),
                  O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | (fresh ? O_EXCL : O_TRUNC),
                  fresh ? mode & 0777 : 0600));
    if (out.get() < 0) return errno;
    int error = copyContents(in.get(), out.get(), source.st_size, hints);
    const bool chmodNeeded = !fresh || !createdWithAllOf(mode, hints);
    if (error == 0 && chmodNeeded && ::fchmod(out.get(), mode) != 0) error = errno;
    const int closeError = out.close();
    if (error == 0) error = closeError;
    if (error == 0 && !fresh && ::rename(target.c_str(), to.c_str()) != 0) error = errno;
    if (error != 0) ::unlink(target.c_str());
    return error;
}

}  // namespace tarvomen::generator
