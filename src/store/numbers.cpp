#include "store/numbers.hpp"

#include <algorithm>
#include <cctype>
#include <limits>

#include "platform/error.hpp"

namespace tarvomen::numbers {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The text with its blanks removed, as the leading-value reading skips them.
std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (!isBlank(c)) out += c;
    }
    return out;
}

// Parses an unsigned decimal digit string into a uint64, or nothing on overflow.
std::optional<std::uint64_t> toUnsigned(std::string_view digits) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - d) / 10) return std::nullopt;
        value = value * 10 + d;
    }
    return value;
}

// A number read from the start of a text without blanks: its sign, all its digits (integer
// then fraction), the power of ten to apply, and where the reading stopped.
struct Scanned {
    bool negative = false;
    bool anyDigit = false;
    std::string mantissa;
    long long exponent = 0;
    std::size_t end = 0;
};

Scanned scan(const std::string& text) {
    Scanned s;
    std::size_t pos = 0;
    const auto digitAt = [&](std::size_t at) {
        return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
    };
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        s.negative = text[pos] == '-';
        ++pos;
    }
    while (digitAt(pos)) {
        s.mantissa += text[pos++];
        s.anyDigit = true;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (digitAt(pos)) {
            s.mantissa += text[pos++];
            --s.exponent;
            s.anyDigit = true;
        }
    }
    s.end = pos;
    if (!s.anyDigit) return s;
    if (pos < text.size() && std::string_view("eEdD").find(text[pos]) != std::string_view::npos) {
        std::size_t at = pos + 1;
        bool expNegative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            expNegative = text[at] == '-';
            ++at;
        }
        long long value = 0;
        bool expDigits = false;
        while (digitAt(at)) {
            value = std::min<long long>(value * 10 + (text[at] - '0'), 100000);
            ++at;
            expDigits = true;
        }
        // An "e" without digits is not part of the number.
        if (expDigits) {
            s.exponent += expNegative ? -value : value;
            s.end = at;
        }
    }
    return s;
}

}  // namespace

bool readsWhole(std::string_view input) {
    const std::string text = withoutBlanks(input);
    if (text.empty()) return true;
    const Scanned s = scan(text);
    return s.anyDigit && s.end == text.size();
}

std::optional<std::int64_t> leadingValueScaled(std::string_view input, int decimals) {
    Scanned s = scan(withoutBlanks(input));
    if (!s.anyDigit) return 0;
    std::string& mantissa = s.mantissa;
    const long long exponent = s.exponent;
    const bool negative = s.negative;

    // Drop leading zeros; an all-zero mantissa is zero whatever the exponent.
    mantissa.erase(0, std::min(mantissa.find_first_not_of('0'), mantissa.size()));
    if (mantissa.empty()) return 0;

    const long long shift = exponent + decimals;
    std::string kept;
    bool roundUp = false;
    if (shift >= 0) {
        if (static_cast<long long>(mantissa.size()) + shift > 20) return std::nullopt;
        kept = mantissa + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const long long keepCount = static_cast<long long>(mantissa.size()) + shift;
        const std::string dropped =
            keepCount > 0 ? mantissa.substr(static_cast<std::size_t>(keepCount)) : mantissa;
        kept = keepCount > 0 ? mantissa.substr(0, static_cast<std::size_t>(keepCount)) : "";
        // Round half to even on the dropped digits (a value below one half when keepCount < 0).
        if (keepCount >= 0 && !dropped.empty()) {
            const char first = dropped[0];
            const bool restZero = dropped.find_first_not_of('0', 1) == std::string::npos;
            const bool lastOdd = !kept.empty() && ((kept.back() - '0') % 2 == 1);
            roundUp = first > '5' || (first == '5' && (!restZero || lastOdd));
        }
    }
    auto magnitude = toUnsigned(kept.empty() ? "0" : kept);
    if (!magnitude) return std::nullopt;
    if (roundUp) ++*magnitude;
    const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (*magnitude > limit) return std::nullopt;
    const auto value = static_cast<std::int64_t>(*magnitude);
    return negative ? -value : value;
}

EnteredNumber readQuantity(std::string_view text) {
    if (!readsWhole(text)) return {Reading::NotANumber};
    const auto value = leadingValueScaled(text, 0);
    if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
        *value > std::numeric_limits<std::int16_t>::max()) {
        return {Reading::OutOfRange};
    }
    return {Reading::Stored, *value};
}

EnteredNumber readUnitPrice(std::string_view text) {
    if (!readsWhole(text)) return {Reading::NotANumber};
    const auto value = leadingValueScaled(text, 4);
    if (!value) return {Reading::OutOfRange};
    return {Reading::Stored, *value};
}

std::int16_t parseQuantity(std::string_view text) {
    const EnteredNumber number = readQuantity(text);
    if (number.reading != Reading::Stored) {
        throw Error("The quantity \"" + std::string(text) + "\" cannot be stored.");
    }
    return static_cast<std::int16_t>(number.scaled);
}

Currency parseUnitPrice(std::string_view text) {
    const EnteredNumber number = readUnitPrice(text);
    if (number.reading != Reading::Stored) {
        throw Error("The price \"" + std::string(text) + "\" cannot be stored.");
    }
    return Currency{number.scaled};
}

std::string formatScaled(std::int64_t scaled, int decimals) {
    const bool negative = scaled < 0;
    // Work on the unsigned magnitude so the lowest value does not overflow.
    const std::uint64_t magnitude = negative ? static_cast<std::uint64_t>(-(scaled + 1)) + 1
                                             : static_cast<std::uint64_t>(scaled);
    std::uint64_t divisor = 1;
    for (int i = 0; i < decimals; ++i) divisor *= 10;
    std::string out = negative ? "-" : "";
    out += std::to_string(magnitude / divisor);
    std::uint64_t fraction = magnitude % divisor;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
        digits.erase(digits.find_last_not_of('0') + 1);
        out += "." + digits;
    }
    return out;
}

}  // namespace tarvomen::numbers
