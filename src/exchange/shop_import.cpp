#include "exchange/shop_import.hpp"

#include <algorithm>
#include <charconv>

#include <nlohmann/json.hpp>

#include "exchange/csv.hpp"
#include "exchange/field_values.hpp"
#include "exchange/shop_export.hpp"
#include "platform/error.hpp"
#include "store/field_rules.hpp"
#include "store/own_text.hpp"

namespace tarvomen::exchange {
namespace {

using Json = nlohmann::ordered_json;

// The text an imported JSON value stands for, in the form the field rules read.
std::string valueText(const Json& value) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_array()) {
        std::string text;
        for (const auto& item : value) text += (text.empty() ? "" : ",") + valueText(item);
        return text;
    }
    if (value.is_null()) return {};
    return value.dump();  // numbers and Booleans as JSON writes them: 18.5, 3, true
}

// The stored text of field `name` as exported, or nothing when the record has no such field.
template <class Record>
std::optional<std::string> storedText(const Record& record, std::string_view name) {
    std::optional<std::string> text;
    Record::visit(record, [&](std::string_view field, const auto& value) {
        if (field == name) text = fieldText(value);
    });
    return text;
}

class Planner {
  public:
    Planner(const AppState& state) : state_(state) {}

    // Applies `text` to field `name` of `record` if it differs from what `stored` holds. The
    // comparison is with the record as stored, not as changed so far: new picker positions
    // change the colour texts derived from them, which the document still shows as they were.
    template <class Record>
    bool apply(Record& record, const Record& stored, const std::string& where,
               const std::string& name, const std::string& text) {
        const std::optional<std::string> before = storedText(stored, name);
        if (before && *before == text) return false;
        try {
            fields::setField(state_, record, name, text);
        } catch (const Error& error) {
            throw Error(where + ", " + name + ": " + error.what());
        }
        plan.changes.push_back({where, name, before.value_or(""), text});
        return true;
    }

    template <class Record>
    bool applyObject(Record& record, const std::string& where, const Json& object) {
        if (!object.is_object()) {
            throw Error(
                where + ": " +
                ownText(state_, "expected an object of fields", "un objet de champs attendu"));
        }
        const Record stored = record;
        bool changed = false;
        for (const auto& [name, value] : object.items()) {
            changed = apply(record, stored, where, name, valueText(value)) || changed;
        }
        return changed;
    }

    void planJson(const Json& shop) {
        if (!shop.is_object())
            throw Error(ownText(state_, "The document is not a shop.",
                                "Le document n'est pas une boutique."));
        for (const auto& [key, value] : shop.items()) {
            if (key == "page") {
                PageRecord page = state_.files.readPage(1);
                if (applyObject(page, "page", value)) plan.page = page;
            } else if (key == "products") {
                for (const auto& [number, fields] : value.items()) {
                    const int n = recordNumber(number, "product", 1, SiteFiles::kProductCount);
                    ProductRecord product = state_.files.readProduct(n);
                    if (applyObject(product, "product " + number, fields)) {
                        fields::setRecordNo(product, n);
                        plan.products[n] = product;
                    }
                }
            } else if (key == "styles") {
                for (const auto& [number, fields] : value.items()) {
                    const int n = styleNumber(number);
                    StyleRecord style = state_.files.readStyle(n);
                    if (applyObject(style, "style " + number, fields)) plan.styles[n] = style;
                }
            } else {
                throw Error("\"" + key + "\": " +
                            ownText(state_, "not a part of a shop (page, products, styles)",
                                    "ne fait pas partie d'une boutique (page, products, styles)"));
            }
        }
    }

    void planCsv(std::string_view document) {
        const std::vector<std::vector<std::string>> rows = parseCsv(document);
        if (rows.empty() || rows[0].empty() || rows[0][0] != "Product") {
            throw Error(
                ownText(state_, "The CSV file has no header row starting with Product.",
                        "Le fichier CSV n'a pas de ligne d'en-tête commençant par Product."));
        }
        const std::vector<std::string>& header = rows[0];
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const auto& row = rows[r];
            const std::string where = ownText(state_, "row ", "ligne ") + std::to_string(r + 1);
            if (row.size() != header.size()) {
                throw Error(
                    where + ": " + std::to_string(row.size()) +
                    ownText(state_, " fields, the header has ", " champs, l'en-tête en a ") +
                    std::to_string(header.size()));
            }
            const int n = recordNumber(row[0], where, 1, SiteFiles::kProductCount);
            const ProductRecord stored = state_.files.readProduct(n);
            ProductRecord product = plan.products.count(n) ? plan.products[n] : stored;
            bool changed = false;
            for (std::size_t c = 1; c < header.size(); ++c) {
                changed = apply(product, stored, where + " (product " + row[0] + ")", header[c],
                                row[c]) ||
                          changed;
            }
            if (changed) {
                fields::setRecordNo(product, n);
                plan.products[n] = product;
            }
        }
    }

    ImportPlan plan;

  private:
    int recordNumber(const std::string& text, const std::string& where, int low, int high) const {
        int n = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (ec != std::errc{} || end != text.data() + text.size() || n < low || n > high) {
            throw Error(where + ": \"" + text + "\" " +
                        ownText(state_, "is not a record number from ",
                                "n'est pas un numéro d'enregistrement de ") +
                        std::to_string(low) + ownText(state_, " to ", " à ") +
                        std::to_string(high));
        }
        return n;
    }
    int styleNumber(const std::string& text) const {
        const int n = recordNumber(text, "style " + text, 1, 113);
        if (std::find(kStyleRecordNumbers.begin(), kStyleRecordNumbers.end(), n) ==
            kStyleRecordNumbers.end()) {
            throw Error("style " + text + ": " +
                        ownText(state_, "style records are 1 to 30, 101, 112 and 113",
                                "les styles sont les enregistrements 1 à 30, 101, 112 et 113"));
        }
        return n;
    }

    const AppState& state_;
};

}  // namespace

ImportPlan planImport(const AppState& state, std::string_view document) {
    Planner planner(state);
    const std::size_t first = document.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string_view::npos && document[first] == '{') {
        Json shop;
        try {
            shop = Json::parse(document);
        } catch (const nlohmann::json::exception& error) {
            throw Error(std::string(ownText(state, "The JSON document cannot be read: ",
                                            "Le document JSON est illisible : ")) +
                        error.what());
        }
        planner.planJson(shop);
    } else {
        planner.planCsv(document);
    }
    return std::move(planner.plan);
}

void applyImport(AppState& state, const ImportPlan& plan) {
    // What each record held before, to put back if a later write fails.
    std::optional<PageRecord> oldPage;
    std::map<int, ProductRecord> oldProducts;
    std::map<int, StyleRecord> oldStyles;
    try {
        if (plan.page) {
            const PageRecord before = state.files.readPage(1);
            state.files.writePage(1, *plan.page);
            oldPage = before;
        }
        for (const auto& [n, product] : plan.products) {
            const ProductRecord before = state.files.readProduct(n);
            state.files.writeProduct(n, product);
            oldProducts[n] = before;
        }
        for (const auto& [n, style] : plan.styles) {
            const StyleRecord before = state.files.readStyle(n);
            state.files.writeStyle(n, style);
            oldStyles[n] = before;
        }
    } catch (const Error&) {
        if (oldPage) state.files.writePage(1, *oldPage);
        for (const auto& [n, product] : oldProducts) state.files.writeProduct(n, product);
        for (const auto& [n, style] : oldStyles) state.files.writeStyle(n, style);
        throw;
    }
}

}  // namespace tarvomen::exchange
