#include "store/field_rules.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "support/fakes.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen {
namespace {

template <class Record>
std::vector<std::string> visitedNames() {
    std::vector<std::string> names;
    Record record;
    Record::visit(record, [&](std::string_view name, const auto&) { names.emplace_back(name); });
    return names;
}

std::vector<std::string> ruleNames(std::span<const fields::FieldRule> rules) {
    std::vector<std::string> names;
    for (const auto& rule : rules) names.emplace_back(rule.name);
    return names;
}

class FieldRulesTest : public ::testing::Test, public testing::DriveFixture {};

TEST_F(FieldRulesTest, EveryFieldOfEveryRecordHasARule) {
    EXPECT_EQ(ruleNames(fields::pageRules()), visitedNames<PageRecord>());
    EXPECT_EQ(ruleNames(fields::productRules()), visitedNames<ProductRecord>());
    EXPECT_EQ(ruleNames(fields::styleRules()), visitedNames<StyleRecord>());
}

TEST_F(FieldRulesTest, ValuesAreStoredByTheirFieldsRule) {
    ProductRecord product;
    fields::setField(state, product, "ProductName", "  Caf\u00e9");
    fields::setField(state, product, "BodyText", "   Fine china  ");
    fields::setField(state, product, "QuantityPerUnit", "12.5");
    fields::setField(state, product, "UnitPrice", " 1.23456 ");
    fields::setField(state, product, "Description", std::string(45, 'd'));
    EXPECT_EQ(product.ProductName.rtrimmed(), "  Caf\xE9") << "only the body texts are trimmed";
    EXPECT_EQ(product.BodyText.rtrimmed(), "Fine china");
    EXPECT_EQ(product.QuantityPerUnit, 12);
    EXPECT_EQ(product.UnitPrice, Currency{12346});
    EXPECT_EQ(product.Description.raw(), std::string(40, 'd'));

    PageRecord page;
    fields::setField(state, page, "LinkText[1]", "  x  ");
    fields::setField(state, page, "CurrencySymbol", "$");
    EXPECT_EQ(page.LinkText[1].rtrimmed(), "x");
    EXPECT_EQ(page.CurrencySymbol.raw(), "$  ");

    StyleRecord style;
    fields::setField(state, style, "LinkToProfile", "-1");
    fields::setField(state, style, "StyleIndex", "0,14,2,5,7,3,2,0,1,2");
    EXPECT_EQ(style.LinkToProfile, -1);
    EXPECT_EQ(style.StyleIndex, (StyleIndexArray{0, 14, 2, 5, 7, 3, 2, 0, 1, 2}));
}

// A refused value leaves the record as it was; the message names the field and the value.
TEST_F(FieldRulesTest, RefusesWhatAFieldDoesNotTake) {
    struct Refused {
        const char* field;
        const char* value;
        const char* message;  // a part of the message
    };
    const Refused cases[] = {
        {"UnitPrice", "8,95",
         "The unit price \"8,95\" is not a number: the decimal point is "
         "\".\" (8.95). Nothing was saved."},
        {"UnitPrice", "$12.50", "The unit price \"$12.50\" is not a number. Nothing was saved."},
        {"UnitPrice", "12abc", "\"12abc\" is not a number"},
        {"QuantityPerUnit", "two", "The quantity per unit \"two\" is not a number."},
        {"QuantityPerUnit", "1,000,5", "the decimal point is \".\". Nothing"},
        {"QuantityPerUnit", "9e9", "\"9e9\" is outside the range that can be stored (-32768"},
        {"UnitPrice", "1e15", "\"1e15\" is outside the range"},
        {"RecordNo", "5", "RecordNo cannot be set"},
        {"Nonsense", "x", "unknown field \"Nonsense\""},
        {"ProductName", "\u4e2d", "ProductName"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field + std::string("=") + c.value);
        ProductRecord product;
        product.UnitPrice = Currency{10000};
        const ProductRecord before = product;
        try {
            fields::setField(state, product, c.field, c.value);
            ADD_FAILURE() << "accepted";
        } catch (const Error& refusal) {
            EXPECT_NE(std::string(refusal.what()).find(c.message), std::string::npos)
                << refusal.what();
        }
        EXPECT_EQ(product, before);
    }
    PageRecord page;
    EXPECT_THROW(fields::setField(state, page, "Reserved1", "x"), fields::RefusedValue);
    StyleRecord style;
    EXPECT_THROW(fields::setField(state, style, "ScreenColor", "#FFFFFF"), fields::RefusedValue);
    EXPECT_THROW(fields::setField(state, style, "LinkToProfile", "1"), fields::RefusedValue);
    EXPECT_THROW(fields::setField(state, style, "StyleIndex", "0,14,2,5,7,9,2,0,1,2"),
                 fields::RefusedValue)
        << "font position 9 is beyond the four test fonts";
}

TEST_F(FieldRulesTest, RefusalsSpeakTheChosenLanguage) {
    state.LangInd = 200;
    ProductRecord product;
    const auto messageFor = [&](const char* field, const char* value) {
        try {
            fields::setField(state, product, field, value);
        } catch (const fields::RefusedValue& refusal) {
            return std::string(refusal.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(messageFor("UnitPrice", "8,95"),
              "Le prix unitaire « 8,95 » n'est pas un nombre : le séparateur décimal est le "
              "point « . » (8.95). Rien n'a été enregistré.");
    EXPECT_EQ(messageFor("QuantityPerUnit", "deux"),
              "La quantité par unité « deux » n'est pas un nombre. Rien n'a été enregistré.");
    EXPECT_EQ(messageFor("QuantityPerUnit", "40000"),
              "La quantité par unité « 40000 » est hors des valeurs enregistrables (-32768 à "
              "32767). Rien n'a été enregistré.");
}

}  // namespace
}  // namespace tarvomen
