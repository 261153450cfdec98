#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "publish/upload/remote_files.hpp"

namespace tarvomen::publish {

// The FTP commands of a run on a control connection that libcurl opened and logged in
// (CURLOPT_CONNECT_ONLY; libcurl keeps the TLS of the control connection). Commands that do
// not depend on each other's replies go out together, and a file is sent without waiting for
// the server's "150" first, so that a new file costs two round trips (passive mode, then the
// transfer's end) where a command at a time costs three. Data connections are opened here and,
// under TLS, resume the control connection's session (servers require it). Every operation
// throws RemoteError. Not thread-safe; `cancel` may be set from any thread.
class FtpSession {
  public:
    struct Reply {
        int code = 0;
        std::string text;  // every line of the reply, each ended by "\n"
    };

    struct Timeouts {
        std::chrono::seconds stall{60};  // no reply and no progress for this long fails
    };

    // `curl` is the logged-in handle (CURL*), kept in its multi handle for as long as this
    // session lives; `controlTls` the OpenSSL connection (SSL*) of its control connection, or
    // null for plain FTP; `server` names the server in messages.
    FtpSession(void* curl, void* controlTls, std::string server, Timeouts timeouts,
               const std::atomic<bool>& cancel);
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    // Sends the commands at once and returns their final replies, in order. A refused
    // command is no error here.
    std::vector<Reply> commands(const std::vector<std::string>& commands, const std::string& what);

    // Stores `bytes` as `commandPath` in binary mode, returning once the server confirmed it.
    // Throws for a refusal: Full for 452 and 552, File for the others.
    void store(const std::string& commandPath, std::string_view bytes,
               const RemoteFiles::Progress& progress, const std::string& what);

    // The listing of a folder by LIST over a data connection.
    std::string list(const std::string& commandPath, const std::string& what);

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarvomen::publish
