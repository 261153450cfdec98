#include "store/record_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/error.hpp"

namespace tarvomen {
namespace {

std::string systemReason() {
    return std::strerror(errno);
}

}  // namespace

RecordFile::~RecordFile() {
    close();
}

void RecordFile::open(const std::filesystem::path& hostPath, std::string displayName,
                      std::string emptyRecord) {
    close();
    displayName_ = std::move(displayName);
    empty_ = std::move(emptyRecord);
    const int fd = ::open(hostPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        throw Error("Cannot open the site file " + displayName_ + ": " + systemReason() + ".");
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        const std::string reason = systemReason();
        ::close(fd);
        if (busy) {
            throw Error("The site file " + displayName_ +
                        " is in use by another Tarvomen program on this drive. Close that "
                        "program first.");
        }
        throw Error("Cannot lock the site file " + displayName_ + ": " + reason + ".");
    }
    // Files made by earlier versions or other programs may be readable by others.
    ::fchmod(fd, 0600);
    fd_ = fd;
}

void RecordFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);  // also releases the lock
        fd_ = -1;
    }
}

std::string RecordFile::read(std::int64_t recordNo) const {
    if (fd_ < 0) throw Error("The site file " + displayName_ + " is not open.");
    if (recordNo < 1) throw Error("Record numbers start at 1.");
    const auto length = static_cast<std::int64_t>(empty_.size());
    std::string bytes = empty_;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd_, bytes.data() + done, bytes.size() - done,
                                  (recordNo - 1) * length + static_cast<std::int64_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Error("Cannot read the site file " + displayName_ + ": " + systemReason() + ".");
        }
        if (n == 0) break;  // end of file: the rest stays empty
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

void RecordFile::write(std::int64_t recordNo, std::string_view bytes) {
    if (fd_ < 0) throw Error("The site file " + displayName_ + " is not open.");
    if (recordNo < 1) throw Error("Record numbers start at 1.");
    const auto length = static_cast<std::int64_t>(empty_.size());
    const auto fail = [&] {
        throw Error("Cannot write the site file " + displayName_ + ": " + systemReason() + ".");
    };
    struct stat info {};
    if (::fstat(fd_, &info) != 0) fail();
    const std::int64_t offset = (recordNo - 1) * length;

    // Fill a gap before the record with empty records, never with zero bytes.
    std::string image;
    std::int64_t start = offset;
    if (info.st_size < offset) {
        // Start at the record the file ends in; a short last record keeps its bytes and is
        // completed from the empty record.
        start = (info.st_size / length) * length;
        for (std::int64_t at = start; at < offset; at += length) {
            image += (at == start && info.st_size > start) ? read(at / length + 1) : empty_;
        }
    }
    image.append(bytes.substr(0, empty_.size()));

    std::size_t done = 0;
    while (done < image.size()) {
        const ssize_t n = ::pwrite(fd_, image.data() + done, image.size() - done,
                                   start + static_cast<std::int64_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            fail();
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fdatasync(fd_) != 0) fail();
}

}  // namespace tarvomen
