#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "publish/upload/publish_store.hpp"
#include "publish/upload/remote_files.hpp"
#include "publish/upload/remote_host.hpp"

namespace tarvomen::publish {

struct ConnectionOptions {
    bool allowPlainFtp = false;        // FTP without TLS when the server offers none
    bool offersNoTls = false;          // with it: the server is known to offer none; not asked
    std::function<void()> foundPlain;  // called when a login found the server offers no TLS
    std::string publicKeyPin;          // accepted certificate or host key ("" for none)
    std::string acceptedFingerprint;   // its fingerprint, as the user saw it
    std::string sshKeyFile;            // SFTP: a private key to log in with, before the password
    std::chrono::seconds connectTimeout{20};
    std::chrono::seconds stallTimeout{60};  // no progress and no reply for this long fails
};

// What the connections of one run share: resolved names. Not TLS sessions: each connection's
// data connections resume its own session, which servers running one process per connection
// require (they know no other). Thread-safe.
class CurlShare {
  public:
    CurlShare();
    ~CurlShare();
    CurlShare(const CurlShare&) = delete;
    CurlShare& operator=(const CurlShare&) = delete;

    void* handle() const;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

// RemoteFiles over libcurl: FTP with explicit TLS required (CURLUSESSL_ALL) unless plain FTP is
// allowed, implicit FTPS, or SFTP. Certificates must verify against the system's authorities
// unless the user accepted the server's certificate, whose public key is then pinned. The
// password is never sent before the server is trusted. libcurl logs in; over FTP the commands
// that follow go through an FtpSession on that connection (over SFTP libcurl carries out every
// operation). One connection is reused for every operation: paths go whole into the commands
// (no change of folder), a folder is listed with one STAT on the control connection where the
// server allows it, and FTPS keeps to TLS 1.2, whose sessions a data connection can resume
// again and again (servers that require the data connection to resume the control
// connection's session refuse TLS 1.3's one-time tickets from the second file on). Closing
// does not wait for the server's goodbye. Not thread-safe; `cancel` may be set from any thread.
class CurlRemoteFiles : public RemoteFiles {
  public:
    CurlRemoteFiles(RemoteHost host, std::string user, std::string password,
                    ConnectionOptions options, const std::atomic<bool>& cancel,
                    std::shared_ptr<CurlShare> share = nullptr);
    ~CurlRemoteFiles() override;

    void connect() override;
    bool makeFolder(const std::string& path) override;
    std::optional<std::vector<RemoteEntry>> list(const std::string& folder) override;
    void upload(const std::string& path, std::string_view bytes, const Progress& progress,
                bool replaces) override;
    void remove(const std::string& path) override;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarvomen::publish
