#include "publish/preview_server.hpp"

#include <httplib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/error.hpp"
#include "platform/file_bytes.hpp"
#include "platform/url.hpp"
#include "publish/preview_server_media_page.hpp"
#include "store/site_paths.hpp"

namespace fs = std::filesystem;

namespace tarvomen::publish {
namespace {

constexpr const char* kLoopback = "127.0.0.1";
constexpr std::string_view kSiteFolderName = paths::kSiteFolderName;
constexpr std::string_view kEventsPath = "/__tarvomen/events";
constexpr std::string_view kMediaTestPath = "/__tarvomen/AviTest.html";
constexpr std::string_view kMediumPrefix = "/__tarvomen/medium/";
constexpr const char* kHtmlType = "text/html; charset=windows-1252";

// Serving threads. Each open browser connection holds one while it lives (keep-alive, long
// poll), so there are more than a browser opens at once; at most kMaxWaiting of them wait in
// long polls, later pollers are told to come back (503) and retry after a pause.
constexpr std::size_t kThreads = 16;
constexpr int kMaxWaiting = 8;
constexpr auto kLongPoll = std::chrono::seconds(20);
constexpr std::size_t kChunk = 64 * 1024;

struct TypeByExtension {
    std::string_view extension;
    const char* type;
};
constexpr std::array<TypeByExtension, 9> kTypes = {{
    {".html", kHtmlType},
    {".htm", kHtmlType},
    {".gif", "image/gif"},
    {".jpg", "image/jpeg"},
    {".jpeg", "image/jpeg"},
    {".wav", "audio/wav"},
    {".avi", "video/x-msvideo"},
    {".mpg", "video/mpeg"},
    {".mpeg", "video/mpeg"},
}};

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// The content type the server sends for a file name, or nullptr for a type it does not serve.
const char* contentTypeOf(std::string_view name) {
    const std::string lower = lowerAscii(name);
    for (const auto& entry : kTypes) {
        if (lower.size() > entry.extension.size() && lower.ends_with(entry.extension)) {
            return entry.type;
        }
    }
    return nullptr;
}

// A path component that may name an entry of the site folder: no "." or "..", nothing that a
// Windows path would read as a separator, drive, wildcard or device, no control characters.
bool safeComponent(std::string_view part) {
    if (part.empty() || part == "." || part == "..") return false;
    for (const char ch : part) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) return false;
        if (std::string_view("\\/:*?\"<>|").find(ch) != std::string_view::npos) return false;
    }
    return true;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

bool isInside(const fs::path& real, const fs::path& folder) {
    const fs::path rel = real.lexically_relative(folder);
    return !rel.empty() && *rel.begin() != ".." && *rel.begin() != ".";
}

// Inserts `script` before the page's last "</BODY" tag (any case), or at its end without one.
std::string withScript(std::string page, const std::string& script) {
    const std::string lower = lowerAscii(page);
    const std::size_t at = lower.rfind("</body");
    page.insert(at == std::string::npos ? page.size() : at, script);
    return page;
}

void setText(httplib::Response& res, int status, const char* text) {
    res.status = status;
    res.set_content(text, "text/plain; charset=us-ascii");
}

// Sends a page through a provider, which the library never compresses: on loopback,
// compressing a page costs more than sending it.
void sendPage(httplib::Response& res, std::string page) {
    auto body = std::make_shared<const std::string>(std::move(page));
    res.set_content_provider(
        body->size(), kHtmlType,
        [body](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            return sink.write(body->data() + offset, length);
        });
}

// Sends a file in pieces as the browser asks for them (media players ask for ranges).
void sendFile(httplib::Response& res, const fs::path& file, const char* type) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    auto in = std::make_shared<std::ifstream>(file, std::ios::binary);
    if (ec || !*in) {
        setText(res, 404, "Not Found\n");
        return;
    }
    res.set_content_provider(static_cast<std::size_t>(size), type,
                             [in](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                                 std::vector<char> buffer(std::min(length, kChunk));
                                 in->clear();
                                 in->seekg(static_cast<std::streamoff>(offset));
                                 in->read(buffer.data(),
                                          static_cast<std::streamsize>(buffer.size()));
                                 const auto got = in->gcount();
                                 // A file cut short since its size was taken ends the connection.
                                 if (got <= 0) return false;
                                 return sink.write(buffer.data(), static_cast<std::size_t>(got));
                             });
}

