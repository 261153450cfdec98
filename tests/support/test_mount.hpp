#pragma once

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace tarvomen::testing {

// A file system mounted for one test and unmounted when the object goes. Mounting needs root
// (CAP_SYS_ADMIN); where that is refused, ready() is false and why() says so, for GTEST_SKIP.
// Declare it after the TempDrive it mounts into, so that it is unmounted first.
class TestMount {
  public:
    // A tmpfs of `size` bytes on the folder `at` (created when missing).
    static TestMount tmpfs(const std::filesystem::path& at, std::size_t size) {
        TestMount mount(at);
        const std::string options = "size=" + std::to_string(size) + ",mode=0700";
        if (::mount("tmpfs", at.c_str(), "tmpfs", 0, options.c_str()) == 0) {
            mount.mounted_ = true;
        } else {
            mount.why_ = "cannot mount a tmpfs (" + std::string(std::strerror(errno)) + ")";
        }
        return mount;
    }

    // The folder `at` bound onto itself, read-only: its files stay readable, nothing in it can
    // be created, written or have its mode changed, even by root.
    static TestMount readOnly(const std::filesystem::path& at) {
        TestMount mount(at);
        if (::mount(at.c_str(), at.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            mount.why_ = "cannot bind-mount (" + std::string(std::strerror(errno)) + ")";
            return mount;
        }
        mount.mounted_ = true;
        if (::mount(nullptr, at.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            mount.why_ =
                "cannot make a bind mount read-only (" + std::string(std::strerror(errno)) + ")";
        }
        return mount;
    }

    TestMount(TestMount&& other) noexcept
        : at_(std::move(other.at_)), mounted_(other.mounted_), why_(std::move(other.why_)) {
        other.mounted_ = false;
    }
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;
    ~TestMount() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }

    // Mounted as asked.
    bool ready() const { return mounted_ && why_.empty(); }
    const std::string& why() const { return why_; }

  private:
    explicit TestMount(std::filesystem::path at) : at_(std::move(at)) {
        std::filesystem::create_directories(at_);
    }

    std::filesystem::path at_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace tarvomen::testing
