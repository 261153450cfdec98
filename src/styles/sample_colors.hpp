#pragma once

#include <array>

namespace tarvomen::styles {

// An on-screen colour, red, green and blue 0..255.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// The colour that paints the sample of each colour position: the components of its HTML code.
inline constexpr std::array<Rgb, 15> SampleColors = {{
    {0, 0, 0},        // Black
    {128, 128, 128},  // Grey
    {0, 0, 255},      // Blue
    {0, 255, 0},      // Lime
    {0, 255, 255},    // Cyan
    {255, 0, 0},      // Red
    {255, 0, 255},    // Magenta
    {255, 255, 0},    // Yellow
    {128, 0, 0},      // Brown
    {128, 128, 0},    // Olive
    {0, 0, 128},      // DarkBlue
    {128, 0, 128},    // Purple
    {0, 128, 0},      // Green
    {0, 128, 128},    // SeaGreen
    {255, 255, 255},  // White
}};

// The sample colour of a position; black for a position outside the table (a font or size
// position, whose colour is replaced at once).
constexpr Rgb sampleColor(int position) {
    if (position < 0 || position >= static_cast<int>(SampleColors.size())) return kBlack;
    return SampleColors[static_cast<std::size_t>(position)];
}

}  // namespace tarvomen::styles
