#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvomen::exchange {

// The rows of a CSV text (RFC 4180): fields separated by commas, quoted with double quotes where
// they hold commas, quotes or line ends, "" for a quote inside; rows end with CR LF or LF. A
// leading UTF-8 byte-order mark, which spreadsheets write, is skipped; a last line end is not a
// row. Throws Error for a quoted field that is never closed.
std::vector<std::vector<std::string>> parseCsv(std::string_view text);

}  // namespace tarvomen::exchange
