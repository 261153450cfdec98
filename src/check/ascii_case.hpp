#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace tarvomen::check {

// Names and extensions in lower case (ASCII letters only), to compare them as a host that
// ignores letter case does.
inline std::string lowerAscii(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

}  // namespace tarvomen::check
