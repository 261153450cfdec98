#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarvomen {

// Removes leading and trailing blanks (spaces only, as the record rules say).
inline std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}
inline std::string_view trimTrailingBlanks(std::string_view s) {
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

// A fixed-width text field of a record: exactly N Windows-1252 bytes, blank-padded, never
// zero-terminated. Assigning pads with blanks or cuts to the width.
template <std::size_t N>
class FixedText {
  public:
    static constexpr std::size_t kWidth = N;

    FixedText() { bytes_.fill(' '); }
    explicit FixedText(std::string_view value) { assign(value); }

    void assign(std::string_view cp1252) {
        bytes_.fill(' ');
        std::copy_n(cp1252.begin(), std::min(N, cp1252.size()), bytes_.begin());
    }
    FixedText& operator=(std::string_view cp1252) {
        assign(cp1252);
        return *this;
    }

    // The whole field, trailing blanks included.
    std::string_view raw() const { return {bytes_.data(), N}; }
    // The value without leading and trailing blanks ("without blanks" in the page templates).
    std::string trimmed() const { return std::string(trimBlanks(raw())); }
    // The value without trailing blanks.
    std::string rtrimmed() const { return std::string(trimTrailingBlanks(raw())); }
    bool blank() const { return trimBlanks(raw()).empty(); }

    char* data() { return bytes_.data(); }
    const char* data() const { return bytes_.data(); }

    friend bool operator==(const FixedText&, const FixedText&) = default;

  private:
    std::array<char, N> bytes_;
};

}  // namespace tarvomen
