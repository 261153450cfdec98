#include "publish/upload/remote_host.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "platform/error.hpp"
#include "platform/url.hpp"

namespace tarvomen::publish {
namespace {

bool hostNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_';
}

}  // namespace

std::vector<std::string> splitPath(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start) parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

RemoteHost RemoteHost::parse(std::string_view text) {
    const std::string original(text);
    auto refuse = [&](const std::string& why) -> Error {
        return Error("The FTP host \"" + original + "\" cannot be used: " + why);
    };
    std::string rest(text);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    const auto first = rest.find_first_not_of(" \t");
    const auto last = rest.find_last_not_of(" \t");
    rest = first == std::string::npos ? std::string() : rest.substr(first, last - first + 1);
    if (rest.empty()) throw Error("Enter the FTP host in the F.T.P. dialog first.");

    RemoteHost remote;
    if (const auto scheme = rest.find("://"); scheme != std::string::npos) {
        const std::string name = foldCase(std::string(rest.substr(0, scheme)));
        if (name == "ftp") {
            remote.protocol = Protocol::Ftp;
        } else if (name == "ftps") {
            remote.protocol = Protocol::ImplicitFtps;
        } else if (name == "sftp") {
            remote.protocol = Protocol::Sftp;
        } else {
            throw refuse("only ftp://, ftps:// and sftp:// addresses are known.");
        }
        rest = rest.substr(scheme + 3);
    }

    const std::size_t slash = std::min(rest.find('/'), rest.size());
    std::string authority = rest.substr(0, slash);
    const std::string path = rest.substr(slash);
    if (authority.find('@') != std::string::npos) {
        throw refuse("enter the user name in its own box, not in the host.");
    }
    std::string portText;
    if (!authority.empty() && authority.front() == '[') {
        const auto close = authority.find(']');
        if (close == std::string::npos) throw refuse("the IPv6 address lacks its \"]\".");
        remote.host = authority.substr(0, close + 1);
        const std::string inside = authority.substr(1, close - 1);
        if (inside.empty() || !std::all_of(inside.begin(), inside.end(), [](char c) {
                return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
            })) {
            throw refuse("\"" + remote.host + "\" is no IPv6 address.");
        }
        const std::string after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':') throw refuse("unexpected text after the address.");
            portText = after.substr(1);
            if (portText.empty()) throw refuse("the port number is missing after \":\".");
        }
    } else {
        const auto colon = authority.find(':');
        remote.host = authority.substr(0, colon);
        if (colon != std::string::npos) {
            portText = authority.substr(colon + 1);
            if (portText.empty()) throw refuse("the port number is missing after \":\".");
        }
        if (remote.host.empty()) throw refuse("the host name is missing.");
        if (!std::all_of(remote.host.begin(), remote.host.end(), hostNameCharacter) ||
            remote.host.front() == '.' || remote.host.front() == '-') {
            throw refuse("a host name holds only letters, digits, \"-\" and \".\".");
        }
    }
    remote.host = foldCase(std::move(remote.host));
    if (!portText.empty()) {
        int port = 0;
        const auto [end, ec] =
            std::from_chars(portText.data(), portText.data() + portText.size(), port);
        if (ec != std::errc{} || end != portText.data() + portText.size() || port < 1 ||
            port > 65535) {
            throw refuse("the port must be a number from 1 to 65535.");
        }
        remote.port = port;
    }
    for (auto& part : splitPath(path)) {
        if (part == "." || part == "..") throw refuse("the folder may not hold \".\" or \"..\".");
        if (part.find_first_of("\r\n") != std::string::npos) {
            throw refuse("the folder may not hold line breaks.");
        }
        remote.folder.push_back(std::move(part));
    }
    return remote;
}

std::string RemoteHost::settingsKey() const {
    std::string key = protocol == Protocol::Sftp           ? "sftp://"
                      : protocol == Protocol::ImplicitFtps ? "ftps://"
                                                           : "";
    key += host;
    if (port) key += ":" + std::to_string(port);
    return key;
}

std::string RemoteHost::display() const {
    std::string out = settingsKey();
    for (const auto& part : folder) out += "/" + part;
    return out;
}

std::string RemoteHost::manifestKey(std::string_view user) const {
    static constexpr const char* kSchemes[] = {"ftp", "ftps", "sftp"};
    std::string key = std::string(kSchemes[static_cast<int>(protocol)]) + "://";
    key += percentEncode(user) + "@" + host + ":" + std::to_string(port);
    for (const auto& part : folder) key += "/" + percentEncode(part);
    return key;
}

std::string RemoteHost::url(std::string_view relativePath, bool directory) const {
    static constexpr const char* kSchemes[] = {"ftp://", "ftps://", "sftp://"};
    std::string out = kSchemes[static_cast<int>(protocol)] + host;
    if (port) out += ":" + std::to_string(port);
    out += protocol == Protocol::Sftp ? "/~" : "";
    std::vector<std::string> parts = folder;
    for (auto& part : splitPath(relativePath)) parts.push_back(std::move(part));
    for (const auto& part : parts) out += "/" + percentEncode(part);
    if (directory || parts.empty()) out += "/";
    return out;
}

std::string RemoteHost::commandPath(std::string_view relativePath) const {
    std::string out;
    for (const auto& part : folder) out += (out.empty() ? "" : "/") + part;
    for (const auto& part : splitPath(relativePath)) out += (out.empty() ? "" : "/") + part;
    return out.empty() ? "." : out;
}

std::pair<std::string, std::string> splitFolderAndName(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

std::string foldCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

}  // namespace tarvomen::publish
