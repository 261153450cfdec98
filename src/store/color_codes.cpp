#include "store/color_codes.hpp"

namespace tarvomen {

const ColorTable& standardColorCodes() {
    static const ColorTable table = {{
        {"#000000", "Black"},
        {"#808080", "Grey"},
        {"#0000FF", "Blue"},
        {"#00FF00", "Lime"},
        {"#00FFFF", "Cyan"},
        {"#FF0000", "Red"},
        {"#FF00FF", "Magenta"},
        {"#FFFF00", "Yellow"},
        {"#800000", "Brown"},
        {"#808000", "Olive"},
        {"#000080", "DarkBlue"},
        {"#800080", "Purple"},
        {"#008000", "Green"},
        {"#008080", "SeaGreen"},
        {"#FFFFFF", "White"},
    }};
    return table;
}

}  // namespace tarvomen
