#include "publish/upload/curl_remote_files.hpp"

#include <curl/curl.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <mutex>
#include <set>

#include "publish/upload/ftp_session.hpp"
#include "publish/upload/sha256.hpp"

namespace tarvomen::publish {
namespace {

using Kind = RemoteError::Kind;

// A pin no key matches: makes libcurl stop right after the TLS handshake, before the login,
// with the certificate's details gathered.
constexpr const char* kUnmatchablePin = "sha256//AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=";

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A path argument of an SFTP command, quoted as libcurl reads them.
std::string sftpQuoted(const std::string& path) {
    std::string out = "\"";
    for (const char c : path) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

Kind kindOf(CURLcode code) {
    switch (code) {
        case CURLE_ABORTED_BY_CALLBACK:
            return Kind::Cancelled;
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT:
        case CURLE_NOT_BUILT_IN:
        case CURLE_LOGIN_DENIED:
        case CURLE_USE_SSL_FAILED:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_ENGINE_INITFAILED:
        case CURLE_SSL_CIPHER:
        case CURLE_OUT_OF_MEMORY:
            return Kind::Fatal;
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_FTP_ACCEPT_FAILED:
        case CURLE_FTP_WEIRD_PASS_REPLY:
        case CURLE_FTP_ACCEPT_TIMEOUT:
        case CURLE_FTP_WEIRD_PASV_REPLY:
        case CURLE_FTP_WEIRD_227_FORMAT:
        case CURLE_FTP_CANT_GET_HOST:
        case CURLE_FTP_COULDNT_SET_TYPE:
        case CURLE_PARTIAL_FILE:
        case CURLE_OPERATION_TIMEDOUT:
        case CURLE_FTP_PORT_FAILED:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_GOT_NOTHING:
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_SSL_SHUTDOWN_FAILED:
        case CURLE_AGAIN:
        case CURLE_SSH:
        case CURLE_FTP_PRET_FAILED:
            return Kind::Connection;
        default:
            return Kind::File;
    }
}

struct UploadSource {
    std::string_view bytes;
    std::size_t offset = 0;
};

std::size_t readUpload(char* buffer, std::size_t size, std::size_t count, void* data) {
    auto* source = static_cast<UploadSource*>(data);
    const std::size_t n = std::min(size * count, source->bytes.size() - source->offset);
    std::memcpy(buffer, source->bytes.data() + source->offset, n);
    source->offset += n;
    return n;
}

std::size_t collect(char* data, std::size_t size, std::size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

// The replies of a login, and the OpenSSL connection of the control connection, which libcurl
// tells only while it works on the connection.
struct LoginReplies {
    CURL* curl = nullptr;
    std::string text;
    void* tls = nullptr;
};

std::size_t collectLogin(char* data, std::size_t size, std::size_t count, void* out) {
    auto* login = static_cast<LoginReplies*>(out);
    login->text.append(data, size * count);
    curl_tlssessioninfo* info = nullptr;
    if (curl_easy_getinfo(login->curl, CURLINFO_TLS_SSL_PTR, &info) == CURLE_OK && info &&
        info->backend == CURLSSLBACKEND_OPENSSL && info->internals) {
        login->tls = info->internals;
    }
    return size * count;
}

std::size_t discard(char*, std::size_t size, std::size_t count, void*) {
    return size * count;
}

// The reply of a STAT command: the lines between "213-..." and "213 ...".
std::string statusBody(const std::string& replies) {
    const auto begin = replies.rfind("213-");
    if (begin == std::string::npos) return {};
    const auto first = replies.find('\n', begin);
    if (first == std::string::npos) return {};
    auto end = replies.find("\n213 ", first);
    if (end == std::string::npos) end = replies.size();
    std::string body = replies.substr(first + 1, end - first);
    // Some servers start each line with "213-".
    std::string out;
    std::size_t start = 0;
    while (start < body.size()) {
        std::size_t stop = body.find('\n', start);
        if (stop == std::string::npos) stop = body.size();
        std::string line = body.substr(start, stop - start);
        if (line.rfind("213-", 0) == 0) line.erase(0, 4);
        out += line + "\n";
        start = stop + 1;
    }
    return out;
}

// Frees an OpenSSL object with its own function.
template <class T, void (*Free)(T*)>
struct OsslDeleter {
    void operator()(T* p) const { Free(p); }
};

// The fingerprint and the public-key pin of a PEM certificate, or empty strings.
std::pair<std::string, std::string> fingerprintAndPin(const std::string& pem) {
    std::unique_ptr<BIO, OsslDeleter<BIO, BIO_free_all>> bio(
        BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    if (!bio) return {};
    std::unique_ptr<X509, OsslDeleter<X509, X509_free>> cert(
        PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr));
    if (!cert) return {};
    unsigned char* der = nullptr;
    int length = i2d_X509(cert.get(), &der);
    if (length <= 0) return {};
    const std::string fingerprint =
        colonHex(sha256Raw({reinterpret_cast<const char*>(der), static_cast<std::size_t>(length)}));
    OPENSSL_free(der);
    der = nullptr;
    length = i2d_PUBKEY(X509_get0_pubkey(cert.get()), &der);
    if (length <= 0) return {fingerprint, {}};
    const std::string pin =
        base64(sha256Raw({reinterpret_cast<const char*>(der), static_cast<std::size_t>(length)}));
    OPENSSL_free(der);
    return {fingerprint, pin};
}

const char* sshKeyTypeName(int type) {
    switch (type) {
        case CURLKHTYPE_RSA1:
            return "RSA1";
        case CURLKHTYPE_RSA:
            return "RSA";
        case CURLKHTYPE_DSS:
            return "DSA";
        case CURLKHTYPE_ECDSA:
            return "ECDSA";
        case CURLKHTYPE_ED25519:
            return "ED25519";
        default:
            return "unknown";
    }
}

}  // namespace

struct CurlShare::Impl {
    CURLSH* share = nullptr;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;

    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
        static_cast<Impl*>(self)->locks[data].lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* self) {
        static_cast<Impl*>(self)->locks[data].unlock();
    }
};

CurlShare::CurlShare() : impl_(std::make_unique<Impl>()) {
    initialiseCurl();
    impl_->share = curl_share_init();
    if (!impl_->share) throw Error("libcurl could not be started.");
    curl_share_setopt(impl_->share, CURLSHOPT_LOCKFUNC, &Impl::lock);
    curl_share_setopt(impl_->share, CURLSHOPT_UNLOCKFUNC, &Impl::unlock);
    curl_share_setopt(impl_->share, CURLSHOPT_USERDATA, impl_.get());
    curl_share_setopt(impl_->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
}

CurlShare::~CurlShare() {
    curl_share_cleanup(impl_->share);
}

void* CurlShare::handle() const {
    return impl_->share;
}

std::string ServerIdentity::describe() const {
    std::string out = (kind == Kind::Certificate ? "The certificate of " : "The host key of ") +
                      host + " is not trusted: " + problem + "\n\n";
    for (const auto& [name, value] : details) out += name + ": " + value + "\n";
    out += "SHA-256 fingerprint: " + fingerprint + "\n";
    return out;
}

struct CurlRemoteFiles::Impl {
    Impl(RemoteHost h, std::string u, std::string p, ConnectionOptions o,
         const std::atomic<bool>& c, std::shared_ptr<CurlShare> s)
        : share(std::move(s)),
          host(std::move(h)),
          user(std::move(u)),
          password(std::move(p)),
          options(std::move(o)),
          pin(options.publicKeyPin),
          cancel(c) {}

    std::shared_ptr<CurlShare> share;  // outlives `curl`
    RemoteHost host;
    std::string user;
    std::string password;
    ConnectionOptions options;
    std::string pin;  // cleared when the server's certificate verifies without it
    const std::atomic<bool>& cancel;

    CURL* curl = nullptr;
    CURLM* multi = nullptr;  // holds the connection between operations
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist* quotes = nullptr;
    const Progress* progress = nullptr;
    UploadSource upload;
    std::optional<ServerIdentity> refusedHostKey;
    bool statLists = true;  // false once the server refused STAT with a folder
    bool loggedIn = false;
    std::set<curl_socket_t> sockets;  // open now: the control connection between operations
    // FTP: the commands after the login; libcurl's handle stays in `multi` while it lives.
    std::unique_ptr<FtpSession> session;
    bool keepConnection = false;  // run() leaves a successful handle in `multi`
    bool attached = false;        // the handle is in `multi`

    static curl_socket_t onOpenSocket(void* data, curlsocktype, curl_sockaddr* address) {
        const curl_socket_t fd =
            ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
        if (fd != CURL_SOCKET_BAD) static_cast<Impl*>(data)->sockets.insert(fd);
        return fd;
    }
    static int onCloseSocket(void* data, curl_socket_t fd) {
        static_cast<Impl*>(data)->sockets.erase(fd);
        return ::close(fd);
    }

    bool sftp() const { return host.protocol == RemoteHost::Protocol::Sftp; }

    std::string rootUrl() const {
        RemoteHost root = host;
        root.folder.clear();
        return root.url("", true);
    }

    static int onProgress(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent) {
        auto* self = static_cast<Impl*>(data);
        if (self->cancel.load()) return 1;
        if (self->progress && *self->progress) (*self->progress)(static_cast<std::uint64_t>(sent));
        return 0;
    }

    static int onHostKey(void* data, int type, const char* key, std::size_t length) {
        auto* self = static_cast<Impl*>(data);
        const std::string raw = sha256Raw({key, length});
        const std::string pin = base64(raw);
        if (!self->pin.empty() && pin == self->pin) return CURLKHMATCH_OK;
        std::string fingerprint = "SHA256:" + pin;
        while (fingerprint.back() == '=') fingerprint.pop_back();
        ServerIdentity identity;
        identity.kind = ServerIdentity::Kind::SshHostKey;
        identity.host = self->host.settingsKey();
        identity.problem = self->pin.empty()
                               ? "this host key was never accepted."
                               : "the host key changed since the one with the "
                                 "fingerprint " +
                                     self->options.acceptedFingerprint + " was accepted.";
        identity.fingerprint = fingerprint;
        identity.publicKeyPin = pin;
        identity.details.emplace_back("Key type", sshKeyTypeName(type));
        self->refusedHostKey = std::move(identity);
        return CURLKHMATCH_MISMATCH;
    }

    void setQuotes(CURLoption option, const std::vector<std::string>& commands) {
        curl_slist_free_all(quotes);
        quotes = nullptr;
        for (const auto& command : commands) quotes = curl_slist_append(quotes, command.c_str());
        curl_easy_setopt(curl, option, quotes);
    }

    void setTrust(const std::string& usePin) {
        if (usePin.empty()) {
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
            curl_easy_setopt(curl, CURLOPT_PINNEDPUBLICKEY, nullptr);
        } else {
            // The accepted certificate is trusted by its key alone, whoever signed it.
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
            curl_easy_setopt(curl, CURLOPT_PINNEDPUBLICKEY, usePin.c_str());
        }
    }

    // Resets the handle (its connection stays open) for an operation on `url`.
    void prepare(const std::string& url) {
        curl_easy_reset(curl);
        curl_slist_free_all(quotes);
        quotes = nullptr;
        progress = nullptr;
        errorBuffer[0] = '\0';
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_OPENSOCKETFUNCTION, &Impl::onOpenSocket);
        curl_easy_setopt(curl, CURLOPT_OPENSOCKETDATA, this);
        curl_easy_setopt(curl, CURLOPT_CLOSESOCKETFUNCTION, &Impl::onCloseSocket);
        curl_easy_setopt(curl, CURLOPT_CLOSESOCKETDATA, this);
        if (share) curl_easy_setopt(curl, CURLOPT_SHARE, share->handle());
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, sftp() ? "sftp" : "ftp,ftps");
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT,
                         static_cast<long>(options.connectTimeout.count()));
        curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                         static_cast<long>(options.stallTimeout.count()));
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                         static_cast<long>(options.stallTimeout.count()));
        curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Impl::onProgress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &discard);
        if (sftp()) {
            long methods = CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD;
            if (!options.sshKeyFile.empty()) {
                methods |= CURLSSH_AUTH_PUBLICKEY;
                curl_easy_setopt(curl, CURLOPT_SSH_PRIVATE_KEYFILE, options.sshKeyFile.c_str());
                curl_easy_setopt(curl, CURLOPT_KEYPASSWD, password.c_str());
            }
            curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES, methods);
            curl_easy_setopt(curl, CURLOPT_SSH_HOSTKEYFUNCTION, &Impl::onHostKey);
            curl_easy_setopt(curl, CURLOPT_SSH_HOSTKEYDATA, this);
        } else {
            const bool plainAllowed =
                options.allowPlainFtp && host.protocol == RemoteHost::Protocol::Ftp;
            // A server known to offer no TLS is not asked for it again (two replies per
            // connection).
            curl_easy_setopt(curl, CURLOPT_USE_SSL,
                             static_cast<long>(!plainAllowed         ? CURLUSESSL_ALL
                                               : options.offersNoTls ? CURLUSESSL_NONE
                                                                     : CURLUSESSL_TRY));
            curl_easy_setopt(curl, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
            curl_easy_setopt(curl, CURLOPT_SSLVERSION,
                             static_cast<long>(CURL_SSLVERSION_TLSv1_2) |
                                 static_cast<long>(CURL_SSLVERSION_MAX_TLSv1_2));
            curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
            curl_easy_setopt(curl, CURLOPT_FTP_SKIP_PASV_IP, 1L);
            setTrust(pin.empty() ? std::string() : "sha256//" + pin);
        }
    }

    std::string detail(CURLcode code) const {
        return errorBuffer[0] ? std::string(errorBuffer) : std::string(curl_easy_strerror(code));
    }

    CURLcode performOnce() {
        upload.offset = 0;
        refusedHostKey.reset();
        errorBuffer[0] = '\0';
        return run();
    }

    // Runs the prepared operation; `what` names it in messages ("Upload of Tarvomen/1.html").
    void perform(const std::string& what) {
        CURLcode code = performOnce();
        if (code == CURLE_SSL_PINNEDPUBKEYNOTMATCH && !pin.empty()) {
            // The accepted certificate was replaced; a certificate the system trusts will do.
            const std::string mismatch = detail(code);
            setTrust({});
            code = performOnce();
            if (code == CURLE_OK) {
                pin.clear();
                return;
            }
            if (code == CURLE_PEER_FAILED_VERIFICATION) {
                throw untrusted("the certificate changed since the one with the fingerprint " +
                                options.acceptedFingerprint + " was accepted (" + mismatch + ").");
            }
        }
        if (code == CURLE_OK) return;
        if (code == CURLE_PEER_FAILED_VERIFICATION && sftp() && refusedHostKey) {
            throw RemoteError(Kind::Fatal, refusedHostKey->describe(), refusedHostKey);
        }
        if (code == CURLE_PEER_FAILED_VERIFICATION) throw untrusted(detail(code));
        throw error(code, what);
    }

    // Runs the prepared transfer. Not curl_easy_perform: it may sleep a whole second between
    // a reply and the step it allows (seen between a passive-mode reply and the data
    // connection, on about one file in three); short polls leave no such gap.
    CURLcode run() {
        curl_multi_add_handle(multi, curl);
        int running = 1;
        CURLMcode status = CURLM_OK;
        while (running && status == CURLM_OK) {
            status = curl_multi_perform(multi, &running);
            if (running && status == CURLM_OK)
                status = curl_multi_poll(multi, nullptr, 0, 5, nullptr);
        }
        CURLcode result = status == CURLM_OK ? CURLE_OK : CURLE_OUT_OF_MEMORY;
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == curl) {
                result = message->data.result;
            }
        }
        if (keepConnection && result == CURLE_OK) {
            attached = true;
        } else {
            curl_multi_remove_handle(multi, curl);
        }
        return result;
    }

    // Closes the FTP connection of the last login, if any: its commands went through the
    // session, so libcurl's handle is made anew for the next one.
    void endSession() {
        session.reset();
        if (!attached) return;
        for (const curl_socket_t fd : sockets) ::shutdown(fd, SHUT_RDWR);
        curl_multi_remove_handle(multi, curl);
        attached = false;
        curl_easy_cleanup(curl);
        curl = curl_easy_init();
        if (!curl) throw Error("libcurl could not be started.");
    }

    // The FTP session, logged in first where there is none.
    FtpSession& ftp(CurlRemoteFiles& self) {
        if (!session) self.connect();
        return *session;
    }

    // Runs `work` on the FTP session; a connection that failed is dropped, so that the next
    // operation logs in anew.
    template <class Work>
    auto onSession(CurlRemoteFiles& self, Work work) {
        FtpSession& current = ftp(self);
        try {
            return work(current);
        } catch (const RemoteError& e) {
            if (e.kind() != Kind::File && e.kind() != Kind::Full) endSession();
            throw;
        }
    }

    long replyCode() const {
        long reply = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply);
        return reply;
    }

    RemoteError error(CURLcode code, const std::string& what) const {
        const std::string server = host.display();
        const long reply = replyCode();
        if (code == CURLE_REMOTE_DISK_FULL || (!sftp() && (reply == 452 || reply == 552))) {
            return {Kind::Full, what + " failed: the server has no room left (its reply: " +
                                    std::to_string(reply) + ", " + detail(code) + ")."};
        }
        switch (code) {
            case CURLE_ABORTED_BY_CALLBACK:
                return {Kind::Cancelled, "Cancelled."};
            case CURLE_OPERATION_TIMEDOUT: {
                const auto seconds = (loggedIn ? options.stallTimeout : options.connectTimeout);
                return {Kind::TimedOut, "The server " + server + " did not answer for " +
                                            std::to_string(seconds.count()) + " s (" +
                                            (loggedIn ? what : std::string("logging in")) +
                                            "). Check the host name and port, and the connection."};
            }
            case CURLE_COULDNT_RESOLVE_HOST:
            case CURLE_COULDNT_CONNECT:
                if (!loggedIn) {
                    return {Kind::Connection, "Cannot reach the server " + server + ": " +
                                                  detail(code) +
                                                  ". Check the host name and port, and the "
                                                  "connection."};
                }
                break;
            case CURLE_LOGIN_DENIED:
                return {Kind::Fatal, "The server " + server +
                                         " refused the user name or password. Check them in the "
                                         "F.T.P. dialog."};
            case CURLE_USE_SSL_FAILED:
                return {Kind::Fatal,
                        "The server " + server +
                            " does not offer encrypted FTP (FTPS). Tick \"Allow unencrypted FTP\" "
                            "for this host to send the password and the site unencrypted."};
            default:
                break;
        }
        const Kind kind = kindOf(code);
        if (kind == Kind::Connection) {
            return {kind, "The connection to " + server + " failed: " + detail(code)};
        }
        return {kind, what + " failed: " + detail(code)};
    }

    // The certificate the server shows, fetched on a connection that stops before the login.
    RemoteError untrusted(const std::string& problem) {
        prepare(rootUrl());
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
        curl_easy_setopt(curl, CURLOPT_PINNEDPUBLICKEY, kUnmatchablePin);
        curl_easy_setopt(curl, CURLOPT_CERTINFO, 1L);
        run();
        curl_certinfo* info = nullptr;
        curl_easy_getinfo(curl, CURLINFO_CERTINFO, &info);

        ServerIdentity identity;
        identity.kind = ServerIdentity::Kind::Certificate;
        identity.host = host.settingsKey();
        identity.problem = problem;
        if (info && info->num_of_certs > 0) {
            static const std::pair<const char*, const char*> kShown[] = {
                {"Subject", "Subject"},
                {"Issuer", "Issuer"},
                {"Start date", "Valid from"},
                {"Expire date", "Valid until"},
                {"Serial Number", "Serial number"},
            };
            std::string pem;
            for (const auto& [field, label] : kShown) {
                for (curl_slist* item = info->certinfo[0]; item; item = item->next) {
                    const std::string text = item->data;
                    const auto colon = text.find(':');
                    if (colon != std::string::npos && text.compare(0, colon, field) == 0) {
                        identity.details.emplace_back(label, text.substr(colon + 1));
                    }
                }
            }
            for (curl_slist* item = info->certinfo[0]; item; item = item->next) {
                if (std::strncmp(item->data, "Cert:", 5) == 0) pem = item->data + 5;
            }
            std::tie(identity.fingerprint, identity.publicKeyPin) = fingerprintAndPin(pem);
            if (info->num_of_certs > 1) {
                identity.details.emplace_back("Certificates in the chain",
                                              std::to_string(info->num_of_certs));
            }
        }
        if (identity.publicKeyPin.empty()) {
            return {Kind::Fatal, "The certificate of " + host.display() +
                                     " is not trusted, and it could not be read: " + problem};
        }
        return {Kind::Fatal, identity.describe(), identity};
    }
};

