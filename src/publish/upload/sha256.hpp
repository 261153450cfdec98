#pragma once

#include <string>
#include <string_view>

namespace tarvomen::publish {

// SHA-256 of bytes, as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

// SHA-256 of bytes, the 32 raw bytes.
std::string sha256Raw(std::string_view bytes);

// Standard base64 with padding.
std::string base64(std::string_view bytes);

// "AB:CD:..." form of raw bytes, as certificate fingerprints are shown.
std::string colonHex(std::string_view bytes);

}  // namespace tarvomen::publish
