#include "publish/upload/publish_store.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/error.hpp"
#include "platform/write_all.hpp"
#include "store/site_paths.hpp"

namespace fs = std::filesystem;

namespace tarvomen::publish {
namespace {

constexpr const char* kManifestHeader = "tarvomen-publish-manifest 1";

std::string systemError() {
    return std::strerror(errno);
}

void makeOwnerFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder)) {
        throw Error("Cannot create the folder " + folder.string() + ": " + ec.message());
    }
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
}

void writeWhole(int fd, const std::string& bytes, const fs::path& path) {
    if (const auto failure = writeAll(fd, bytes))
        throw Error("Cannot write " + path.string() + ": " + failure->reason());
}

// Replaces a file with `bytes` so that a reader sees the old or the new contents, never a part.
void replaceFile(const fs::path& path, const std::string& bytes) {
    makeOwnerFolder(path.parent_path());
    const fs::path temporary = path.string() + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) throw Error("Cannot write " + temporary.string() + ": " + systemError());
    try {
        ::fchmod(fd, 0600);
        writeWhole(fd, bytes, temporary);
        if (::fsync(fd) != 0)
            throw Error("Cannot write " + temporary.string() + ": " + systemError());
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        throw Error("Cannot replace " + path.string() + ": " + systemError());
    }
}

std::string trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(" \t\r") - first + 1));
}

// File-name-safe form of a key.
std::string safeName(std::string_view key) {
    std::string out;
    for (const char c : key) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        out += keep ? c : '_';
    }
    return out.substr(0, 120);
}

// FNV-1a: tells apart keys whose safe names coincide.
std::string shortHash(std::string_view key) {
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : key) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < 16; ++i) out += kDigits[(h >> (60 - 4 * i)) & 15];
    return out;
}

}  // namespace

PublishStore PublishStore::forDrive(const Drive& drive) {
    return PublishStore(drive.resolve(paths::kPublishFolder));
}

std::map<std::string, HostSettings> PublishStore::readAll() const {
    std::map<std::string, HostSettings> all;
    std::ifstream in(folder_ / "settings");
    std::string line;
    HostSettings* current = nullptr;
    while (std::getline(in, line)) {
        const std::string text = trim(line);
        if (text.empty() || text.front() == '#') continue;
        if (text.front() == '[' && text.back() == ']') {
            current = &all[text.substr(1, text.size() - 2)];
            continue;
        }
        const auto equals = text.find('=');
        if (!current || equals == std::string::npos) continue;
        const std::string name = trim(std::string_view(text).substr(0, equals));
        const std::string value = trim(std::string_view(text).substr(equals + 1));
        if (name == "allow-plain-ftp") current->allowPlainFtp = value == "yes";
        if (name == "certificate-sha256") current->certificateSha256 = value;
        if (name == "public-key-sha256") current->publicKeyPin = value;
        if (name == "ssh-key-file") current->sshKeyFile = value;
        if (name == "offers-no-tls") current->offersNoTls = value == "yes";
    }
    return all;
}

HostSettings PublishStore::settings(const std::string& key) const {
    const auto all = readAll();
    const auto it = all.find(key);
    return it == all.end() ? HostSettings{} : it->second;
}

void PublishStore::saveSettings(const std::string& key, const HostSettings& settings) const {
    auto all = readAll();
    all[key] = settings;
    std::ostringstream out;
    out << "# Publishing settings of the site, one section per server.\n";
    for (const auto& [name, s] : all) {
        if (s == HostSettings{}) continue;
        out << "\n[" << name << "]\n";
        out << "allow-plain-ftp = " << (s.allowPlainFtp ? "yes" : "no") << "\n";
        if (!s.certificateSha256.empty())
            out << "certificate-sha256 = " << s.certificateSha256 << "\n";
        if (!s.publicKeyPin.empty()) out << "public-key-sha256 = " << s.publicKeyPin << "\n";
        if (!s.sshKeyFile.empty()) out << "ssh-key-file = " << s.sshKeyFile << "\n";
        if (s.offersNoTls) out << "offers-no-tls = yes\n";
    }
    replaceFile(folder_ / "settings", out.str());
}