CurlRemoteFiles::CurlRemoteFiles(RemoteHost host, std::string user, std::string password,
                                 ConnectionOptions options, const std::atomic<bool>& cancel,
                                 std::shared_ptr<CurlShare> share)
    : impl_(std::make_unique<Impl>(std::move(host), std::move(user), std::move(password),
                                   std::move(options), cancel, std::move(share))) {
    initialiseCurl();
    impl_->curl = curl_easy_init();
    impl_->multi = curl_multi_init();
    if (!impl_->curl || !impl_->multi) {
        curl_easy_cleanup(impl_->curl);
        curl_multi_cleanup(impl_->multi);
        throw Error("libcurl could not be started.");
    }
}

CurlRemoteFiles::~CurlRemoteFiles() {
    // The goodbye (QUIT) is sent, but its reply is not waited for: the connection reads as
    // closed at once.
    impl_->session.reset();
    if (!impl_->sftp()) {
        for (const curl_socket_t fd : impl_->sockets) ::shutdown(fd, SHUT_RD);
    }
    if (impl_->attached) curl_multi_remove_handle(impl_->multi, impl_->curl);
    curl_slist_free_all(impl_->quotes);
    curl_easy_cleanup(impl_->curl);
    curl_multi_cleanup(impl_->multi);
}

