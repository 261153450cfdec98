#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/cp1252.hpp"
#include "store/numbers.hpp"
#include "store/records.hpp"

namespace tarvomen::exchange {

// How record fields appear in an exported shop: texts without their padding blanks, in UTF-8;
// numbers as numbers; the style picker's positions as a list of numbers.

template <std::size_t N>
std::string fieldText(const FixedText<N>& text) {
    return cp1252::toUtf8(text.rtrimmed());
}
inline std::string fieldText(std::int32_t value) {
    return std::to_string(value);
}
inline std::string fieldText(std::int16_t value) {
    return std::to_string(value);
}
inline std::string fieldText(const Currency& value) {
    return numbers::formatCurrency(value);
}
inline std::string fieldText(const StyleIndexArray& positions) {
    std::string text;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        text += (i ? "," : "") + std::to_string(positions[i]);
    }
    return text;
}

template <std::size_t N>
nlohmann::ordered_json fieldJson(const FixedText<N>& text) {
    return fieldText(text);
}
inline nlohmann::ordered_json fieldJson(std::int32_t value) {
    return value;
}
inline nlohmann::ordered_json fieldJson(std::int16_t value) {
    return value;
}
inline nlohmann::ordered_json fieldJson(const Currency& value) {
    // A whole amount as an integer; otherwise the shortest decimal that reads back the same.
    if (value.scaled % 10000 == 0) return value.scaled / 10000;
    return static_cast<double>(value.scaled) / 10000.0;
}
inline nlohmann::ordered_json fieldJson(const StyleIndexArray& positions) {
    return nlohmann::ordered_json(positions);
}

// The product fields of a CSV row: those a person enters in the product editor.
inline constexpr std::array<const char*, 8> kCsvProductFields = {
    "ProductName",  "Description", "QuantityPerUnit", "UnitPrice",
    "ProductImage", "BodyText",    "ImageText",       "VideoText"};
inline bool isCsvProductField(std::string_view name) {
    return std::any_of(kCsvProductFields.begin(), kCsvProductFields.end(),
                       [&](const char* field) { return name == field; });
}

}  // namespace tarvomen::exchange
