#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace tarvomen::testing {

// A small tmpfs that the test's temporary folders go into ($TMPDIR points into it while it
// lives), so that a disk can run full for real. Mounting needs root: tests skip when
// `mounted()` is false, and `reason()` says why.
class SmallDisk {
  public:
    explicit SmallDisk(std::size_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& reason() const { return reason_; }

    // Takes the free space until at most `leave` bytes remain; unfill() gives it back.
    void fill(std::size_t leave = 0);
    void unfill();

  private:
    std::filesystem::path mountPoint_;
    std::optional<std::string> oldTmpdir_;
    bool mounted_ = false;
    std::string reason_;
};

}  // namespace tarvomen::testing
