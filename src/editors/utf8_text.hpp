#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvomen::editors::utf8 {

// Character (code point) counts and positions in UTF-8 text. A stray continuation byte counts
// with the character before it.

inline bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

inline std::size_t length(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += isContinuation(c) ? 0 : 1;
    return count;
}

// Byte offset of character `index`; the text's size when it has fewer characters.
inline std::size_t offset(std::string_view text, std::size_t index) {
    std::size_t at = 0;
    for (std::size_t seen = 0; at < text.size(); ++at) {
        if (!isContinuation(text[at]) && seen++ == index) return at;
    }
    return text.size();
}

// `count` characters from character `start`.
inline std::string substring(std::string_view text, std::size_t start, std::size_t count) {
    const std::size_t from = offset(text, start);
    const std::size_t to = from + offset(text.substr(from), count);
    return std::string(text.substr(from, to - from));
}

}  // namespace tarvomen::editors::utf8
