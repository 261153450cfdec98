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

// `QuantityPerUnit` from entered text: the leading value rounded to a whole number. Throws Error
// naming `text` when it lies outside -32768..32767.
std::int16_t parseQuantity(std::string_view text);

// `UnitPrice` from entered text: the leading value rounded to four decimals. Throws Error when it
// lies outside the currency range.
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
