#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarvomen::testing {

// Why the real servers cannot run here ("" when they can): they need root, for a local test
// user and for the servers themselves.
std::string realServersUnavailable(const char* program);

// The local account the real servers log in; made (once) by the first server that needs it.
struct TestAccount {
    static constexpr const char* kUser = "tarvomentest";
    static constexpr const char* kPassword = "Sh0p:p@ss w0rd";
    static std::filesystem::path home();
    static void ensure();
};

// Debian's vsftpd on 127.0.0.1 with explicit FTPS required on control and data connections
// (a fresh self-signed certificate), serving the test account's home folder, emptied first.
class VsftpdServer {
  public:
    VsftpdServer();
    ~VsftpdServer();
    VsftpdServer(const VsftpdServer&) = delete;
    VsftpdServer& operator=(const VsftpdServer&) = delete;

    void stop();
    void start();
    void renewCertificate();

    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string certificateFingerprint() const;
    // What the server logged (failed log-ins among it).
    std::string log() const;
    // Every file below the home folder ("www/Tarvomen/index.html"), sorted.
    std::vector<std::string> files() const;

  private:
    std::filesystem::path base_;
    int port_ = 0;
    pid_t pid_ = -1;
};

// Debian's OpenSSH sshd on 127.0.0.1 with its SFTP subsystem: password and key log-in for the
// test account, whose home folder is emptied first.
class SshdServer {
  public:
    SshdServer();
    ~SshdServer();
    SshdServer(const SshdServer&) = delete;
    SshdServer& operator=(const SshdServer&) = delete;

    void stop();
    void start();
    void renewHostKey();

    std::string host() const { return "sftp://127.0.0.1:" + std::to_string(port_); }
    // A private key the server accepts for the test account.
    std::filesystem::path clientKey() const { return base_ / "client_key"; }
    std::vector<std::string> files() const;

  private:
    std::filesystem::path base_;
    int port_ = 0;
    pid_t pid_ = -1;
};

}  // namespace tarvomen::testing
