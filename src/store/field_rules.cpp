#include "store/field_rules.hpp"

#include <algorithm>
#include <charconv>
#include <type_traits>

#include "platform/cp1252.hpp"
#include "store/numbers.hpp"
#include "store/own_text.hpp"

namespace tarvomen::fields {
namespace {

constexpr FieldRule kPageRules[] = {
    {"RecordNo", Rule::RecordNo},
    {"DomainName", Rule::Text},
    {"Title", Rule::Text},
    {"Heading", Rule::Text},
    {"LogoImage", Rule::Text},
    {"CompanyName", Rule::Text},
    {"CompanyAddress", Rule::Text},
    {"City", Rule::Text},
    {"PostCode", Rule::Text},
    {"Phone", Rule::Text},
    {"Fax", Rule::Text},
    {"Email", Rule::Text},
    {"Link1", Rule::Text},
    {"Link2", Rule::Text},
    {"Link3", Rule::Text},
    {"Link4", Rule::Text},
    {"Reserved1", Rule::Kept},
    {"VideoText", Rule::Text},
    {"ImageText", Rule::Text},
    {"BodyText", Rule::Trimmed},
    {"FtpUserName", Rule::Text},
    {"FtpPassword", Rule::Text},
    {"FtpHost", Rule::Text},
    {"CurrencyName", Rule::Text},
    {"CurrencySymbol", Rule::Text},
    {"LinkHeading[0]", Rule::Text},
    {"LinkHeading[1]", Rule::Text},
    {"LinkImage[0]", Rule::Text},
    {"LinkImage[1]", Rule::Text},
    {"LinkImageText[0]", Rule::Text},
    {"LinkImageText[1]", Rule::Text},
    {"LinkVideoText[0]", Rule::Text},
    {"LinkVideoText[1]", Rule::Text},
    {"LinkText[0]", Rule::Trimmed},
    {"LinkText[1]", Rule::Trimmed},
};

constexpr FieldRule kProductRules[] = {
    {"RecordNo", Rule::RecordNo},        {"ProductName", Rule::Text}, {"Description", Rule::Text},
    {"QuantityPerUnit", Rule::Quantity}, {"UnitPrice", Rule::Price},  {"ProductImage", Rule::Text},
    {"BodyText", Rule::Trimmed},         {"ImageText", Rule::Text},   {"VideoText", Rule::Text},
};

// The style picker stores positions and derives the colour, font and size texts from them; the
// media pickers store the media names and folder.
constexpr FieldRule kStyleRules[] = {
    {"RecordNo", Rule::RecordNo},   {"StyleIndex", Rule::Positions}, {"ScreenColor", Rule::Kept},
    {"LinkColor", Rule::Kept},      {"ActiveLinkColor", Rule::Kept}, {"BoxColor", Rule::Kept},
    {"BoxTextColor", Rule::Kept},   {"BoxFont", Rule::Kept},         {"BoxTextSize", Rule::Kept},
    {"TextColor", Rule::Kept},      {"TextSize", Rule::Kept},        {"TextFont", Rule::Kept},
    {"BackgroundFile", Rule::Text}, {"BannerFile", Rule::Text},      {"RulerFile", Rule::Text},
    {"ImageFile", Rule::Text},      {"ControlFile", Rule::Text},     {"SoundFile", Rule::Text},
    {"VideoFile", Rule::Text},      {"MediaFolder", Rule::Text},     {"LinkToProfile", Rule::Flag},
};

// Why a number was refused, naming the field and what was typed.
std::string numberRefusal(const AppState& state, Rule rule, std::string_view typed,
                          numbers::Reading reading) {
    const bool price = rule == Rule::Price;
    const std::string value(typed);
    const std::string english = (price ? "The unit price \"" : "The quantity per unit \"") + value;
    const std::string french = (price ? "Le prix unitaire « " : "La quantité par unité « ") + value;
    const auto say = [&](const std::string& englishEnd, const std::string& frenchEnd) {
        return std::string(
            ownText(state, (english + englishEnd).c_str(), (french + frenchEnd).c_str()));
    };
    if (reading == numbers::Reading::OutOfRange) {
        if (price) {
            return say(
                "\" is outside the range that can be stored (about -922337203685477 to "
                "922337203685477). Nothing was saved.",
                " » est hors des valeurs enregistrables (environ -922337203685477 à "
                "922337203685477). Rien n'a été enregistré.");
        }
        return say(
            "\" is outside the range that can be stored (-32768 to 32767). Nothing was "
            "saved.",
            " » est hors des valeurs enregistrables (-32768 à 32767). Rien n'a été "
            "enregistré.");
    }
    if (value.find(',') != std::string::npos) {
        // A decimal comma: say that the point is the separator, with the value it would give.
        std::string pointed = value;
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        const std::string example = numbers::readsWhole(pointed) ? " (" + pointed + ")" : "";
        return say(
            "\" is not a number: the decimal point is \".\"" + example + ". Nothing was saved.",
            " » n'est pas un nombre : le séparateur décimal est le point « . »" + example +
                ". Rien n'a été enregistré.");
    }
    return say("\" is not a number. Nothing was saved.",
               " » n'est pas un nombre. Rien n'a été enregistré.");
}

template <class Int>
Int storedNumber(const AppState& state, Rule rule, std::string_view value) {
    const numbers::EnteredNumber number =
        rule == Rule::Price ? numbers::readUnitPrice(value) : numbers::readQuantity(value);
    if (number.reading != numbers::Reading::Stored) {
        throw RefusedValue(numberRefusal(state, rule, value, number.reading));
    }
    return static_cast<Int>(number.scaled);
}

// Ten positions "p0,...,p9": colours 0-14, the two sizes (positions 6 and 8) 0-5 and the two fonts
// (positions 5 and 9) within the font list.
StyleIndexArray storedPositions(const AppState& state, std::string_view value) {
    const std::size_t fontCount = state.services.fonts ? state.services.fonts->names().size() : 0;
    StyleIndexArray index{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < index.size(); ++i) {
        const std::size_t end = value.find(',', start);
        if ((end == std::string_view::npos) != (i + 1 == index.size())) {
            throw RefusedValue("StyleIndex takes ten comma-separated positions.");
        }
        const std::string_view item = value.substr(start, end - start);
        const bool font = i == 5 || i == 9;
        const bool size = i == 6 || i == 8;
        const int high = font   ? std::max<int>(0, static_cast<int>(fontCount) - 1)
                         : size ? 5
                                : kColorCount - 1;
        int position = 0;
        const auto [stop, ec] = std::from_chars(item.data(), item.data() + item.size(), position);
        if (ec != std::errc{} || stop != item.data() + item.size() || position < 0 ||
            position > high) {
            throw RefusedValue("StyleIndex position " + std::to_string(i) +
                               (font   ? " (a font)"
                                : size ? " (a size)"
                                       : " (a colour)") +
                               " must be a number from 0 to " + std::to_string(high) + ", not \"" +
                               std::string(item) + "\".");
        }
        index[i] = static_cast<std::int16_t>(position);
        start = end + 1;
    }
    return index;
}

template <class Record>
void setRecordField(const AppState& state, std::span<const FieldRule> rules, Record& record,
                    std::string_view name, std::string_view value) {
    const FieldRule* rule = findRule(rules, name);
    if (!rule) throw RefusedValue("unknown field \"" + std::string(name) + "\".");
    if (rule->rule == Rule::RecordNo || rule->rule == Rule::Kept) {
        throw RefusedValue("the field " + std::string(name) + " cannot be set.");
    }
    Record::visit(record, [&](std::string_view fieldName, auto& field) {
        if (fieldName != name) return;
        using T = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<T, Currency>) {
            field = Currency{storedNumber<std::int64_t>(state, rule->rule, value)};
        } else if constexpr (std::is_same_v<T, StyleIndexArray>) {
            field = storedPositions(state, value);
        } else if constexpr (std::is_same_v<T, std::int16_t>) {
            if (rule->rule == Rule::Flag) {
                if (value != "-1" && value != "0") {
                    throw RefusedValue(std::string(name) + " is -1 or 0.");
                }
                field = static_cast<std::int16_t>(value == "-1" ? -1 : 0);
            } else {
                field = storedNumber<std::int16_t>(state, rule->rule, value);
            }
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
            // RecordNo: refused above.
        } else {
            const std::string converted = cp1252::fromUtf8(value, "the field " + std::string(name));
            field.assign(rule->rule == Rule::Trimmed ? trimBlanks(converted) : converted);
        }
    });
}

}  // namespace

std::span<const FieldRule> pageRules() {
    return kPageRules;
}
std::span<const FieldRule> productRules() {
    return kProductRules;
}
std::span<const FieldRule> styleRules() {
    return kStyleRules;
}

const FieldRule* findRule(std::span<const FieldRule> rules, std::string_view name) {
    const auto it = std::find_if(rules.begin(), rules.end(),
                                 [&](const FieldRule& rule) { return rule.name == name; });
    return it == rules.end() ? nullptr : &*it;
}

void setField(const AppState& state, PageRecord& record, std::string_view name,
              std::string_view value) {
    setRecordField(state, pageRules(), record, name, value);
}
void setField(const AppState& state, ProductRecord& record, std::string_view name,
              std::string_view value) {
    setRecordField(state, productRules(), record, name, value);
}
void setField(const AppState& state, StyleRecord& record, std::string_view name,
              std::string_view value) {
    setRecordField(state, styleRules(), record, name, value);
}

void setRecordNo(ProductRecord& record, int recordNumber) {
    record.RecordNo = recordNumber - 1;
}

}  // namespace tarvomen::fields
