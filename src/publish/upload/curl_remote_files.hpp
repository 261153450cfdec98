#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "publish/upload/publish_store.hpp"
#include "publish/upload/remote_files.hpp"
#include "publish/upload/remote_host.hpp"

namespace tarvomen::publish {

struct ConnectionOptions {
    bool allowPlainFtp = false;  // FTP without TLS when the server offers none
    std::string publicKeyPin;    // accepted certificate or host key ("" for none)
    std::chrono::seconds connectTimeout{20};
    std::chrono::seconds stallTimeout{60};  // no progress and no reply for this long fails
};

// RemoteFiles over libcurl: FTP with explicit TLS required (CURLUSESSL_ALL) unless plain FTP is
// allowed, implicit FTPS, or SFTP. Certificates must verify against the system's authorities
// unless the user accepted the server's certificate, whose public key is then pinned. The
// password is never sent before the server is trusted. One connection is reused for every
// operation. Not thread-safe; `cancel` may be set from any thread.
class CurlRemoteFiles : public RemoteFiles {
  public:
    CurlRemoteFiles(RemoteHost host, std::string user, std::string password,
                    ConnectionOptions options, const std::atomic<bool>& cancel);
    ~CurlRemoteFiles() override;

    void connect() override;
    void makeFolder(const std::string& path) override;
    std::optional<std::vector<std::string>> list(const std::string& folder) override;
    void upload(const std::string& path, std::string_view bytes, const Progress& progress) override;
    void remove(const std::string& path) override;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarvomen::publish
