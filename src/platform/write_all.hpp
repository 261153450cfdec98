#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvomen {

// Why writing a whole buffer stopped short.
struct WriteFailure {
    // The errno of the failed write, or 0 when a write wrote nothing and reported no error
    // (trying again could loop for ever).
    int error = 0;

    // The error, or ENOSPC for a write that wrote nothing: for callers that report a number.
    int errorOrNoSpace() const;
    // strerror of the error, or "the system wrote nothing".
    std::string reason() const;
};

// Writes all of `bytes` to `fd` at its file position, writing again after a partial write and
// after a signal (EINTR). Nothing when everything was written.
std::optional<WriteFailure> writeAll(int fd, std::string_view bytes);

// The same with pwrite at `offset`; the file position is left alone.
std::optional<WriteFailure> writeAllAt(int fd, std::string_view bytes, std::int64_t offset);

}  // namespace tarvomen
