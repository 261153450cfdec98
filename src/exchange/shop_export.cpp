#include "exchange/shop_export.hpp"

#include <nlohmann/json.hpp>

#include "exchange/field_values.hpp"

namespace tarvomen::exchange {
namespace {

using Json = nlohmann::ordered_json;

template <class Record>
Json recordJson(const Record& record, bool withPassword) {
    Json object = Json::object();
    Record::visit(record, [&](std::string_view name, const auto& value) {
        if (name == "FtpPassword" && !withPassword) return;
        object[std::string(name)] = fieldJson(value);
    });
    return object;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

std::string exportJson(const AppState& state, bool withPassword) {
    Json shop = Json::object();
    shop["page"] = recordJson(state.files.readPage(1), withPassword);
    Json products = Json::object();
    for (int n = 1; n <= SiteFiles::kProductCount; ++n) {
        products[std::to_string(n)] = recordJson(state.files.readProduct(n), false);
    }
    shop["products"] = std::move(products);
    Json styles = Json::object();
    for (const int n : kStyleRecordNumbers) {
        styles[std::to_string(n)] = recordJson(state.files.readStyle(n), false);
    }
    shop["styles"] = std::move(styles);
    return shop.dump(2) + "\n";
}

std::string exportProductsCsv(const AppState& state) {
    std::string csv = "Product";
    for (const auto& field : kCsvProductFields) csv += std::string(",") + field;
    csv += "\r\n";
    for (int n = 1; n <= SiteFiles::kProductCount; ++n) {
        const ProductRecord product = state.files.readProduct(n);
        csv += std::to_string(n);
        ProductRecord::visit(product, [&](std::string_view name, const auto& value) {
            if (isCsvProductField(name)) csv += "," + csvField(fieldText(value));
        });
        csv += "\r\n";
    }
    return csv;
}

}  // namespace tarvomen::exchange