// The components of a Windows path in its normal form, or nothing for a path outside the drive.
std::optional<std::vector<std::string>> componentsOf(const Drive& drive,
                                                     std::string_view windowsPath) {
    try {
        const std::string normal = drive.normalize(windowsPath);
        std::vector<std::string> parts;
        for (const std::string_view part : split(normal, '\\')) {
            parts.emplace_back(part);
        }
        return parts;
    } catch (const PathError&) {
        return std::nullopt;
    }
}

// Whether `path` lies inside `folder` (both Windows paths), compared component by component
// without regard to letter case.
bool windowsPathInside(const Drive& drive, std::string_view path, std::string_view folder) {
    const auto inner = componentsOf(drive, path);
    const auto outer = componentsOf(drive, folder);
    if (!inner || !outer || inner->size() <= outer->size()) return false;
    return std::equal(
        outer->begin(), outer->end(), inner->begin(),
        [](const std::string& a, const std::string& b) { return sameFileName(a, b); });
}

}  // namespace

struct PreviewServer::Impl {
    // Serves for as long as it runs, while generations change the site: no remembered listings.
    explicit Impl(const fs::path& driveRoot) : drive(driveRoot, Drive::Listings::readEachTime) {}

    Drive drive;
    httplib::Server server;
    std::thread thread;
    std::atomic<bool> threadDone{false};
    int port = 0;
    bool started = false;

    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t generation = 0;  // guarded by mutex
    int waiting = 0;               // long polls being held; guarded by mutex
    bool stopping = false;         // guarded by mutex
    std::string cannotPlayText;    // guarded by mutex

    void handle(const httplib::Request& req, httplib::Response& res);
    bool hostAllowed(const httplib::Request& req) const;
    void serveEvents(const httplib::Request& req, httplib::Response& res);
    void serveSite(const httplib::Request& req, httplib::Response& res);
    void serveMediaTestPage(httplib::Response& res);
    void serveMedium(std::string_view name, httplib::Response& res);
    std::optional<fs::path> fileOf(const std::vector<std::string_view>& relative) const;
    std::optional<std::string> mediaTestPage() const;
    std::optional<fs::path> mediumFile(std::string_view name) const;
    std::uint64_t currentGeneration() {
        std::lock_guard lock(mutex);
        return generation;
    }
};

bool PreviewServer::Impl::hostAllowed(const httplib::Request& req) const {
    if (req.get_header_value_count("Host") != 1) return false;
    const std::string host = lowerAscii(req.get_header_value("Host"));
    const std::string suffix = ":" + std::to_string(port);
    if (host == kLoopback + suffix || host == "localhost" + suffix) return true;
    // A browser leaves out the default port.
    return port == 80 && (host == kLoopback || host == "localhost");
}

void PreviewServer::Impl::handle(const httplib::Request& req, httplib::Response& res) {
    if (!hostAllowed(req)) {
        setText(res, 403, "Forbidden\n");
        return;
    }
    if (req.method != "GET" && req.method != "HEAD") {
        res.set_header("Allow", "GET, HEAD");
        setText(res, 405, "Method Not Allowed\n");
        return;
    }
    const std::string_view path = req.path;
    if (path == kEventsPath) {
        serveEvents(req, res);
    } else if (sameFileName(path, kMediaTestPath)) {
        serveMediaTestPage(res);
    } else if (path.starts_with(kMediumPrefix)) {
        serveMedium(path.substr(kMediumPrefix.size()), res);
    } else {
        serveSite(req, res);
    }
}

