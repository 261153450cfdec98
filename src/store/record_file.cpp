#include "store/record_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/write_all.hpp"

namespace tarvomen {
namespace {

std::string systemReason() {
    return std::strerror(errno);
}

// Reads up to `count` bytes at `offset`, fewer at the end of the file. Returns the number of
// bytes read, or -1 with errno set.
ssize_t readAt(int fd, char* data, std::size_t count, std::int64_t offset) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n =
            ::pread(fd, data + done, count - done, offset + static_cast<std::int64_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

// Writes all of `bytes` at `offset`; returns the reason when that failed.
std::optional<std::string> writeAt(int fd, std::string_view bytes, std::int64_t offset) {
    if (auto failure = writeAllAt(fd, bytes, offset)) return failure->reason();
    return std::nullopt;
}

std::string plural(std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

RecordFile::~RecordFile() {
    try {
        close();
    } catch (const RecordFileError&) {
        // Nobody left to tell; callers that care close the file themselves.
    }
}

void RecordFile::open(const std::filesystem::path& hostPath, std::string displayName,
                      std::string emptyRecord, Access access) {
    close();
    displayName_ = std::move(displayName);
    empty_ = std::move(emptyRecord);
    access_ = access;
    const bool writing = access == Access::ReadWrite;
    const int fd = writing ? ::open(hostPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)
                           : ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (!writing && errno == ENOENT) {
            open_ = true;  // nothing stored yet: every record reads as empty
            return;
        }
        throw RecordFileError("Cannot open the site file " + displayName_ + ": " + systemReason() +
                              ".");
    }
    if (::flock(fd, (writing ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        const std::string reason = systemReason();
        ::close(fd);
        if (busy) {
            throw RecordFileError(
                "The site file " + displayName_ +
                " is in use by another Tarvomen program on this drive. Close that "
                "program first.");
        }
        throw RecordFileError("Cannot lock the site file " + displayName_ + ": " + reason + ".");
    }
    // Files made by earlier versions or other programs may be readable by others.
    if (writing) ::fchmod(fd, 0600);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size % static_cast<std::int64_t>(empty_.size()) != 0) {
        warning_ = strayMessage(info.st_size);
    }
    fd_ = fd;
    open_ = true;
}

void RecordFile::close() {
    if (!open_) return;
    const int fd = fd_;
    fd_ = -1;
    open_ = false;
    warning_.reset();
    // The descriptor is released (with its lock) even when close reports an error.
    if (fd >= 0 && ::close(fd) != 0) {
        throw RecordFileError("Closing the site file " + displayName_ +
                              " failed: " + systemReason() +
                              ". Records saved in this run may not have reached the disk.");
    }
}

std::string RecordFile::strayMessage(std::int64_t size) const {
    const auto length = static_cast<std::int64_t>(empty_.size());
    return "The site file " + displayName_ + " ends in " +
           plural(size % length, "stray byte", "stray bytes") + " after " +
           plural(size / length, "whole record", "whole records") + " of " +
           std::to_string(length) + " bytes; they are read as the start of record " +
           std::to_string(size / length + 1) + " and left as they are.";
}

std::string RecordFile::read(std::int64_t recordNo) const {
    if (!open_) throw RecordFileError("The site file " + displayName_ + " is not open.");
    if (recordNo < 1) throw RecordFileError("Record numbers start at 1.");
    std::string bytes = empty_;
    if (fd_ < 0) return bytes;
    const auto length = static_cast<std::int64_t>(empty_.size());
    // At the end of the file the rest stays empty.
    if (readAt(fd_, bytes.data(), bytes.size(), (recordNo - 1) * length) < 0) {
        throw RecordFileError("Cannot read the site file " + displayName_ + ": " + systemReason() +
                              ".");
    }
    return bytes;
}

void RecordFile::write(std::int64_t recordNo, std::string_view bytes) {
    if (!open_) throw RecordFileError("The site file " + displayName_ + " is not open.");
    if (access_ != Access::ReadWrite) {
        throw RecordFileError("The site file " + displayName_ + " is open for reading only.");
    }
    if (recordNo < 1) throw RecordFileError("Record numbers start at 1.");
    const std::string cannot = "Cannot write record " + std::to_string(recordNo) +
                               " of the site file " + displayName_ + ": ";
    const auto length = static_cast<std::int64_t>(empty_.size());
    struct stat info {};
    if (::fstat(fd_, &info) != 0) throw RecordFileError(cannot + systemReason() + ".");
    const std::int64_t size = info.st_size;
    const std::int64_t offset = (recordNo - 1) * length;
    if (size % length != 0 && offset + length > size - size % length) {
        throw RecordFileError(
            cannot + "the file ends in " + plural(size % length, "stray byte", "stray bytes") +
            " after " + plural(size / length, "whole record", "whole records") +
            ", which this write would take into a record. Cut the file to a whole "
            "number of records of " +
            std::to_string(length) + " bytes first.");
    }

    // Fill a gap before the record with empty records, never with zero bytes.
    const std::int64_t start = std::min(offset, size);
    std::string image;
    for (std::int64_t at = start; at < offset; at += length) image += empty_;
    image.append(bytes.substr(0, empty_.size()));

    // The bytes this write replaces, to put back if it fails.
    std::string old(static_cast<std::size_t>(std::min<std::int64_t>(
                        static_cast<std::int64_t>(image.size()), size - start)),
                    '\0');
    const ssize_t got = readAt(fd_, old.data(), old.size(), start);
    if (got < 0) throw RecordFileError(cannot + systemReason() + ".");
    old.resize(static_cast<std::size_t>(got));

    std::optional<std::string> failure = writeAt(fd_, image, start);
    if (!failure && ::fdatasync(fd_) != 0) failure = systemReason();
    if (!failure) return;
    if (restore(start, old, size)) {
        throw RecordFileError(cannot + *failure + ". The file was left as it was.");
    }
    throw RecordFileError(cannot + *failure + ". Putting the old bytes back failed too: record " +
                          std::to_string(recordNo) + " may hold the new value or a part of it.");
}

bool RecordFile::restore(std::int64_t start, const std::string& old, std::int64_t size) {
    return !writeAt(fd_, old, start) && ::ftruncate(fd_, size) == 0 && ::fdatasync(fd_) == 0;
}

}  // namespace tarvomen