void CurlRemoteFiles::connect() {
    Impl& d = *impl_;
    d.endSession();
    LoginReplies login;
    login.curl = d.curl;
    d.prepare(d.rootUrl());
    curl_easy_setopt(d.curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(d.curl, CURLOPT_HEADERFUNCTION, &collectLogin);
    curl_easy_setopt(d.curl, CURLOPT_HEADERDATA, &login);
    if (!d.sftp()) {
        // libcurl logs in (and speaks TLS); the session sends the commands that follow.
        curl_easy_setopt(d.curl, CURLOPT_CONNECT_ONLY, 1L);
        d.keepConnection = true;
    }
    try {
        d.perform("Logging in");
    } catch (...) {
        d.keepConnection = false;
        throw;
    }
    d.keepConnection = false;
    d.loggedIn = true;
    if (!d.sftp()) {
        curl_easy_setopt(d.curl, CURLOPT_HEADERFUNCTION, nullptr);
        try {
            d.session = std::make_unique<FtpSession>(d.curl, login.tls, d.host.display(),
                                                     FtpSession::Timeouts{d.options.stallTimeout},
                                                     d.cancel);
        } catch (const RemoteError&) {
            d.endSession();
            throw;
        }
    }
    // Where TLS was only tried, a 234 reply (to AUTH TLS) shows that it is in use.
    const ConnectionOptions& options = d.options;
    if (d.host.protocol == RemoteHost::Protocol::Ftp && options.allowPlainFtp &&
        !options.offersNoTls && options.foundPlain && login.text.rfind("234", 0) != 0 &&
        login.text.find("\n234") == std::string::npos) {
        options.foundPlain();
    }
}

bool CurlRemoteFiles::makeFolder(const std::string& path) {
    Impl& d = *impl_;
    // The remote folder itself: each folder of its path, those that exist refusing harmlessly.
    std::vector<std::string> targets;
    if (path.empty()) {
        RemoteHost root = d.host;
        root.folder.clear();
        std::string partial;
        for (const auto& part : d.host.folder) {
            partial += (partial.empty() ? "" : "/") + part;
            targets.push_back(root.commandPath(partial));
        }
    } else {
        targets.push_back(d.host.commandPath(path));
    }
    if (targets.empty()) return true;
    const std::string what = "Creating the folder " + (path.empty() ? d.host.display() : path);
    if (!d.sftp()) {
        std::vector<std::string> commands;
        for (const auto& target : targets) commands.push_back("MKD " + target);
        return d.onSession(*this, [&](FtpSession& ftp) {
            return ftp.commands(commands, what).back().code == 257;
        });
    }
    std::vector<std::string> commands;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const std::string ignoreFailure = i + 1 < targets.size() ? "*" : "";
        commands.push_back(ignoreFailure + "mkdir " + sftpQuoted(targets[i]));
    }
    d.prepare(d.rootUrl());
    curl_easy_setopt(d.curl, CURLOPT_NOBODY, 1L);
    d.setQuotes(CURLOPT_QUOTE, commands);
    try {
        d.perform(what);
    } catch (const RemoteError& e) {
        if (e.kind() != Kind::File) throw;
        return false;
    }
    return true;
}