// Long poll: answers with the generation number as soon as it differs from `since`, or after
// kLongPoll with the same number. The page's script reloads on a different number.
void PreviewServer::Impl::serveEvents(const httplib::Request& req, httplib::Response& res) {
    const std::string sinceText = req.get_param_value("since");
    std::uint64_t since = 0;
    const auto [end, ec] =
        std::from_chars(sinceText.data(), sinceText.data() + sinceText.size(), since);
    const bool valid = ec == std::errc{} && end == sinceText.data() + sinceText.size();

    std::unique_lock lock(mutex);
    if (stopping || (valid && generation == since && waiting >= kMaxWaiting)) {
        lock.unlock();
        res.set_header("Retry-After", "2");
        setText(res, 503, "Busy\n");
        return;
    }
    if (valid && req.method == "GET") {
        ++waiting;
        changed.wait_for(lock, kLongPoll, [&] { return generation != since || stopping; });
        --waiting;
    }
    const std::string body = std::to_string(generation);
    lock.unlock();
    res.status = 200;
    res.set_content(body, "text/plain; charset=us-ascii");
}

void PreviewServer::Impl::serveSite(const httplib::Request& req, httplib::Response& res) {
    const std::string_view path = req.path;
    if (path == "/") {
        res.set_redirect("/Tarvomen/", 302);
        return;
    }
    if (path.empty() || path[0] != '/') {
        setText(res, 404, "Not Found\n");
        return;
    }
    std::vector<std::string_view> parts = split(path.substr(1), '/');
    if (!sameFileName(parts[0], kSiteFolderName)) {
        setText(res, 404, "Not Found\n");
        return;
    }
    if (parts.size() == 1) {
        // The folder without its slash: relative links of its pages need the slash.
        res.set_redirect(std::string(path) + "/", 302);
        return;
    }
    parts.erase(parts.begin());
    if (parts.back().empty()) parts.back() = "index.html";

    const char* type = contentTypeOf(parts.back());
    const std::optional<fs::path> file = type ? fileOf(parts) : std::nullopt;
    if (!file) {
        setText(res, 404, "Not Found\n");
        return;
    }

    if (type == std::string_view(kHtmlType)) {
        const std::optional<std::string> page = readFileBytes(*file);
        if (!page) {
            setText(res, 404, "Not Found\n");
            return;
        }
        sendPage(res, withScript(*page, reloadScript(currentGeneration())));
        return;
    }
    sendFile(res, *file, type);
}

void PreviewServer::Impl::serveMediaTestPage(httplib::Response& res) {
    const std::optional<std::string> page = mediaTestPage();
    if (!page) {
        setText(res, 404, "Not Found\n");
        return;
    }
    std::string text;
    std::uint64_t current = 0;
    {
        std::lock_guard lock(mutex);
        text = cannotPlayText;
        current = generation;
    }
    std::string address(kMediumPrefix);
    if (const auto medium = media_page::namedMedium(*page)) {
        address += percentEncode(medium->name);
    }
    sendPage(res, withScript(media_page::servedPage(*page, address, text), reloadScript(current)));
}

void PreviewServer::Impl::serveMedium(std::string_view name, httplib::Response& res) {
    const std::optional<fs::path> file = mediumFile(name);
    if (!file) {
        setText(res, 404, "Not Found\n");
        return;
    }
    sendFile(res, *file, media_page::mediumTypeOf(name)->contentType);
}

// The bytes of the media test page, or nothing when it is missing or is not really the file of
// that name in the program's test page folder (a link to a record file, for instance).
std::optional<std::string> PreviewServer::Impl::mediaTestPage() const {
    try {
        std::error_code ec;
        const fs::path folder = fs::canonical(drive.resolve(paths::kTestPageFolder), ec);
        if (ec) return std::nullopt;
        const fs::path real = fs::canonical(drive.resolve(paths::kAviTestPage), ec);
        if (ec || real.parent_path() != folder ||
            !sameFileName(real.filename().string(), "AviTest.html") ||
            !fs::is_regular_file(real, ec)) {
            return std::nullopt;
        }
        return readFileBytes(real);
    } catch (const PathError&) {
        return std::nullopt;
    }
}

