#include "exchange/csv.hpp"

#include "platform/error.hpp"

namespace tarvomen::exchange {

std::vector<std::vector<std::string>> parseCsv(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, fieldStarted = false;
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n' ? 1 : 0;
                field += c;
            }
            continue;
        }
        if (c == '"' && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            fieldStarted = false;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            row.push_back(std::move(field));
            rows.push_back(std::move(row));
            row.clear();
            field.clear();
            fieldStarted = false;
            ++line;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        throw Error("The CSV text has a quoted field that is never closed (from line " +
                    std::to_string(line) + ").");
    }
    if (fieldStarted || !row.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace tarvomen::exchange
