#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/records.hpp"

namespace tarvomen::numbers {

// The leading numeric value of a text, scaled by 10^decimals and rounded halves to even:
// blanks are ignored, then an optional sign, digits, at most one "." and an optional exponent
// introduced by e or d (either case). Reading stops at the first character that cannot continue
// the number; a text that does not start with a number gives 0. Nothing when the result does
// not fit in 64 bits.
std::optional<std::int64_t> leadingValueScaled(std::string_view text, int decimals);

// Whether the reading above takes in the whole text: true for a blank text (0) and for one that
// is a number to its end ("12.5", " 1 2 ", "-3e2"); false for "abc", "12abc", "$12.50", "8,95",
// "12e", "-" or "1.2.3", whose leading value would silently drop what follows it.
bool readsWhole(std::string_view text);

// An entered number as a record field takes it: refused when the text is not wholly a number
// or its value lies outside the field's range.
enum class Reading { Stored, NotANumber, OutOfRange };
struct EnteredNumber {
    Reading reading = Reading::Stored;
    std::int64_t scaled = 0;  // the value to store when `Stored`
};
// `QuantityPerUnit`: rounded to a whole number, -32768 to 32767.
EnteredNumber readQuantity(std::string_view text);
// `UnitPrice`: rounded to four decimals, scaled by 10,000, within 64 bits.
EnteredNumber readUnitPrice(std::string_view text);

// The same, throwing Error naming `text` when it is refused (for values the program supplies).
std::int16_t parseQuantity(std::string_view text);
Currency parseUnitPrice(std::string_view text);

// Plain decimal text of a scaled value: a minus sign if negative, the integer digits and, only
// when there is a fraction, "." and its digits without trailing zeros (12.5, 3, 0.0001).
std::string formatScaled(std::int64_t scaled, int decimals);
inline std::string formatCurrency(Currency amount) {
    return formatScaled(amount.scaled, 4);
}
inline std::string formatWhole(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace tarvomen::numbers
