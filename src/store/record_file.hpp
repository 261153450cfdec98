#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/error.hpp"

namespace tarvomen {

// A record file that could not be opened, read, written or closed.
class RecordFileError : public Error {
  public:
    using Error::Error;
};

// A random-access file of fixed-length records, record n at byte (n - 1) x length.
//  - For writing: opened read/write, created when missing, owner-only (0600, as the page
//    record holds the FTP password), under an exclusive advisory lock, so that a second
//    program on the same drive is refused instead of overwriting this one's records.
//  - For reading: opened read-only under a shared lock; nothing is created and no mode is
//    changed. A missing file reads as empty records.
//  - Reading past the end yields the empty record; a short last record reads its missing bytes
//    from the empty record. Writing past the end first fills the gap with empty records.
//  - Bytes after the last whole record (a damaged or foreign file) are reported by warning()
//    and never taken into a record: a write that would reach them is refused.
//  - A write reaches the disk (fdatasync) before it returns. A write that fails leaves the file
//    as it was (old bytes put back, old size restored), or says that it could not.
// Failures throw RecordFileError with a message naming the file.
class RecordFile {
  public:
    enum class Access { ReadOnly, ReadWrite };

    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // `displayName` names the file in messages ("C:\Program Files\Tarvomen\Qvprofile.txt");
    // `emptyRecord` is the byte image of a record that was never written.
    void open(const std::filesystem::path& hostPath, std::string displayName,
              std::string emptyRecord, Access access = Access::ReadWrite);
    // Closing a file that is not open is no error. Throws RecordFileError when the system reports a
    // failed close; the file is closed all the same.
    void close();
    bool isOpen() const { return open_; }

    // The message about stray bytes after the last whole record, as found at open.
    const std::optional<std::string>& warning() const { return warning_; }

    std::string read(std::int64_t recordNo) const;
    void write(std::int64_t recordNo, std::string_view bytes);

  private:
    std::string strayMessage(std::int64_t size) const;
    // Puts `old` back at `start` and cuts the file to `size`; true when that reached the disk.
    bool restore(std::int64_t start, const std::string& old, std::int64_t size);

    int fd_ = -1;  // -1 also while a missing file is open for reading
    bool open_ = false;
    Access access_ = Access::ReadWrite;
    std::string displayName_;
    std::string empty_;
    std::optional<std::string> warning_;
};

}  // namespace tarvomen
