#pragma once

#include <array>
#include <string>

namespace tarvomen {

// One row of `ColorCodes`: the HTML code (column 0) and the name shown to the user (column 1).
struct ColorCode {
    std::string code;
    std::string name;
};

inline constexpr int kColorCount = 15;
using ColorTable = std::array<ColorCode, kColorCount>;

// The fifteen colours by position 0..14.
const ColorTable& standardColorCodes();

}  // namespace tarvomen
