#pragma once

#include <array>
#include <string>

#include "store/app_state.hpp"

namespace tarvomen::exchange {

// The style records a shop can hold: one per product (1 to 30), the home page (101) and the two
// link pages (112, 113).
inline constexpr std::array<int, 33> kStyleRecordNumbers = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,  15,  16, 17,
    18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 101, 112, 113};

// The whole shop as one UTF-8 JSON document: the page record, the products by number and the
// style records by number, each field under its record field name, numbers as JSON numbers.
// The FTP password is left out unless `withPassword`. The record files must be open.
std::string exportJson(const AppState& state, bool withPassword);

// The products as CSV (RFC 4180: CR LF line ends, fields quoted where they must be), UTF-8, with
// a header row: "Product" (its number) and the product fields a person enters.
std::string exportProductsCsv(const AppState& state);

}  // namespace tarvomen::exchange
