#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvomen::publish {

// One entry of a remote folder.
struct RemoteEntry {
    std::string name;
    bool folder = false;
    std::optional<std::uint64_t> size;  // when the listing gave it

    friend bool operator==(const RemoteEntry&, const RemoteEntry&) = default;
};

// Reads a folder listing as servers send it for LIST, STAT or an SFTP directory: Unix lines
// ("-rw-r--r--  1 owner group  5000 Dec 10 12:19 name") and DOS lines ("12-10-24  12:19PM
// 5000 name", "<DIR>"). "." and ".." are left out; a line of another form gives its text as a
// name of unknown size; a symbolic link counts under its own name.
std::vector<RemoteEntry> parseListing(std::string_view text);

}  // namespace tarvomen::publish
