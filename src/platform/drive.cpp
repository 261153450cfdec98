#include "platform/drive.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/drive_walk.hpp"
#include "platform/error.hpp"
#include "platform/folder_listings.hpp"
#include "platform/write_all.hpp"

namespace fs = std::filesystem;

namespace tarvomen {
namespace {

using drive_walk::Fd;
using drive_walk::joined;
using Kind = FolderListings::Kind;
using Entry = FolderListings::Entry;

std::string joinedAll(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& part : parts) out = joined(out, part);
    return out;
}

// "a/b/c" = folder "a/b" and name "c".
std::pair<std::string, std::string> splitLast(const std::string& relative) {
    const std::size_t cut = relative.rfind('/');
    if (cut == std::string::npos) return {std::string(), relative};
    return {relative.substr(0, cut), relative.substr(cut + 1)};
}

Kind kindOfMode(mode_t mode) {
    if (S_ISDIR(mode)) return Kind::folder;
    if (S_ISLNK(mode)) return Kind::link;
    return Kind::file;
}

// The entries of an open folder, without "." and "..".
std::optional<std::vector<Entry>> readEntries(int folder) {
    std::vector<Entry> entries;
    alignas(dirent64) char buffer[16384];
    for (;;) {
        const ssize_t size = ::getdents64(folder, buffer, sizeof buffer);
        if (size < 0) return std::nullopt;
        if (size == 0) return entries;
        for (ssize_t at = 0; at < size;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..") continue;
            Kind kind = Kind::unknown;
            if (entry->d_type == DT_DIR) {
                kind = Kind::folder;
            } else if (entry->d_type == DT_LNK) {
                kind = Kind::link;
            } else if (entry->d_type != DT_UNKNOWN) {
                kind = Kind::file;
            }
            entries.push_back({std::string(name), kind});
        }
    }
}

std::optional<Kind> probeEntry(int root, const std::string& relative) {
    struct stat st {};
    if (::fstatat(root, relative.empty() ? "." : relative.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    return kindOfMode(st.st_mode);
}

bool isFolder(const Fd& fd) {
    struct stat st {};
    return fd && ::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Copies `from` (`size` bytes when opened) into `to`: copy_file_range (a reflink where the file
// system offers it), read and write where it cannot copy between these two files.
bool copyBytes(int from, int to, off_t size) {
    bool ranges = true;
    char buffer[65536];
    for (off_t done = 0;;) {
        if (ranges) {
            if (done >= size) return true;  // the file as it was when opened
            const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr,
                                                     static_cast<std::size_t>(size - done), 0);
            if (copied > 0) {
                done += copied;
                continue;
            }
            if (copied == 0) return true;
            if (errno == EINTR) continue;
            if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP &&
                errno != EPERM) {
                return false;
            }
            ranges = false;
        }
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (writeAll(to, {buffer, static_cast<std::size_t>(got)})) return false;
    }
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
    return foldFileName(a) == foldFileName(b);
}

bool matchesPattern(std::string_view pattern, std::string_view name) {
    const std::string p = foldFileName(pattern);
    const std::string n = foldFileName(name);
    if (p == "*.*" || p == "*") return true;
    // Windows lets "x.*" match "x" as well.
    if (p.size() >= 2 && p.ends_with(".*") && wildcardMatch(p.substr(0, p.size() - 2), n)) {
        return true;
    }
    return wildcardMatch(p, n);
}

const int Drive::kFindOnly = O_PATH;

struct Drive::Shared {
    Shared(bool remember, drive_walk::Method method) : method(method), listings(remember) {}
    drive_walk::Fd root;
    int rootError = 0;
    const drive_walk::Method method;
    FolderListings listings;
};

struct Drive::Located {
    std::string existing;              // real path of the part that exists, "" for the drive
    std::vector<std::string> missing;  // the components after it, as given: new names
    bool throughLink = false;          // the last existing component was a link, followed
    drive_walk::Fd fd;                 // O_PATH descriptor of the whole path when it exists
    bool refused = false;              // a link on the way leads to nothing on the drive
    bool exists() const { return static_cast<bool>(fd); }
};

Drive::Drive(fs::path root, Listings listings, Lookup lookup)
    : root_(fs::absolute(std::move(root)).lexically_normal()),
      shared_(std::make_shared<Shared>(listings == Listings::remembered,
                                       lookup == Lookup::openat2
                                           ? drive_walk::Method::openat2
                                           : drive_walk::Method::noFollowWalk)) {
    std::error_code ec;
    fs::create_directories(root_, ec);
    canonicalRoot_ = fs::weakly_canonical(root_, ec);
    if (ec) canonicalRoot_ = root_;
    const int fd = ::open(root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    shared_->root = drive_walk::Fd(fd);
    shared_->rootError = fd < 0 ? errno : 0;
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

Drive::Located Drive::walk(const std::vector<std::string>& components) const {
    const int root = shared_->root.get();
    const drive_walk::Method method = shared_->method;
    const FolderListings::Reader read = [&](const std::string& folder) {
        const auto opened =
            drive_walk::openWithoutLinks(method, root, folder, O_RDONLY | O_DIRECTORY);
        return opened.error ? std::nullopt : readEntries(opened.fd.get());
    };
    const FolderListings::Prober probe = [&](const std::string& folder, const std::string& name) {
        return probeEntry(root, joined(folder, name));
    };

    Located found;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const auto entry = shared_->listings.match(found.existing, components[i], read, probe);
        if (!entry) {
            found.missing.assign(components.begin() + static_cast<long>(i), components.end());
            shared_->listings.handedOut(found.existing, components[i]);
            return found;
        }
        const std::string next = joined(found.existing, entry->name);
        Kind kind = entry->kind;
        if (kind == Kind::unknown) kind = probeEntry(root, next).value_or(Kind::file);
        found.throughLink = kind == Kind::link;
        if (found.throughLink) {
            auto target = drive_walk::followLinks(method, root, next);
            if (!target) {
                found.refused = true;
                return found;
            }
            found.existing = std::move(*target);
        } else {
            found.existing = next;
        }
    }
    return found;
}

// Looks a path up. The kernel first opens it as spelled, which settles most lookups with one
// call; otherwise the folder listings choose the spelling of each existing component, and the
// kernel checks the result again: a remembered listing that has gone stale is read afresh.
Drive::Located Drive::lookUp(std::string_view windowsPath, int flags) const {
    const std::vector<std::string> components = parse(windowsPath).components;
    if (!shared_->root) {
        throw PathError("The drive folder " + root_.string() +
                        " cannot be opened: " + std::strerror(shared_->rootError) + ".");
    }
    const int root = shared_->root.get();
    const std::string given = joinedAll(components);
    auto fast = drive_walk::openWithoutLinks(shared_->method, root, given, flags);
    if (!fast.error) return Located{given, {}, false, std::move(fast.fd)};

    for (int attempt = 0; attempt < 2; ++attempt) {
        Located found = walk(components);
        if (found.refused) {
            // Read the listings again before refusing: the link may be a stale memory.
            shared_->listings.forget();
            continue;
        }
        const std::string result = joined(found.existing, joinedAll(found.missing));
        int error = fast.error;
        if (result != given) {
            auto check = drive_walk::openWithoutLinks(shared_->method, root, result, flags);
            if (!check.error) {
                found.existing = result;
                found.missing.clear();
                found.fd = std::move(check.fd);
                return found;
            }
            error = check.error;
        }
        // Absent as the listings said, with no link on the way.
        if (error != ELOOP && (!found.missing.empty() || attempt == 1)) return found;
        shared_->listings.forget();
    }
    throw PathError("The path \"" + std::string(windowsPath) +
                    "\" leads outside drive C: through a link.");
}

fs::path Drive::hostPath(const Located& located) const {
    fs::path host = root_;
    if (!located.existing.empty()) host /= located.existing;
    for (const auto& part : located.missing) host /= part;
    return host;
}

fs::path Drive::resolve(std::string_view windowsPath) const {
    return hostPath(lookUp(windowsPath));
}

void Drive::forgetFolderListings() const {
    shared_->listings.forget();
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
    if (!isDirectory(windowsPath)) return false;
    currentDirectory_ = normalize(windowsPath);
    return true;
}

bool Drive::exists(std::string_view windowsPath) const {
    return lookUp(windowsPath).exists();
}

bool Drive::isDirectory(std::string_view windowsPath) const {
    return isFolder(lookUp(windowsPath).fd);
}

bool Drive::makeDirectory(std::string_view windowsPath) {
    const Located found = lookUp(windowsPath);
    if (found.exists() || found.missing.size() != 1) return false;
    const auto parent = drive_walk::openWithoutLinks(shared_->method, shared_->root.get(),
                                                     found.existing, O_PATH | O_DIRECTORY);
    const std::string& name = found.missing.front();
    if (parent.error || ::mkdirat(parent.fd.get(), name.c_str(), 0777) != 0) return false;
    shared_->listings.added(found.existing, name, Kind::folder);
    shared_->listings.createdEmpty(joined(found.existing, name));
    return true;
}

bool Drive::makeDirectories(std::string_view windowsPath) {
    Located found = lookUp(windowsPath);
    if (found.exists()) return isFolder(found.fd);
    auto folder = drive_walk::openWithoutLinks(shared_->method, shared_->root.get(), found.existing,
                                               O_PATH | O_DIRECTORY);
    if (folder.error) return false;
    std::string path = found.existing;
    for (const std::string& name : found.missing) {
        const bool made = ::mkdirat(folder.fd.get(), name.c_str(), 0777) == 0;
        if (!made && errno != EEXIST) return false;
        const int next =
            ::openat(folder.fd.get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) return false;
        folder.fd = Fd(next);
        if (made) {
            shared_->listings.added(path, name, Kind::folder);
            shared_->listings.createdEmpty(joined(path, name));
        }
        path = joined(path, name);
    }
    return true;
}

bool Drive::removeDirectory(std::string_view windowsPath) {
    const Located found = lookUp(windowsPath);
    // A link is not a folder to remove, nor is the drive itself.
    if (!isFolder(found.fd) || found.throughLink || found.existing.empty()) return false;
    const auto [folder, name] = splitLast(found.existing);
    const auto parent = drive_walk::openWithoutLinks(shared_->method, shared_->root.get(), folder,
                                                     O_PATH | O_DIRECTORY);
    if (parent.error || ::unlinkat(parent.fd.get(), name.c_str(), AT_REMOVEDIR) != 0) {
        return false;  // fails on a folder that is not empty
    }
    shared_->listings.removed(folder, name);
    return true;
}

bool Drive::deleteFiles(std::string_view windowsPattern) {
    const std::string normal = normalize(windowsPattern);
    const std::size_t cut = normal.rfind('\\');
    const std::string folderPath = normal.substr(0, cut == 2 ? 3 : cut);
    const std::string pattern = normal.substr(cut + 1);
    const Located found = lookUp(folderPath);
    if (!isFolder(found.fd)) return false;
    const auto folder = drive_walk::openWithoutLinks(shared_->method, shared_->root.get(),
                                                     found.existing, O_RDONLY | O_DIRECTORY);
    if (folder.error) return false;
    // Read afresh: files written through host paths since the last reading count too.
    const auto entries = readEntries(folder.fd.get());
    if (!entries) return false;
    shared_->listings.replace(found.existing, *entries);
    bool any = false, allDeleted = true;
    for (const Entry& entry : *entries) {
        Kind kind = entry.kind;
        if (kind == Kind::unknown) {
            kind = probeEntry(shared_->root.get(), joined(found.existing, entry.name))
                       .value_or(Kind::file);
        }
        if (kind == Kind::folder || !matchesPattern(pattern, entry.name)) continue;
        any = true;
        if (::unlinkat(folder.fd.get(), entry.name.c_str(), 0) == 0) {
            shared_->listings.removed(found.existing, entry.name);
        } else {
            allDeleted = false;
        }
    }
    return any && allDeleted;
}

// The copy is written under a temporary name beside the target and renamed over it when
// complete, so that the target never holds part of a file.
bool Drive::copyFile(std::string_view fromWindowsPath, std::string_view toWindowsPath) {
    // Opened for reading at once; O_NONBLOCK so that a FIFO in its place cannot hold it up.
    const Located from = lookUp(fromWindowsPath, O_RDONLY | O_NONBLOCK);
    const Located to = lookUp(toWindowsPath);
    if (!from.exists()) return false;
    const int root = shared_->root.get();
    struct stat sourceStat {};
    if (::fstat(from.fd.get(), &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode)) return false;
    std::string folder, name;
    if (to.exists()) {
        struct stat targetStat {};
        if (::fstat(to.fd.get(), &targetStat) != 0 || S_ISDIR(targetStat.st_mode)) return false;
        // The same file: copying it onto itself would empty it.
        if (targetStat.st_dev == sourceStat.st_dev && targetStat.st_ino == sourceStat.st_ino) {
            return false;
        }
        std::tie(folder, name) = splitLast(to.existing);
    } else if (to.missing.size() == 1) {
        folder = to.existing;
        name = to.missing.front();
    } else {
        return false;  // no folder to copy into
    }
    const auto target =
        drive_walk::openWithoutLinks(shared_->method, root, folder, O_PATH | O_DIRECTORY);
    if (target.error) return false;
    static const std::string process = std::to_string(::getpid());
    const std::string temporary = "." + name + "." + process + ".part";
    Fd copy(::openat(target.fd.get(), temporary.c_str(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     sourceStat.st_mode & 0777));
    if (!copy) return false;
    bool done = copyBytes(from.fd.get(), copy.get(), sourceStat.st_size);
    done = ::close(copy.release()) == 0 && done;
    if (!done ||
        ::renameat(target.fd.get(), temporary.c_str(), target.fd.get(), name.c_str()) != 0) {
        ::unlinkat(target.fd.get(), temporary.c_str(), 0);
        return false;
    }
    shared_->listings.added(folder, name, Kind::file);
    return true;
}

std::vector<std::string> Drive::listFolder(std::string_view windowsPath, bool directories) const {
    std::vector<std::string> names;
    const Located found = lookUp(windowsPath);
    if (!isFolder(found.fd)) return names;
    const int root = shared_->root.get();
    const auto folder =
        drive_walk::openWithoutLinks(shared_->method, root, found.existing, O_RDONLY | O_DIRECTORY);
    if (folder.error) return names;
    const auto entries = readEntries(folder.fd.get());
    if (!entries) return names;
    shared_->listings.replace(found.existing, *entries);
    for (const Entry& entry : *entries) {
        const std::string path = joined(found.existing, entry.name);
        Kind kind = entry.kind;
        if (kind == Kind::unknown) kind = probeEntry(root, path).value_or(Kind::file);
        if (kind == Kind::link) {
            // A link counts as what it leads to on the drive.
            const auto target = drive_walk::followLinks(shared_->method, root, path);
            kind = target ? probeEntry(root, *target).value_or(Kind::file) : Kind::file;
        }
        if ((kind == Kind::folder) == directories) names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tarvomen
