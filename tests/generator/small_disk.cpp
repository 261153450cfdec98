#include "small_disk.hpp"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fs = std::filesystem;

namespace tarvomen::testing {

SmallDisk::SmallDisk(std::size_t bytes) {
    mountPoint_ = fs::temp_directory_path() / ("tarvomen-small-disk-" + std::to_string(::getpid()));
    std::error_code ec;
    fs::create_directories(mountPoint_, ec);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", mountPoint_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        reason_ = std::string("cannot mount a tmpfs (needs root): ") + std::strerror(errno);
        fs::remove(mountPoint_, ec);
        return;
    }
    mounted_ = true;
    if (const char* tmpdir = std::getenv("TMPDIR")) oldTmpdir_ = tmpdir;
    ::setenv("TMPDIR", mountPoint_.c_str(), 1);
}

SmallDisk::~SmallDisk() {
    if (!mounted_) return;
    if (oldTmpdir_) {
        ::setenv("TMPDIR", oldTmpdir_->c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
    ::umount2(mountPoint_.c_str(), MNT_DETACH);
    std::error_code ec;
    fs::remove(mountPoint_, ec);
}

void SmallDisk::fill(std::size_t leave) {
    struct statvfs disk {};
    if (::statvfs(mountPoint_.c_str(), &disk) != 0) return;
    const std::size_t free = static_cast<std::size_t>(disk.f_bavail) * disk.f_frsize;
    if (free <= leave) return;
    std::size_t left = free - leave;
    const int fd = ::open((mountPoint_ / "filler").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0) return;
    const std::vector<char> block(64 * 1024, 'f');
    while (left > 0) {
        const ssize_t put = ::write(fd, block.data(), left < block.size() ? left : block.size());
        if (put <= 0) break;
        left -= static_cast<std::size_t>(put);
    }
    ::close(fd);
}

void SmallDisk::unfill() {
    std::error_code ec;
    fs::remove(mountPoint_ / "filler", ec);
}

}  // namespace tarvomen::testing
