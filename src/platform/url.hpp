#pragma once

#include <string>
#include <string_view>

namespace tarvomen {

// Percent-encodes every byte of `text` outside A-Z a-z 0-9 - . _ ~ and the characters of
// `alsoKeep` (for instance "/" for a path), so that the text stands in an address as one piece.
std::string percentEncode(std::string_view text, std::string_view alsoKeep = {});

}  // namespace tarvomen
