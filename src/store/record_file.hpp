#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvomen {

// A random-access file of fixed-length records, record n at byte (n - 1) x length.
//  - Opened read/write, created when missing, owner-only (0600): the page record holds the FTP
//    password.
//  - Holds an exclusive advisory lock while open, so a second program on the same drive is
//    refused instead of overwriting this one's records.
//  - Reading past the end yields the empty record; a short last record reads its missing bytes
//    from the empty record. Writing past the end first fills the gap with empty records.
//  - A write reaches the disk (fdatasync) before it returns.
// Failures throw Error with a message naming the file.
class RecordFile {
  public:
    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // `displayName` names the file in messages ("C:\Program Files\Tarvomen\Qvprofile.txt");
    // `emptyRecord` is the byte image of a record that was never written.
    void open(const std::filesystem::path& hostPath, std::string displayName,
              std::string emptyRecord);
    void close();
    bool isOpen() const { return fd_ >= 0; }

    std::string read(std::int64_t recordNo) const;
    void write(std::int64_t recordNo, std::string_view bytes);

  private:
    int fd_ = -1;
    std::string displayName_;
    std::string empty_;
};

}  // namespace tarvomen
