#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarvomen::testing {

// Runs a program and returns what it wrote on its standard output; throws when it fails.
std::string runProgram(const std::vector<std::string>& argv);

// Starts a program in the background in a process group of its own, its output thrown away;
// killProgram ends the group (the program and the processes it started).
pid_t startProgram(const std::vector<std::string>& argv);
void killProgram(pid_t pid);
// A TCP port on 127.0.0.1 that nothing listens on just now.
int freePort();
// Waits until something accepts connections on the port; false after `seconds`.
bool waitForPort(int port, int seconds);

// A real FTP server on 127.0.0.1 (tests/publish/ftp_server.py on Debian's python3-pyftpdlib),
// serving a fresh folder to one user, started by the constructor and killed by the destructor.
class FtpTestServer {
  public:
    struct Options {
        bool tls = false;              // explicit FTPS with a self-signed certificate, required
        bool caseInsensitive = false;  // names compare without regard to case
        std::string fullFor{};         // uploads of paths holding this are refused with 552
        std::string refuseFor{};       // uploads of paths holding this are refused with 553
        bool noEpsv = false;           // the extended passive mode is not understood
        bool noStat = false;           // folders are listed only over a data connection
        double delay = 0;              // seconds each reply comes late
        std::string user = "shop@example.com";
        std::string password = "p@ss:w0rd";
    };

    explicit FtpTestServer(Options options);
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    // Kills the server: open connections break.
    void stop();
    // Starts it again on the same port, serving the same folder.
    void start();
    // A new self-signed certificate for the next start.
    void renewCertificate();

    int port() const { return port_; }
    // "127.0.0.1:<port>"
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    const std::filesystem::path& root() const { return root_; }
    const Options& options() const { return options_; }
    // SHA-256 fingerprint of the certificate, "AB:CD:...", as openssl prints it.
    std::string certificateFingerprint() const;

    // Every file below the served folder ("www/Tarvomen/index.html"), sorted.
    std::vector<std::string> files() const;

  private:
    Options options_;
    std::filesystem::path base_;
    std::filesystem::path root_;
    std::filesystem::path certificate_;
    int port_ = 0;
    pid_t pid_ = -1;
};

}  // namespace tarvomen::testing
