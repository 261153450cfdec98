#include "platform/write_all.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarvomen {
namespace {

// Writes `bytes` with `put(data, count, done)` until all are written or a write fails.
template <class Put>
std::optional<WriteFailure> writeLoop(std::string_view bytes, Put put) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = put(bytes.data() + done, bytes.size() - done, done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return WriteFailure{errno};
        }
        if (n == 0) return WriteFailure{0};
        done += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

}  // namespace

int WriteFailure::errorOrNoSpace() const {
    return error != 0 ? error : ENOSPC;
}

std::string WriteFailure::reason() const {
    return error != 0 ? std::strerror(error) : "the system wrote nothing";
}

std::optional<WriteFailure> writeAll(int fd, std::string_view bytes) {
    return writeLoop(bytes, [fd](const char* data, std::size_t count, std::size_t) {
        return ::write(fd, data, count);
    });
}

std::optional<WriteFailure> writeAllAt(int fd, std::string_view bytes, std::int64_t offset) {
    return writeLoop(bytes, [fd, offset](const char* data, std::size_t count, std::size_t done) {
        return ::pwrite(fd, data, count, offset + static_cast<std::int64_t>(done));
    });
}

}  // namespace tarvomen
