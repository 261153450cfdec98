#include "platform/drive.hpp"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/error.hpp"

namespace fs = std::filesystem;

namespace tarvomen {
namespace {

// Lower-case form of a UTF-8 name for comparison: ASCII and Latin-1 letters folded.
std::string foldCase(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if (c == 0xC3 && i + 1 < name.size()) {
            // U+00C0..U+00DE (except U+00D7) are two-byte sequences C3 80..C3 9E.
            auto next = static_cast<unsigned char>(name[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) next += 0x20;
            out += static_cast<char>(c);
            out += static_cast<char>(next);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool sameFileName(std::string_view a, std::string_view b) {
    return foldCase(a) == foldCase(b);
}

bool matchesPattern(std::string_view pattern, std::string_view name) {
    const std::string p = foldCase(pattern);
    const std::string n = foldCase(name);
    if (p == "*.*" || p == "*") return true;
    // Windows lets "x.*" match "x" as well.
    if (p.size() >= 2 && p.ends_with(".*") && wildcardMatch(p.substr(0, p.size() - 2), n)) {
        return true;
    }
    return wildcardMatch(p, n);
}

Drive::Drive(fs::path root) : root_(fs::absolute(std::move(root)).lexically_normal()) {
    std::error_code ec;
    fs::create_directories(root_, ec);
    canonicalRoot_ = fs::weakly_canonical(root_, ec);
    if (ec) canonicalRoot_ = root_;
}

fs::path Drive::locate(const std::optional<std::string>& commandLineDrive) {
    if (commandLineDrive && !commandLineDrive->empty()) return *commandLineDrive;
    if (const char* env = std::getenv("TARVOMEN_DRIVE"); env && *env) return env;
    fs::path dataHome;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        dataHome = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        dataHome = fs::path(home) / ".local" / "share";
    } else {
        dataHome = fs::current_path();
    }
    return dataHome / "tarvomen" / "drive_c";
}

Drive::Parsed Drive::parse(std::string_view windowsPath) const {
    std::string path(windowsPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    const std::string shown = "\"" + std::string(windowsPath) + "\"";

    std::vector<std::string> components;
    std::string_view rest = path;
    if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        if (rest[0] != 'C' && rest[0] != 'c') {
            throw PathError("The path " + shown + " is on drive " + std::string(1, rest[0]) +
                            ": - only drive C: is available.");
        }
        rest.remove_prefix(2);
        if (rest.empty() || rest[0] != '\\') {
            // "C:name" is relative to the current directory of drive C:.
            components = parse(currentDirectory_).components;
        }
    } else if (!rest.empty() && rest[0] == '\\') {
        throw PathError("The path " + shown + " does not name a place on drive C:.");
    } else {
        components = parse(currentDirectory_).components;
    }

    std::size_t start = 0;
    while (start <= rest.size()) {
        const std::size_t end = std::min(rest.find('\\', start), rest.size());
        const std::string_view part = rest.substr(start, end - start);
        if (part == "..") {
            if (components.empty()) {
                throw PathError("The path " + shown + " leads outside drive C:.");
            }
            components.pop_back();
        } else if (!part.empty() && part != ".") {
            if (part.find('\0') != std::string_view::npos ||
                part.find(':') != std::string_view::npos) {
                throw PathError("The path " + shown + " is not a valid file name.");
            }
            components.emplace_back(part);
        }
        start = end + 1;
    }
    return {std::move(components)};
}

fs::path Drive::resolveComponents(const std::vector<std::string>& components) const {
    fs::path host = root_;
    bool existing = true;
    for (const std::string& component : components) {
        if (existing) {
            std::error_code ec;
            if (fs::exists(host / component, ec)) {
                host /= component;
                continue;
            }
            std::vector<std::string> matches;
            if (fs::is_directory(host, ec)) {
                for (const auto& entry : fs::directory_iterator(host, ec)) {
                    const std::string name = entry.path().filename().string();
                    if (sameFileName(name, component)) matches.push_back(name);
                }
            }
            if (!matches.empty()) {
                std::sort(matches.begin(), matches.end());
                host /= matches.front();
                continue;
            }
            existing = false;
        }
        host /= component;
    }
    return host;
}

void Drive::checkInside(const fs::path& hostPath, std::string_view windowsPath) const {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(hostPath, ec);
    if (ec) return;
    const auto rel = real.lexically_relative(canonicalRoot_);
    if (rel.empty() || *rel.begin() == "..") {
        throw PathError("The path \"" + std::string(windowsPath) +
                        "\" leads outside drive C: through a link.");
    }
}

fs::path Drive::resolve(std::string_view windowsPath) const {
    const fs::path host = resolveComponents(parse(windowsPath).components);
    checkInside(host, windowsPath);
    return host;
}

std::string Drive::normalize(std::string_view windowsPath) const {
    std::string out = "C:";
    for (const auto& component : parse(windowsPath).components) out += "\\" + component;
    if (out == "C:") out += "\\";
    return out;
}

std::optional<std::string> Drive::toWindows(const fs::path& hostPath) const {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(fs::absolute(hostPath, ec), ec);
    if (ec) return std::nullopt;
    const fs::path rel = real.lexically_relative(canonicalRoot_);
    if (rel.empty() || *rel.begin() == "..") return std::nullopt;
    std::string out = "C:";
    for (const auto& part : rel) {
        if (part == ".") continue;
        out += "\\" + part.string();
    }
    if (out == "C:") out += "\\";
    return out;
}

bool Drive::changeDirectory(std::string_view windowsPath) {
    std::error_code ec;
    if (!fs::is_directory(resolve(windowsPath), ec)) return false;
    currentDirectory_ = normalize(windowsPath);
    return true;
}

bool Drive::exists(std::string_view windowsPath) const {
    std::error_code ec;
    return fs::exists(resolve(windowsPath), ec);
}

bool Drive::isDirectory(std::string_view windowsPath) const {
    std::error_code ec;
    return fs::is_directory(resolve(windowsPath), ec);
}

bool Drive::makeDirectory(std::string_view windowsPath) {
    std::error_code ec;
    return fs::create_directory(resolve(windowsPath), ec);
}

bool Drive::makeDirectories(std::string_view windowsPath) {
    std::error_code ec;
    const fs::path host = resolve(windowsPath);
    fs::create_directories(host, ec);
    return fs::is_directory(host, ec);
}

bool Drive::removeDirectory(std::string_view windowsPath) {
    std::error_code ec;
    const fs::path host = resolve(windowsPath);
    if (!fs::is_directory(fs::symlink_status(host, ec))) return false;
    return fs::remove(host, ec);  // fails on a folder that is not empty
}

bool Drive::deleteFiles(std::string_view windowsPattern) {
    const std::string normal = normalize(windowsPattern);
    const std::size_t cut = normal.rfind('\\');
    const std::string folder = normal.substr(0, cut == 2 ? 3 : cut);
    const std::string pattern = normal.substr(cut + 1);
    std::error_code ec;
    const fs::path host = resolve(folder);
    if (!fs::is_directory(host, ec)) return false;
    bool any = false, allDeleted = true;
    std::vector<fs::path> victims;
    for (const auto& entry : fs::directory_iterator(host, ec)) {
        const auto status = entry.symlink_status(ec);
        if (fs::is_directory(status)) continue;
        if (matchesPattern(pattern, entry.path().filename().string())) {
            victims.push_back(entry.path());
        }
    }
    for (const auto& victim : victims) {
        any = true;
        if (!fs::remove(victim, ec)) allDeleted = false;
    }
    return any && allDeleted;
}

bool Drive::copyFile(std::string_view fromWindowsPath, std::string_view toWindowsPath) {
    const fs::path from = resolve(fromWindowsPath);
    const fs::path to = resolve(toWindowsPath);
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) return false;
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
}

std::vector<std::string> Drive::listFolder(std::string_view windowsPath, bool directories) const {
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path host = resolve(windowsPath);
    if (!fs::is_directory(host, ec)) return names;
    for (const auto& entry : fs::directory_iterator(host, ec)) {
        const bool isDir = entry.is_directory(ec);
        if (isDir == directories) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tarvomen