// The host path of the medium that the media test page names, when `name` is its name, its
// format is one browsers play and it really is a file of the media folder; else nothing.
std::optional<fs::path> PreviewServer::Impl::mediumFile(std::string_view name) const {
    if (!safeComponent(name)) return std::nullopt;
    const std::optional<std::string> page = mediaTestPage();
    if (!page) return std::nullopt;
    const auto medium = media_page::namedMedium(*page);
    if (!medium || !sameFileName(medium->name, name)) return std::nullopt;
    const media_page::MediumType* type = media_page::mediumTypeOf(medium->name);
    if (!type || !type->playable) return std::nullopt;
    if (!windowsPathInside(drive, medium->source, paths::kMediaFolder)) return std::nullopt;
    try {
        std::error_code ec;
        const fs::path media = fs::canonical(drive.resolve(paths::kMediaFolder), ec);
        if (ec) return std::nullopt;
        const fs::path real = fs::canonical(drive.resolve(medium->source), ec);
        // A link to anything but a medium of the media folder (a record file) is not followed.
        if (ec || !isInside(real, media) || !fs::is_regular_file(real, ec) ||
            media_page::mediumTypeOf(real.filename().string()) != type) {
            return std::nullopt;
        }
        return real;
    } catch (const PathError&) {
        return std::nullopt;
    }
}

// The host path of a file of the site folder named by the address components after /Tarvomen/,
// or nothing when it is not a regular file that really lies inside the site folder.
std::optional<fs::path> PreviewServer::Impl::fileOf(
    const std::vector<std::string_view>& relative) const {
    std::string windowsPath = paths::kSiteFolder;
    for (const std::string_view part : relative) {
        if (!safeComponent(part)) return std::nullopt;
        windowsPath += '\\';
        windowsPath += part;
    }
    try {
        std::error_code ec;
        const fs::path site = fs::canonical(drive.resolve(paths::kSiteFolder), ec);
        if (ec) return std::nullopt;
        const fs::path real = fs::canonical(drive.resolve(windowsPath), ec);
        if (ec || !isInside(real, site) || !fs::is_regular_file(real, ec)) return std::nullopt;
        // The record files and the media folder stay private even if the site folder has been
        // made a link into the program folder.
        const fs::path program = fs::weakly_canonical(drive.resolve(paths::kProgramFolder), ec);
        if (ec || isInside(real, program)) return std::nullopt;
        return real;
    } catch (const PathError&) {
        return std::nullopt;
    }
}

