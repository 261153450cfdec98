#include "generator/template_text.hpp"

#include "store/numbers.hpp"

namespace tarvomen::generator::tmpl {

std::string quotedValue(std::string_view userText) {
    std::string out;
    out.reserve(userText.size());
    for (const char c : userText) {
        if (c == '"') {
            out += "&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

std::string BorderColours(const StyleRecord& style) {
    return cat(" BORDERCOLORLIGHT=", Q, stored(style.TextColor), Q, " BORDERCOLORDARK=", Q,
               stored(style.BoxTextColor), Q, ">");
}

std::string BoxFontAttrs(const StyleRecord& style) {
    return cat(Q, text(style.BoxFont), Q, " COLOR=", Q, stored(style.BoxTextColor), Q, " SIZE=", Q,
               stored(style.BoxTextSize), Q, ">");
}

std::string TextFontAttrs(const StyleRecord& style) {
    return cat(Q, text(style.TextFont), Q, " COLOR=", Q, stored(style.TextColor), Q, " SIZE=", Q,
               stored(style.TextSize), Q, ">");
}

std::string priceText(const Currency& amount) {
    return numbers::formatCurrency(amount);
}

}  // namespace tarvomen::generator::tmpl
