#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvomen::publish {

// Where the site goes: the FTP host field of the page record, parsed.
//   ftp.example.com             explicit FTPS (plain FTP only where the user allowed it)
//   ftp.example.com:2121/www    with a port and a folder below the login folder
//   ftp://ftp.example.com/www   the same as without the scheme
//   ftps://ftp.example.com      implicit FTPS (TLS from the first byte, port 990)
//   sftp://ssh.example.com/www  SFTP; the folder lies below the home folder
struct RemoteHost {
    enum class Protocol { Ftp, ImplicitFtps, Sftp };

    Protocol protocol = Protocol::Ftp;
    std::string host;                 // name, IPv4 address or [IPv6 address]
    int port = 0;                     // 0: the protocol's default port
    std::vector<std::string> folder;  // components of the folder below the login folder

    // Parses the field (UTF-8, blanks around it ignored). Throws Error with a message for the
    // user when it is no host.
    static RemoteHost parse(std::string_view text);

    // Key of the per-host settings: the host with its port and, for SFTP, the scheme. The
    // folder is no part of it: trust and encryption belong to the server.
    std::string settingsKey() const;
    // Key of the record of what was uploaded: scheme, user, host, port and folder.
    std::string manifestKey(std::string_view user) const;
    // The host as the user would write it ("sftp://ssh.example.com:2222/www").
    std::string display() const;

    // libcurl URL of a path below the folder ("Tarvomen/Data/0.GIF", "" for the folder
    // itself), every component percent-encoded; `directory` ends it with "/".
    std::string url(std::string_view relativePath, bool directory) const;
    // The path of `relativePath` in FTP and SFTP commands, relative to the login folder
    // ("www/Tarvomen"; "." for the login folder itself). Relative, as libcurl reads "/~/" in
    // an SFTP command only where the path is not quoted, and quoting keeps blanks whole.
    std::string commandPath(std::string_view relativePath) const;
};

// Splits "a/b/c" into its non-empty components.
std::vector<std::string> splitPath(std::string_view path);

// Splits "a/b/c" into its folder "a/b" and name "c" ("" and "c" for "c").
std::pair<std::string, std::string> splitFolderAndName(const std::string& path);

// ASCII lower case, as servers that ignore case compare names.
std::string foldCase(std::string text);

}  // namespace tarvomen::publish