std::optional<std::vector<RemoteEntry>> CurlRemoteFiles::list(const std::string& folder) {
    Impl& d = *impl_;
    const std::string what =
        "Listing " + (folder.empty() ? std::string("the remote folder") : folder);
    if (!d.sftp()) {
        return d.onSession(*this, [&](FtpSession& ftp) -> std::optional<std::vector<RemoteEntry>> {
            const std::string path = d.host.commandPath(folder);
            if (d.statLists) {
                // One command on the control connection: no data connection.
                const auto reply = ftp.commands({"STAT " + path}, what).front();
                if (reply.code == 211 || reply.code == 212 || reply.code == 213)
                    return parseListing(statusBody(reply.text));
                if (reply.code == 450 || reply.code == 550) return std::nullopt;
                d.statLists = false;  // not understood: list the usual way from now on
            }
            try {
                return parseListing(ftp.list(path, what));
            } catch (const RemoteError& e) {
                if (e.kind() == Kind::File) return std::nullopt;
                throw;
            }
        });
    }
    std::string listing;
    d.prepare(d.host.url(folder, true));
    curl_easy_setopt(d.curl, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(d.curl, CURLOPT_WRITEDATA, &listing);
    try {
        d.perform(what);
    } catch (const RemoteError& e) {
        if (e.kind() == Kind::File) return std::nullopt;
        throw;
    }
    return parseListing(listing);
}

void CurlRemoteFiles::upload(const std::string& path, std::string_view bytes,
                             const Progress& progress, bool replaces) {
    Impl& d = *impl_;
    const auto [folder, name] = splitFolderAndName(path);
    const std::string temporary = name + kTemporarySuffix;
    const std::string temporaryPath = folder.empty() ? temporary : folder + "/" + temporary;
    if (!d.sftp()) {
        d.onSession(*this, [&](FtpSession& ftp) {
            ftp.store(d.host.commandPath(replaces ? temporaryPath : path), bytes, progress,
                      "Upload of " + path);
            if (!replaces) return;
            // RNFR and RNTO together; some servers rename only onto a free name, so where the
            // rename itself was refused the old file goes first.
            const std::string from = "RNFR " + d.host.commandPath(temporaryPath);
            const std::string to = "RNTO " + d.host.commandPath(path);
            const std::string what = "Renaming " + temporaryPath + " to " + name;
            auto replies = ftp.commands({from, to}, what);
            if (replies[0].code == 350 && replies[1].code >= 400) {
                replies = ftp.commands({"DELE " + d.host.commandPath(path), from, to}, what);
                replies.erase(replies.begin());
            }
            for (const auto& reply : replies) {
                if (reply.code >= 400) {
                    throw RemoteError(Kind::File, what + " failed: the server answered " +
                                                      reply.text.substr(0, reply.text.find('\n')) +
                                                      ".");
                }
            }
        });
        return;
    }
    d.prepare(d.host.url(replaces ? temporaryPath : path, false));
    d.progress = &progress;
    d.upload.bytes = bytes;
    curl_easy_setopt(d.curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(d.curl, CURLOPT_READFUNCTION, &readUpload);
    curl_easy_setopt(d.curl, CURLOPT_READDATA, &d.upload);
    curl_easy_setopt(d.curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
    if (replaces) {
        // SFTP renames do not replace a file, so the old one goes first.
        d.setQuotes(CURLOPT_POSTQUOTE, {"*rm " + sftpQuoted(d.host.commandPath(path)),
                                        "rename " + sftpQuoted(d.host.commandPath(temporaryPath)) +
                                            " " + sftpQuoted(d.host.commandPath(path))});
    }
    d.perform("Upload of " + path);
    curl_off_t sent = 0;
    curl_easy_getinfo(d.curl, CURLINFO_SIZE_UPLOAD_T, &sent);
    if (static_cast<std::uint64_t>(sent) != bytes.size()) {
        throw RemoteError(Kind::Connection, "Upload of " + path + " ended after " +
                                                std::to_string(sent) + " of " +
                                                std::to_string(bytes.size()) + " bytes.");
    }
}

void CurlRemoteFiles::remove(const std::string& path) {
    Impl& d = *impl_;
    const auto [folder, name] = splitFolderAndName(path);
    auto stillThere = [&] {
        const auto entries = list(folder);
        return entries && std::any_of(entries->begin(), entries->end(),
                                      [&](const RemoteEntry& entry) { return entry.name == name; });
    };
    if (!d.sftp()) {
        const auto reply = d.onSession(*this, [&](FtpSession& ftp) {
            return ftp.commands({"DELE " + d.host.commandPath(path)}, "Deleting " + path).front();
        });
        if (reply.code < 400 || !stillThere()) return;
        throw RemoteError(Kind::File, "Deleting " + path + " failed: the server answered " +
                                          std::to_string(reply.code) + ".");
    }
    d.prepare(d.rootUrl());
    curl_easy_setopt(d.curl, CURLOPT_NOBODY, 1L);
    d.setQuotes(CURLOPT_QUOTE, {"rm " + sftpQuoted(d.host.commandPath(path))});
    try {
        d.perform("Deleting " + path);
    } catch (const RemoteError& e) {
        // Refused because it is gone already (or its folder is)?
        if (e.kind() != Kind::File || stillThere()) throw;
    }
}

}  // namespace tarvomen::publish
