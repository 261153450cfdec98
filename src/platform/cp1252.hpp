#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvomen::cp1252 {

// Record files, pages and paths inside records are Windows-1252 bytes; the user interface
// speaks UTF-8. These convert between the two.

// Converts Windows-1252 bytes to UTF-8. Every byte has a meaning (the five bytes Windows-1252
// leaves undefined map to the C1 control characters of the same value), so this cannot fail.
std::string toUtf8(std::string_view cp1252);

// The first character of `utf8` that Windows-1252 cannot hold (invalid UTF-8 counts as
// U+FFFD), or nothing when all of it can be converted.
std::optional<char32_t> firstUnencodable(std::string_view utf8);

// Converts UTF-8 to Windows-1252. Throws EncodingError naming the first character that cannot
// be converted; `what` names the text for the message ("the field DomainName").
std::string fromUtf8(std::string_view utf8, std::string_view what = "the text");

// "U+20AC" style name of a code point, with the character itself when printable.
std::string describe(char32_t codePoint);

}  // namespace tarvomen::cp1252
