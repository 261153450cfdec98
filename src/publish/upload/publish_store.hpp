#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/drive.hpp"
#include "publish/upload/remote_files.hpp"

namespace tarvomen::publish {

// What the user decided for one server.
struct HostSettings {
    bool allowPlainFtp = false;     // "Allow unencrypted FTP"
    std::string certificateSha256;  // fingerprint of the accepted certificate or host key
    std::string publicKeyPin;       // base64 SHA-256 of its public key, pinned on every connection
    std::string sshKeyFile{};  // SFTP: private key to log in with (its passphrase: the password)
    // Plain FTP allowed, and the server was found to offer no TLS: later runs log in without
    // asking for it first.
    bool offersNoTls{};

    friend bool operator==(const HostSettings&, const HostSettings&) = default;
};

// Publishing state kept beside the record files, in "C:\Program Files\Tarvomen\Publish": the
// file "settings" (one section per server) and one manifest per server, user and folder. It
// lives on the drive, with the site it belongs to, and is readable by the owner only, as it
// names the servers the site's password opens.
class PublishStore {
  public:
    explicit PublishStore(std::filesystem::path hostFolder) : folder_(std::move(hostFolder)) {}
    static PublishStore forDrive(const Drive& drive);

    const std::filesystem::path& folder() const { return folder_; }

    HostSettings settings(const std::string& key) const;
    // Stores one server's settings; the others are kept. Throws Error when it cannot write.
    void saveSettings(const std::string& key, const HostSettings& settings) const;

    // Trusts a server's certificate or host key from now on: stores its fingerprint and pins
    // its public key.
    void trust(const ServerIdentity& identity) const;

    std::filesystem::path manifestPath(const std::string& manifestKey) const;

  private:
    std::map<std::string, HostSettings> readAll() const;
    std::filesystem::path folder_;
};

// One uploaded file as the server holds it.
struct ManifestEntry {
    std::uint64_t size = 0;
    std::string sha256;
    friend bool operator==(const ManifestEntry&, const ManifestEntry&) = default;
};

// What the server holds of the site, by path below the remote folder ("Tarvomen/index.html"),
// and whether its names were found to be case-sensitive.
struct ManifestData {
    std::map<std::string, ManifestEntry> files;
    std::optional<bool> caseSensitive;

    // Reads a manifest; a missing file is an empty manifest. Lines it cannot read are skipped.
    static ManifestData load(const std::filesystem::path& path);
};

// A manifest being brought up to date during a run. Every change is appended to the file
// before the call returns, so an interrupted run loses nothing that was confirmed. Holds a lock so
// that two runs never publish to the same place at once.
class ManifestJournal {
  public:
    // Throws Error when another run holds the lock or the file cannot be opened.
    explicit ManifestJournal(std::filesystem::path path);
    ~ManifestJournal();
    ManifestJournal(const ManifestJournal&) = delete;
    ManifestJournal& operator=(const ManifestJournal&) = delete;

    const ManifestData& data() const { return data_; }

    void recordUpload(const std::string& path, const ManifestEntry& entry);
    void recordDeletion(const std::string& path);
    void recordCaseSensitive(bool caseSensitive);
    // Rewrites the file with the current state only.
    void compact();

  private:
    void append(const std::string& line);

    std::filesystem::path path_;
    ManifestData data_;
    int lockFd_ = -1;
};

}  // namespace tarvomen::publish
