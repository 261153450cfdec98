#pragma once

// The notation of the page templates: a line is its pieces written one after the other with
// nothing between them; Q is a double quote, LF a line feed that belongs to the line's text.

#include <cstddef>
#include <string>
#include <string_view>

#include "store/fixed_text.hpp"
#include "store/records.hpp"

namespace tarvomen::generator::tmpl {

inline constexpr std::string_view Q = "\"";
inline constexpr std::string_view LF = "\n";

// A text field, font name or reference as pages write it: without leading and trailing blanks.
template <std::size_t N>
std::string_view text(const FixedText<N>& field) {
    return trimBlanks(field.raw());
}
inline std::string_view text(std::string_view value) {
    return trimBlanks(value);
}

// A colour or size field as pages write it: exactly as stored.
template <std::size_t N>
std::string_view stored(const FixedText<N>& field) {
    return field.raw();
}

// User text inside an attribute value written between Q characters: a double quote would end
// the value, so it is written as &quot;.
std::string quotedValue(std::string_view userText);

// The pieces of one line joined.
template <class... Pieces>
std::string cat(const Pieces&... pieces) {
    std::string out;
    out.reserve((std::string_view(pieces).size() + ... + 0));
    (out.append(std::string_view(pieces)), ...);
    return out;
}

// " BORDERCOLORLIGHT=" Q TextColor Q " BORDERCOLORDARK=" Q BoxTextColor Q ">"
std::string BorderColours(const StyleRecord& style);
// Q BoxFont Q " COLOR=" Q BoxTextColor Q " SIZE=" Q BoxTextSize Q ">"
std::string BoxFontAttrs(const StyleRecord& style);
// Q TextFont Q " COLOR=" Q TextColor Q " SIZE=" Q TextSize Q ">"
std::string TextFontAttrs(const StyleRecord& style);

// The price text of a product: plain decimal, a point before the fraction, no trailing zeros.
std::string priceText(const Currency& amount);

}  // namespace tarvomen::generator::tmpl