PreviewServer::PreviewServer(const fs::path& driveRoot) : impl_(std::make_unique<Impl>(driveRoot)) {
    auto& server = impl_->server;
    server.new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    server.set_tcp_nodelay(true);
    // SO_REUSEADDR only: the library's default also sets SO_REUSEPORT, which lets a second
    // server share a port already in use instead of failing.
    server.set_socket_options([](socket_t sock) {
        const int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server.set_keep_alive_max_count(1000);
    // An idle browser connection holds a serving thread, and stop() waits for it this long.
    server.set_keep_alive_timeout(1);
    server.set_payload_max_length(64 * 1024);
    // Every generation renumbers the copies in the Data folder and rewrites the pages, so the
    // browser must not keep any of them.
    server.set_default_headers(
        {{"Cache-Control", "no-store"}, {"X-Content-Type-Options", "nosniff"}});
    server.set_exception_handler([](const httplib::Request&, httplib::Response& res,
                                    std::exception_ptr) { setText(res, 500, "Server Error\n"); });
    server.set_pre_routing_handler(
        [impl = impl_.get()](const httplib::Request& req, httplib::Response& res) {
            impl->handle(req, res);
            return httplib::Server::HandlerResponse::Handled;
        });
}

PreviewServer::~PreviewServer() {
    stop();
}

void PreviewServer::start(int port) {
    Impl& impl = *impl_;
    if (impl.started) throw std::logic_error("PreviewServer::start called twice");
    if (port < 0 || port > 65535) throw Error("The port must be a number from 0 to 65535.");
    int bound = 0;
    if (port == 0) {
        bound = impl.server.bind_to_any_port(kLoopback);
    } else if (impl.server.bind_to_port(kLoopback, port)) {
        bound = port;
    }
    if (bound <= 0) {
        throw Error("The preview server cannot listen on 127.0.0.1:" + std::to_string(port) +
                    ": the port is in use or not allowed.");
    }
    impl.port = bound;
    impl.started = true;
    impl.thread = std::thread([&impl] {
        impl.server.listen_after_bind();
        impl.threadDone = true;
    });
    // stop() only reaches a server that has begun listening.
    while (!impl.server.is_running() && !impl.threadDone) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void PreviewServer::stop() {
    Impl& impl = *impl_;
    if (!impl.thread.joinable()) return;
    {
        std::lock_guard lock(impl.mutex);
        impl.stopping = true;
    }
    impl.changed.notify_all();
    impl.server.stop();
    impl.thread.join();
}

bool PreviewServer::running() const {
    return impl_->thread.joinable() && !impl_->threadDone;
}

int PreviewServer::port() const {
    return impl_->port;
}

void PreviewServer::notifyGenerated() {
    {
        std::lock_guard lock(impl_->mutex);
        ++impl_->generation;
    }
    impl_->changed.notify_all();
}

std::uint64_t PreviewServer::generation() const {
    return impl_->currentGeneration();
}

std::string PreviewServer::address(std::string_view relative) const {
    return "http://" + std::string(kLoopback) + ":" + std::to_string(impl_->port) + "/" +
           std::string(kSiteFolderName) + "/" + percentEncode(relative, "/");
}

std::string PreviewServer::mediaTestAddress() const {
    return "http://" + std::string(kLoopback) + ":" + std::to_string(impl_->port) +
           std::string(kMediaTestPath);
}

void PreviewServer::setCannotPlayText(std::string text) {
    std::lock_guard lock(impl_->mutex);
    impl_->cannotPlayText = std::move(text);
}

bool PreviewServer::isMediaTestPage(const Drive& drive, std::string_view windowsPath) {
    const auto path = componentsOf(drive, windowsPath);
    const auto page = componentsOf(drive, paths::kAviTestPage);
    return path && page &&
           std::equal(
               path->begin(), path->end(), page->begin(), page->end(),
               [](const std::string& a, const std::string& b) { return sameFileName(a, b); });
}

std::optional<std::string> PreviewServer::siteNameOf(const Drive& drive,
                                                     std::string_view windowsPath) {
    std::string normal;
    try {
        normal = drive.normalize(windowsPath);
    } catch (const PathError&) {
        return std::nullopt;
    }
    const std::vector<std::string_view> parts = split(normal, '\\');
    // "C:", "Tarvomen", then at least a file name.
    if (parts.size() < 3 || !sameFileName(parts[1], kSiteFolderName) ||
        !contentTypeOf(parts.back())) {
        return std::nullopt;
    }
    std::string relative;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        if (!safeComponent(parts[i])) return std::nullopt;
        if (!relative.empty()) relative += '/';
        relative += parts[i];
    }
    return relative;
}

std::string PreviewServer::reloadScript(std::uint64_t generation) {
    // Asks the server, in a loop, whether a newer generation exists and reloads the page when
    // it does; retries after a pause while the server is busy or gone.
    return std::string(kReloadMarker) + "(function(){var g=\"" + std::to_string(generation) +
           "\";function p(){fetch(\"" + std::string(kEventsPath) +
           "?since=\"+g,{cache:\"no-store\"}).then(function(r){if(!r.ok)throw r;return "
           "r.text();}).then(function(t){if(t!==g){location.reload();}else{p();}})"
           ".catch(function(){setTimeout(p,2000);});}p();})();</script>";
}

}  // namespace tarvomen::publish
