#include "publish/upload/ftp_session.hpp"

#include <curl/curl.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>

namespace tarvomen::publish {
namespace {

using Kind = RemoteError::Kind;
using Clock = std::chrono::steady_clock;

// The longest a wait goes without looking at the cancel flag.
constexpr int kSliceMs = 20;
// Bytes handed to the data connection at a time.
constexpr std::size_t kChunk = 64 * 1024;

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// The port of a passive-mode reply: "229 ... (|||port|)" or "227 ... (h1,h2,h3,h4,p1,p2)".
// The address is not taken from the reply: data goes to the server of the control connection.
std::optional<int> passivePort(const FtpSession::Reply& reply) {
    const std::string& text = reply.text;
    if (reply.code == 229) {
        const auto start = text.find("|||");
        if (start == std::string::npos) return std::nullopt;
        int port = 0;
        std::size_t i = start + 3;
        for (; i < text.size() && isDigit(text[i]); ++i) port = port * 10 + (text[i] - '0');
        if (i == start + 3 || i >= text.size() || text[i] != '|' || port <= 0 || port > 65535)
            return std::nullopt;
        return port;
    }
    if (reply.code == 227) {
        std::vector<int> numbers;
        const auto open = text.find('(');
        for (std::size_t i = open == std::string::npos ? 4 : open + 1;
             i < text.size() && numbers.size() < 6; ++i) {
            if (!isDigit(text[i])) continue;
            int n = 0;
            for (; i < text.size() && isDigit(text[i]); ++i) n = n * 10 + (text[i] - '0');
            numbers.push_back(n);
        }
        if (numbers.size() < 6 || numbers[4] > 255 || numbers[5] > 255) return std::nullopt;
        const int port = numbers[4] * 256 + numbers[5];
        if (port <= 0) return std::nullopt;
        return port;
    }
    return std::nullopt;
}

template <class T, void (*Free)(T*)>
struct OsslDeleter {
    void operator()(T* p) const { Free(p); }
};
using SslPtr = std::unique_ptr<SSL, OsslDeleter<SSL, SSL_free>>;
using X509Ptr = std::unique_ptr<X509, OsslDeleter<X509, X509_free>>;

// Keeps a write to a connection the server closed from ending the program: OpenSSL writes with
// plain write(), which raises SIGPIPE. The signal is held for this thread and taken back.
class SigpipeHeld {
  public:
    SigpipeHeld() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigpending(&pending_);
        wasPending_ = sigismember(&pending_, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &old_);
    }
    ~SigpipeHeld() {
        sigset_t now;
        sigpending(&now);
        if (!wasPending_ && sigismember(&now, SIGPIPE) == 1) {
            const timespec none{0, 0};
            sigtimedwait(&pipe_, nullptr, &none);
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    SigpipeHeld(const SigpipeHeld&) = delete;
    SigpipeHeld& operator=(const SigpipeHeld&) = delete;

  private:
    sigset_t pipe_{};
    sigset_t old_{};
    sigset_t pending_{};
    bool wasPending_ = false;
};

// A data connection: a socket, with TLS where the control connection has it.
struct DataChannel {
    int fd = -1;
    SslPtr tls;
    short wanted = POLLOUT;  // what the last call waits for

    DataChannel() = default;
    DataChannel(const DataChannel&) = delete;
    DataChannel& operator=(const DataChannel&) = delete;
    ~DataChannel() {
        tls.reset();
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

struct FtpSession::Impl {
    Impl(CURL* c, std::string s, Timeouts t, const std::atomic<bool>& x)
        : curl(c), server(std::move(s)), timeouts(t), cancel(x) {}

    CURL* curl;
    std::string server;
    Timeouts timeouts;
    const std::atomic<bool>& cancel;

    int control = -1;
    SSL* controlTls = nullptr;  // owned by libcurl; none for plain FTP
    std::unique_ptr<SSL_CTX, OsslDeleter<SSL_CTX, SSL_CTX_free>> dataContext;
    std::string inbox;  // received from the server, not yet read as replies
    bool binary = false;
    enum class Passive { Unknown, Extended, Classic } passive = Passive::Unknown;
    Clock::time_point lastProgress = Clock::now();

    RemoteError timedOut(const std::string& what) const {
        return {Kind::TimedOut, "The server " + server + " did not answer for " +
                                    std::to_string(timeouts.stall.count()) + " s (" + what +
                                    "). Check the host name and port, and the connection."};
    }
    RemoteError lost(const std::string& detail) const {
        return {Kind::Connection, "The connection to " + server + " failed: " + detail};
    }

    // Waits until one of `fds` is ready. Fails when cancelled, or after the stall time without
    // progress.
    void wait(pollfd* fds, nfds_t count, const std::string& what) {
        for (;;) {
            if (cancel) throw RemoteError(Kind::Cancelled, "Cancelled.");
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                lastProgress + timeouts.stall - Clock::now());
            if (left.count() <= 0) throw timedOut(what);
            const int ready =
                ::poll(fds, count, static_cast<int>(std::min<long long>(kSliceMs, left.count())));
            if (ready > 0) return;
            if (ready < 0 && errno != EINTR) throw lost(std::strerror(errno));
        }
    }

    void progressed() { lastProgress = Clock::now(); }

    void send(const std::string& text, const std::string& what) {
        std::size_t offset = 0;
        while (offset < text.size()) {
            std::size_t n = 0;
            const CURLcode code =
                curl_easy_send(curl, text.data() + offset, text.size() - offset, &n);
            if (code == CURLE_OK) {
                offset += n;
                continue;
            }
            if (code != CURLE_AGAIN) throw lost(curl_easy_strerror(code));
            pollfd fd{control, POLLOUT, 0};
            wait(&fd, 1, what);
        }
    }

    // Takes what the server sent; false when nothing is waiting.
    bool receive() {
        char buffer[4096];
        bool got = false;
        for (;;) {
            std::size_t n = 0;
            const CURLcode code = curl_easy_recv(curl, buffer, sizeof buffer, &n);
            if (code == CURLE_AGAIN) return got;
            if (code != CURLE_OK) throw lost(curl_easy_strerror(code));
            if (n == 0) throw lost("the server closed the connection.");
            inbox.append(buffer, n);
            got = true;
            progressed();
        }
    }

    // The first whole reply in the inbox, taken out of it.
    std::optional<Reply> takeReply() {
        Reply reply;
        std::string code;
        std::size_t position = 0;
        for (;;) {
            const std::size_t end = inbox.find('\n', position);
            if (end == std::string::npos) return std::nullopt;
            std::string line = inbox.substr(position, end - position);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            position = end + 1;
            reply.text += line + "\n";
            if (code.empty()) {
                if (line.size() < 3 || !std::all_of(line.begin(), line.begin() + 3, isDigit))
                    throw lost("the server sent no FTP reply (" + line + ").");
                code = line.substr(0, 3);
                if (line.size() == 3 || line[3] != '-') break;
            } else if (line.compare(0, 3, code) == 0 && (line.size() == 3 || line[3] == ' ')) {
                break;
            }
        }
        inbox.erase(0, position);
        reply.code = std::stoi(code);
        return reply;
    }

    Reply readReply(const std::string& what) {
        for (;;) {
            if (auto reply = takeReply()) return *reply;
            if (!receive()) {
                pollfd fd{control, POLLIN, 0};
                wait(&fd, 1, what);
            }
        }
    }

    // The next final reply; preliminary ones (1xx) are passed over.
    Reply readFinal(const std::string& what) {
        for (;;) {
            Reply reply = readReply(what);
            if (reply.code == 421) throw lost(firstLine(reply.text));
            if (reply.code >= 200) return reply;
        }
    }

    // Reads what arrived on the control connection during a transfer: false until a final
    // reply came, which is then in `final`.
    bool finalArrived(std::optional<Reply>& final) {
        receive();
        while (auto reply = takeReply()) {
            if (reply->code == 421) throw lost(firstLine(reply->text));
            if (reply->code >= 200) {
                final = std::move(reply);
                return true;
            }
        }
        return false;
    }

    // Opens a data connection to `port` of the server; under TLS, resuming the control
    // connection's session. A final reply that arrives meanwhile (the command was refused)
    // ends the wait and is returned.
    std::optional<Reply> openData(DataChannel& data, int port, const std::string& what) {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        if (::getpeername(control, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw lost(std::strerror(errno));
        if (address.ss_family == AF_INET) {
            reinterpret_cast<sockaddr_in&>(address).sin_port = htons(static_cast<uint16_t>(port));
        } else {
            reinterpret_cast<sockaddr_in6&>(address).sin6_port = htons(static_cast<uint16_t>(port));
        }
        data.fd = ::socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (data.fd < 0) throw lost(std::strerror(errno));
        std::optional<Reply> final;
        if (::connect(data.fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
            if (errno != EINPROGRESS) return refusedOrLost(final, what, std::strerror(errno));
            for (;;) {
                pollfd fds[2] = {{data.fd, POLLOUT, 0}, {control, POLLIN, 0}};
                wait(fds, 2, what);
                if (fds[1].revents && finalArrived(final)) return final;
                if (fds[0].revents) break;
            }
            int error = 0;
            socklen_t size = sizeof error;
            ::getsockopt(data.fd, SOL_SOCKET, SO_ERROR, &error, &size);
            if (error != 0) return refusedOrLost(final, what, std::strerror(error));
        }
        progressed();
        if (!controlTls) return std::nullopt;

        data.tls.reset(SSL_new(dataContext.get()));
        if (!data.tls || SSL_set_fd(data.tls.get(), data.fd) != 1)
            throw RemoteError(Kind::Fatal, "TLS could not be started for a data connection.");
        if (SSL_SESSION* session = SSL_get1_session(controlTls)) {
            SSL_set_session(data.tls.get(), session);
            SSL_SESSION_free(session);
        }
        for (;;) {
            const int done = SSL_connect(data.tls.get());
            if (done == 1) break;
            const int error = SSL_get_error(data.tls.get(), done);
            if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE)
                return refusedOrLost(final, what, "the TLS handshake of a data connection failed.");
            pollfd fds[2] = {
                {data.fd, error == SSL_ERROR_WANT_READ ? short(POLLIN) : short(POLLOUT), 0},
                {control, POLLIN, 0}};
            wait(fds, 2, what);
            if (fds[1].revents && finalArrived(final)) return final;
        }
        progressed();
        // A data connection that did not resume the session must show the same certificate as
        // the control connection, which was checked.
        if (!SSL_session_reused(data.tls.get())) {
            const X509Ptr expected(SSL_get1_peer_certificate(controlTls));
            const X509Ptr shown(SSL_get1_peer_certificate(data.tls.get()));
            if (!expected || !shown || X509_cmp(expected.get(), shown.get()) != 0) {
                throw RemoteError(Kind::Fatal, "The data connection to " + server +
                                                   " showed another certificate than the "
                                                   "control connection; nothing was sent.");
            }
        }
        return std::nullopt;
    }

    // After a data connection failed: the server's refusal of the command where it gave one.
    std::optional<Reply> refusedOrLost(std::optional<Reply>& final, const std::string& what,
                                       const std::string& detail) {
        if (!final) final = readFinal(what);
        if (final->code >= 400) return final;
        throw lost("the data connection could not be opened: " + detail);
    }

    // Writes bytes to the data connection: how many were taken (0 when it must wait).
    std::size_t write(DataChannel& data, std::string_view bytes) {
        if (data.tls) {
            const int n = SSL_write(data.tls.get(), bytes.data(), static_cast<int>(bytes.size()));
            if (n > 0) return static_cast<std::size_t>(n);
            const int error = SSL_get_error(data.tls.get(), n);
            if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
                data.wanted = error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT;
                return 0;
            }
            throw lost("the data connection broke.");
        }
        const ssize_t n = ::send(data.fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
            data.wanted = POLLOUT;
            return 0;
        }
        throw lost(std::string("the data connection broke: ") + std::strerror(errno));
    }

    // Reads from the data connection into `out`: false at its end.
    bool read(DataChannel& data, std::string& out) {
        char buffer[16384];
        for (;;) {
            if (data.tls) {
                const int n = SSL_read(data.tls.get(), buffer, sizeof buffer);
                if (n > 0) {
                    out.append(buffer, static_cast<std::size_t>(n));
                    progressed();
                    continue;
                }
                const int error = SSL_get_error(data.tls.get(), n);
                if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
                    data.wanted = error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT;
                    return true;
                }
                return false;  // closed, with or without the TLS goodbye
            }
            const ssize_t n = ::recv(data.fd, buffer, sizeof buffer, 0);
            if (n > 0) {
                out.append(buffer, static_cast<std::size_t>(n));
                progressed();
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
                data.wanted = POLLIN;
                return true;
            }
            return false;
        }
    }

    // Sends the type and passive-mode commands, with `command` right behind them once the
    // server is known to take the extended or the classic passive mode, and returns the
    // data port. `command` has been sent when this returns. Not before: a server that refused
    // the passive mode may hold the command until a data connection comes, which none does.
    int startTransfer(const std::string& command, const std::string& what) {
        std::string out;
        const bool askType = !binary;
        if (askType) out += "TYPE I\r\n";
        const bool known = passive != Passive::Unknown;
        out += passive == Passive::Classic ? "PASV\r\n" : "EPSV\r\n";
        if (known) out += command + "\r\n";
        send(out, what);
        if (askType) binary = readFinal(what).code == 200;
        Reply reply = readFinal(what);
        std::optional<int> port = passivePort(reply);
        if (!port && !known) {
            send("PASV\r\n", what);
            reply = readFinal(what);
            port = passivePort(reply);
            if (port) passive = Passive::Classic;
        } else if (port && !known) {
            passive = Passive::Extended;
        }
        if (!port) {
            if (known) readFinal(what);  // the command's refusal: it had no data connection
            throw lost("the server refused a data connection (" + firstLine(reply.text) + ").");
        }
        if (!known) send(command + "\r\n", what);
        return *port;
    }

    // Starts `command` on a new data connection; throws where the server refused it.
    void beginTransfer(const std::string& command, DataChannel& data, const std::string& what) {
        progressed();
        const int port = startTransfer(command, what);
        if (const auto final = openData(data, port, what)) refused(*final, what);
    }

    [[noreturn]] void refused(const Reply& reply, const std::string& what) const {
        if (reply.code == 452 || reply.code == 552) {
            throw RemoteError(Kind::Full, what +
                                              " failed: the server has no room left (its reply: " +
                                              firstLine(reply.text) + ").");
        }
        throw RemoteError(Kind::File,
                          what + " failed: the server answered " + firstLine(reply.text) + ".");
    }
};

FtpSession::FtpSession(void* curl, void* controlTls, std::string server, Timeouts timeouts,
                       const std::atomic<bool>& cancel)
    : impl_(std::make_unique<Impl>(static_cast<CURL*>(curl), std::move(server), timeouts, cancel)) {
    Impl& d = *impl_;
    curl_socket_t socket = CURL_SOCKET_BAD;
    if (curl_easy_getinfo(d.curl, CURLINFO_ACTIVESOCKET, &socket) != CURLE_OK ||
        socket == CURL_SOCKET_BAD) {
        throw d.lost("the connection closed after the login.");
    }
    d.control = static_cast<int>(socket);
    if (controlTls) {
        d.controlTls = static_cast<SSL*>(controlTls);
        d.dataContext.reset(SSL_CTX_new(TLS_client_method()));
        if (!d.dataContext) throw RemoteError(Kind::Fatal, "TLS could not be started.");
        const int version = SSL_version(d.controlTls);
        SSL_CTX_set_min_proto_version(d.dataContext.get(), version);
        SSL_CTX_set_max_proto_version(d.dataContext.get(), version);
        SSL_CTX_set_verify(d.dataContext.get(), SSL_VERIFY_NONE, nullptr);
        SSL_CTX_set_mode(d.dataContext.get(),
                         SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    }
    d.progressed();
}

FtpSession::~FtpSession() = default;

std::vector<FtpSession::Reply> FtpSession::commands(const std::vector<std::string>& commands,
                                                    const std::string& what) {
    Impl& d = *impl_;
    d.progressed();
    std::string out;
    for (const auto& command : commands) out += command + "\r\n";
    d.send(out, what);
    std::vector<Reply> replies;
    for (std::size_t i = 0; i < commands.size(); ++i) replies.push_back(d.readFinal(what));
    return replies;
}

void FtpSession::store(const std::string& commandPath, std::string_view bytes,
                       const RemoteFiles::Progress& progress, const std::string& what) {
    Impl& d = *impl_;
    const SigpipeHeld held;
    DataChannel data;
    d.beginTransfer("STOR " + commandPath, data, what);

    // The bytes, while the control connection is watched for a refusal.
    std::optional<Reply> final;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const std::size_t n = d.write(data, bytes.substr(sent, kChunk));
        if (n > 0) {
            sent += n;
            d.progressed();
            if (progress) progress(sent);
            continue;
        }
        pollfd fds[2] = {{data.fd, data.wanted, 0}, {d.control, POLLIN, 0}};
        d.wait(fds, 2, what);
        if (fds[1].revents && d.finalArrived(final)) break;
    }
    if (!final) {
        // The end of the file: the TLS goodbye, then the end of the stream. The socket stays
        // open until the server confirmed, so that nothing can reset the connection before the
        // server has read it all.
        if (data.tls) SSL_shutdown(data.tls.get());
        ::shutdown(data.fd, SHUT_WR);
        final = d.readFinal(what);
    }
    if (final->code >= 400) d.refused(*final, what);
    if (sent != bytes.size()) {
        throw RemoteError(Kind::Connection, what + " ended after " + std::to_string(sent) + " of " +
                                                std::to_string(bytes.size()) + " bytes.");
    }
}

std::string FtpSession::list(const std::string& commandPath, const std::string& what) {
    Impl& d = *impl_;
    const SigpipeHeld held;
    DataChannel data;
    d.beginTransfer("LIST " + commandPath, data, what);
    // The listing until its end, while the control connection is watched for a refusal (the
    // data connection then stays open and silent).
    std::string listing;
    std::optional<Reply> final;
    data.wanted = POLLIN;
    while (d.read(data, listing)) {
        pollfd fds[2] = {{data.fd, data.wanted, 0}, {d.control, POLLIN, 0}};
        d.wait(fds, final ? 1 : 2, what);
        if (!final && fds[1].revents && d.finalArrived(final) && final->code >= 400) break;
    }
    if (!final) final = d.readFinal(what);
    if (final->code >= 400) d.refused(*final, what);
    return listing;
}

}  // namespace tarvomen::publish
