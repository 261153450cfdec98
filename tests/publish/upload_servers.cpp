#include "upload_servers.hpp"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <stdexcept>

#include "ftp_test_server.hpp"

namespace fs = std::filesystem;

namespace tarvomen::testing {
namespace {

fs::path freshFolder(const char* prefix) {
    std::random_device random;
    const fs::path folder = fs::temp_directory_path() / (prefix + std::to_string(random()));
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    return folder;
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Empties the account's home folder, keeping what log-ins need.
void emptyHome() {
    for (const auto& entry : fs::directory_iterator(TestAccount::home())) {
        if (entry.path().filename().string().front() != '.') fs::remove_all(entry.path());
    }
}

std::vector<std::string> filesBelow(const fs::path& root) {
    std::vector<std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        if (entry.is_regular_file() && relative.front() != '.') out.push_back(relative);
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

std::string realServersUnavailable(const char* program) {
    if (::geteuid() != 0) return "needs root for a local test user and the real servers";
    if (::access(program, X_OK) != 0) return std::string(program) + " is not installed";
    return {};
}

fs::path TestAccount::home() {
    return fs::path("/home") / kUser;
}

void TestAccount::ensure() {
    if (!::getpwnam(kUser)) {
        runProgram({"/usr/sbin/useradd", "-m", "-s", "/bin/bash", kUser});
    }
    const fs::path input = fs::temp_directory_path() / "tarvomen-chpasswd";
    writeText(input, std::string(kUser) + ":" + kPassword + "\n");
    runProgram({"/bin/sh", "-c", "/usr/sbin/chpasswd < " + input.string()});
    fs::remove(input);
}

VsftpdServer::VsftpdServer() {
    TestAccount::ensure();
    emptyHome();
    base_ = freshFolder("tarvomen-vsftpd-");
    fs::create_directories(base_ / "empty");
    renewCertificate();
    start();
}

VsftpdServer::~VsftpdServer() {
    stop();
    std::error_code ec;
    fs::remove_all(base_, ec);
}

void VsftpdServer::renewCertificate() {
    runProgram({"/usr/bin/openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout",
                (base_ / "key.pem").string(), "-out", (base_ / "cert.pem").string(), "-days", "2",
                "-subj", "/CN=127.0.0.1"});
    std::ofstream out(base_ / "server.pem", std::ios::binary | std::ios::trunc);
    out << std::ifstream(base_ / "cert.pem").rdbuf() << std::ifstream(base_ / "key.pem").rdbuf();
}

std::string VsftpdServer::certificateFingerprint() const {
    std::string text = runProgram({"/usr/bin/openssl", "x509", "-in", (base_ / "cert.pem").string(),
                                   "-noout", "-fingerprint", "-sha256"});
    text = text.substr(text.find('=') + 1);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

void VsftpdServer::start() {
    if (!port_) port_ = freePort();
    const int passive = freePort();
    writeText(
        base_ / "vsftpd.conf",
        "listen=YES\nlisten_address=127.0.0.1\nlisten_port=" + std::to_string(port_) +
            "\nbackground=NO\nanonymous_enable=NO\nlocal_enable=YES\nwrite_enable=YES\n"
            "local_umask=022\npam_service_name=vsftpd\nseccomp_sandbox=NO\n"
            "secure_chroot_dir=" +
            (base_ / "empty").string() +
            "\nssl_enable=YES\nforce_local_logins_ssl=YES\nforce_local_data_ssl=YES\n"
            "rsa_cert_file=" +
            (base_ / "server.pem").string() +
            "\nrsa_private_key_file=" + (base_ / "server.pem").string() +
            "\npasv_enable=YES\npasv_address=127.0.0.1\npasv_min_port=" + std::to_string(passive) +
            "\npasv_max_port=" + std::to_string(passive + 40) +
            "\nxferlog_enable=YES\nvsftpd_log_file=" + (base_ / "vsftpd.log").string() + "\n");
    pid_ = startProgram({"/usr/sbin/vsftpd", (base_ / "vsftpd.conf").string()});
    if (!waitForPort(port_, 10)) throw std::runtime_error("vsftpd did not start");
}

void VsftpdServer::stop() {
    // With the processes of its log-ins, as a dying server would.
    killProgram(pid_);
    pid_ = -1;
}

std::string VsftpdServer::log() const {
    std::ifstream in(base_ / "vsftpd.log");
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> VsftpdServer::files() const {
    return filesBelow(TestAccount::home());
}

SshdServer::SshdServer() {
    TestAccount::ensure();
    emptyHome();
    base_ = freshFolder("tarvomen-sshd-");
    fs::create_directories("/run/sshd");
    renewHostKey();
    runProgram(
        {"/usr/bin/ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", clientKey().string()});
    const fs::path ssh = TestAccount::home() / ".ssh";
    fs::create_directories(ssh);
    fs::copy_file(clientKey().string() + ".pub", ssh / "authorized_keys",
                  fs::copy_options::overwrite_existing);
    runProgram({"/bin/chown", "-R", std::string(TestAccount::kUser) + ":", ssh.string()});
    fs::permissions(ssh, fs::perms::owner_all, fs::perm_options::replace);
    start();
}

SshdServer::~SshdServer() {
    stop();
    std::error_code ec;
    fs::remove_all(base_, ec);
}

void SshdServer::renewHostKey() {
    std::error_code ec;
    fs::remove(base_ / "host_key", ec);
    fs::remove(base_ / "host_key.pub", ec);
    runProgram({"/usr/bin/ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f",
                (base_ / "host_key").string()});
}

void SshdServer::start() {
    if (!port_) port_ = freePort();
    writeText(base_ / "sshd_config",
              "Port " + std::to_string(port_) + "\nListenAddress 127.0.0.1\nHostKey " +
                  (base_ / "host_key").string() + "\nPidFile " + (base_ / "sshd.pid").string() +
                  "\nPasswordAuthentication yes\nKbdInteractiveAuthentication no\nUsePAM yes\n"
                  "PubkeyAuthentication yes\nAllowUsers " +
                  TestAccount::kUser + "\nSubsystem sftp internal-sftp\n");
    pid_ = startProgram({"/usr/sbin/sshd", "-D", "-e", "-f", (base_ / "sshd_config").string()});
    if (!waitForPort(port_, 10)) throw std::runtime_error("sshd did not start");
}

void SshdServer::stop() {
    killProgram(pid_);
    pid_ = -1;
}

std::vector<std::string> SshdServer::files() const {
    return filesBelow(TestAccount::home());
}

}  // namespace tarvomen::testing
