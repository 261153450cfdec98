#include "publish/upload/remote_listing.hpp"

#include <charconv>

namespace tarvomen::publish {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

// Splits off the first `count` blank-separated words; the rest of the line (from the next
// word on) goes to `rest`. False when the line has fewer words.
bool words(std::string_view line, std::size_t count, std::vector<std::string_view>& out,
           std::string_view& rest) {
    out.clear();
    std::size_t i = 0;
    while (out.size() < count) {
        while (i < line.size() && isSpace(line[i])) ++i;
        if (i >= line.size()) return false;
        const std::size_t start = i;
        while (i < line.size() && !isSpace(line[i])) ++i;
        out.push_back(line.substr(start, i - start));
    }
    while (i < line.size() && isSpace(line[i])) ++i;
    rest = line.substr(i);
    return !rest.empty();
}

std::optional<std::uint64_t> number(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool unixMode(std::string_view word) {
    static constexpr std::string_view kTypes = "-dlbcps";
    return word.size() >= 10 && kTypes.find(word[0]) != std::string_view::npos;
}

bool dosDate(std::string_view word) {
    return word.size() >= 8 && word[2] == '-' && word[5] == '-';
}

}  // namespace

std::vector<RemoteEntry> parseListing(std::string_view text) {
    std::vector<RemoteEntry> entries;
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        while (!line.empty() && isSpace(line.front())) line.remove_prefix(1);
        if (line.empty() || line.rfind("total ", 0) == 0) continue;

        RemoteEntry entry;
        std::string_view rest;
        if (unixMode(line.substr(0, line.find(' '))) && words(line, 8, parts, rest)) {
            entry.folder = parts[0][0] == 'd';
            entry.size = number(parts[4]);
            if (parts[0][0] == 'l') rest = rest.substr(0, rest.find(" -> "));
            entry.name = std::string(rest);
        } else if (dosDate(line) && words(line, 3, parts, rest)) {
            entry.folder = parts[2] == "<DIR>";
            if (!entry.folder) entry.size = number(parts[2]);
            entry.name = std::string(rest);
        } else {
            entry.name = std::string(line);
        }
        if (entry.name != "." && entry.name != "..") entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace tarvomen::publish
