#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/error.hpp"
#include "publish/upload/remote_listing.hpp"

namespace tarvomen::publish {

// Ends the temporary name a file is sent under before it is renamed into place.
inline constexpr const char* kTemporarySuffix = ".tarvomen-upload";

// The certificate (FTPS) or host key (SFTP) of a server that could not be trusted, with what
// the user needs to decide whether to accept it.
struct ServerIdentity {
    enum class Kind { Certificate, SshHostKey };

    Kind kind = Kind::Certificate;
    std::string host;          // the server, as its settings are keyed
    std::string problem;       // why it is not trusted
    std::string fingerprint;   // SHA-256 fingerprint, as shown and stored
    std::string publicKeyPin;  // base64 SHA-256 of the public key; stored and pinned
    std::vector<std::pair<std::string, std::string>> details;  // "Subject", "Issuer", ...

    // Several lines for the user: the problem, the details and the fingerprint.
    std::string describe() const;
};

// A failed remote operation, by what it means for the rest of a run:
//  - Fatal: nothing can be sent (login refused, encryption missing, server not trusted);
//  - Connection: the connection failed; what is left cannot be sent now;
//  - File: this file or folder alone;
//  - Full: the server has no room left (452 or 552); nothing more can be sent;
//  - TimedOut: the server stopped answering for the stall time;
//  - Cancelled: the user cancelled.
class RemoteError : public Error {
  public:
    enum class Kind { Fatal, Connection, File, Full, TimedOut, Cancelled };

    RemoteError(Kind kind, const std::string& message,
                std::optional<ServerIdentity> identity = std::nullopt)
        : Error(message), kind_(kind), identity_(std::move(identity)) {}

    Kind kind() const { return kind_; }
    const std::optional<ServerIdentity>& identity() const { return identity_; }

  private:
    Kind kind_;
    std::optional<ServerIdentity> identity_;
};

// The files of the server, by paths below the remote folder ("Tarvomen/Data/0.GIF"). Every
// operation throws RemoteError. One object is one connection; several may run on different
// threads at once.
class RemoteFiles {
  public:
    // Called with the bytes of the current file sent so far.
    using Progress = std::function<void(std::uint64_t sent)>;

    virtual ~RemoteFiles() = default;

    // Logs in, so that a refused login or an untrusted server shows before anything is sent.
    virtual void connect() = 0;
    // Creates a folder whose parent exists; "" creates the remote folder itself with any
    // missing folder above it. False when the server refused (it may exist already).
    virtual bool makeFolder(const std::string& path) = 0;
    // The entries of a folder ("" for the remote folder itself) in one listing, or nothing when
    // the server says it does not exist (some list a missing folder as empty).
    virtual std::optional<std::vector<RemoteEntry>> list(const std::string& folder) = 0;
    // Uploads `bytes` to `path`. Where it `replaces` a file of the server, it goes under a
    // temporary name beside `path` and is renamed to `path` when all arrived, so that the
    // server never shows a partly sent file under that name; a new file goes straight under
    // its own name (no page on the server refers to it yet).
    virtual void upload(const std::string& path, std::string_view bytes, const Progress& progress,
                        bool replaces) = 0;
    // Deletes a file; a file that is not there is no error.
    virtual void remove(const std::string& path) = 0;
};

}  // namespace tarvomen::publish