void PublishStore::trust(const ServerIdentity& identity) const {
    HostSettings next = settings(identity.host);
    next.certificateSha256 = identity.fingerprint;
    next.publicKeyPin = identity.publicKeyPin;
    saveSettings(identity.host, next);
}

fs::path PublishStore::manifestPath(const std::string& manifestKey) const {
    return folder_ / (safeName(manifestKey) + "-" + shortHash(manifestKey) + ".manifest");
}

ManifestData ManifestData::load(const fs::path& path) {
    ManifestData data;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first) {
            first = false;
            if (line != kManifestHeader) return {};
            continue;
        }
        if (line.rfind("put ", 0) == 0) {
            // put <sha256> <size> <path>
            const auto hashEnd = line.find(' ', 4);
            const auto sizeEnd =
                hashEnd == std::string::npos ? hashEnd : line.find(' ', hashEnd + 1);
            if (sizeEnd == std::string::npos) continue;
            ManifestEntry entry;
            entry.sha256 = line.substr(4, hashEnd - 4);
            try {
                entry.size = std::stoull(line.substr(hashEnd + 1, sizeEnd - hashEnd - 1));
            } catch (const std::exception&) {
                continue;
            }
            data.files[line.substr(sizeEnd + 1)] = entry;
        } else if (line.rfind("del ", 0) == 0) {
            data.files.erase(line.substr(4));
        } else if (line == "case-sensitive yes") {
            data.caseSensitive = true;
        } else if (line == "case-sensitive no") {
            data.caseSensitive = false;
        }
    }
    return data;
}

ManifestJournal::ManifestJournal(fs::path path) : path_(std::move(path)) {
    makeOwnerFolder(path_.parent_path());
    const fs::path lockPath = path_.string() + ".lock";
    lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) throw Error("Cannot open " + lockPath.string() + ": " + systemError());
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lockFd_);
        lockFd_ = -1;
        throw Error(
            "Another publishing of this site to the same place is running; wait until it "
            "ends.");
    }
    data_ = ManifestData::load(path_);
    compact();
}

ManifestJournal::~ManifestJournal() {
    if (lockFd_ >= 0) ::close(lockFd_);
}

void ManifestJournal::append(const std::string& line) {
    // Written through at once, so that a run that breaks off keeps it; not synced one by one:
    // an entry the system loses makes the next run send that file again, nothing worse, as each
    // run checks the server's listing. compact() syncs the whole.
    const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) throw Error("Cannot write " + path_.string() + ": " + systemError());
    try {
        writeWhole(fd, line + "\n", path_);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
}

void ManifestJournal::recordUpload(const std::string& path, const ManifestEntry& entry) {
    append("put " + entry.sha256 + " " + std::to_string(entry.size) + " " + path);
    data_.files[path] = entry;
}

void ManifestJournal::recordDeletion(const std::string& path) {
    append("del " + path);
    data_.files.erase(path);
}

void ManifestJournal::recordCaseSensitive(bool caseSensitive) {
    if (data_.caseSensitive == caseSensitive) return;
    append(caseSensitive ? "case-sensitive yes" : "case-sensitive no");
    data_.caseSensitive = caseSensitive;
}

void ManifestJournal::compact() {
    std::string out = std::string(kManifestHeader) + "\n";
    if (data_.caseSensitive)
        out += *data_.caseSensitive ? "case-sensitive yes\n" : "case-sensitive no\n";
    for (const auto& [path, entry] : data_.files) {
        out += "put " + entry.sha256 + " " + std::to_string(entry.size) + " " + path + "\n";
    }
    replaceFile(path_, out);
}

}  // namespace tarvomen::publish
