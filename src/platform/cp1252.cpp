#include "platform/cp1252.hpp"

#include <array>
#include <cstdint>
#include <cstdio>

#include "platform/error.hpp"

namespace tarvomen::cp1252 {
namespace {

// Code points of bytes 0x80-0x9F; the undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t decodeByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> encodeCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at `pos`, advancing it; malformed input yields U+FFFD.
char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return kReplacement;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size()) return kReplacement;
        const auto cont = static_cast<unsigned char>(s[pos]);
        if ((cont & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (cont & 0x3F);
        ++pos;
    }
    static constexpr std::array<char32_t, 4> kMinimum = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return kReplacement;
    }
    return cp;
}

}  // namespace

std::string toUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (const char c : cp1252) appendUtf8(out, decodeByte(static_cast<unsigned char>(c)));
    return out;
}

std::optional<char32_t> firstUnencodable(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, pos);
        if (!encodeCodePoint(cp)) return cp;
    }
    return std::nullopt;
}

std::string fromUtf8(std::string_view utf8, std::string_view what) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, pos);
        const auto byte = encodeCodePoint(cp);
        if (!byte) {
            throw EncodingError("The character " + describe(cp) + " in " + std::string(what) +
                                    " cannot be stored: the site files hold only Windows-1252 "
                                    "characters.",
                                cp);
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string describe(char32_t codePoint) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
    if (codePoint < 0x20 || codePoint == kReplacement || (codePoint >= 0x7F && codePoint < 0xA0)) {
        return code;
    }
    std::string printable;
    appendUtf8(printable, codePoint);
    return "\"" + printable + "\" (" + code + ")";
}

}  // namespace tarvomen::cp1252
