#include "store/load_save.hpp"

#include <gtest/gtest.h>

#include "support/fakes.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen {
namespace {

using Answer = MessageBox::Answer;
using Outcome = SaveResult::Outcome;
using testing::readFile;

class LoadSaveTest : public ::testing::Test, public testing::DriveFixture {
  protected:
    LoadSaveTest() {
        openRecords();
        state.services.fonts = nullptr;  // these saves run without a font list
    }
    std::string pageFile() { return readFile(programFile("Qvprofile.txt")); }
    std::string productFile() { return readFile(programFile("Qvdetail.txt")); }
    std::string productBytes(int n) {
        return productFile().substr(static_cast<std::size_t>(n - 1) * ProductRecord::kLength,
                                    ProductRecord::kLength);
    }
    // Product values with every box filled.
    static FieldValues product(std::string name, std::string quantity, std::string price) {
        return {
            {std::move(name), "A description", std::move(quantity), std::move(price), "", "", ""},
            "  body  ",
            {}};
    }
};

TEST_F(LoadSaveTest, ListLinesShowTheStoredNames) {
    ProductRecord seven;
    seven.ProductName = "Caf\xe9";  // cp1252 e acute
    state.files.writeProduct(7, seven);
    PageRecord page;
    page.DomainName = "shop.example";
    page.Link2 = "  News ";
    page.Link3 = "Old";
    state.files.writePage(1, page);
    state.Selection.CurrentRecord = 9;
    state.ListProfileSwitch = 1;

    const auto products = ProductListLines(state);
    ASSERT_EQ(products.size(), 30u);
    EXPECT_EQ(products[6], "7Caf\u00e9" + std::string(36, ' '));
    EXPECT_EQ(products[11], "12" + std::string(40, ' '));

    EXPECT_EQ(PageListLines(state),
              std::vector<std::string>{"1shop.example" + std::string(38, ' ')});
    EXPECT_EQ(state.ListProfileSwitch, 0);

    state.Selection.LinkNo = 3;
    const LinkListLines links = FillLinkLists(state);
    EXPECT_EQ(links.first, "1shop.example-News");
    EXPECT_EQ(links.second, "1shop.example-Old");
    EXPECT_EQ(state.Selection.LinkNo, 0);
    EXPECT_EQ(state.LinkPage, page);
    EXPECT_EQ(state.Selection.CurrentRecord, 9) << "filling a list never changes CurrentRecord";
}

TEST_F(LoadSaveTest, LoadingFillsTheBoxesAndTheSelection) {
    PageRecord page;
    page.DomainName = "  shop.example";
    page.CurrencySymbol = "$";
    page.CurrencyName = "U.S.";
    page.LogoImage = "C:\\Program Files\\Tarvomen\\TMedia\\logo.gif";
    page.BodyText = "  Welcome  ";
    page.Link3 = "Old";
    page.LinkHeading[1] = "Heading two";
    page.LinkText[1] = " Link body ";
    state.files.writePage(1, page);
    ProductRecord three;
    three.QuantityPerUnit = 2;
    three.UnitPrice = Currency{125000};
    state.files.writeProduct(3, three);

    const FieldValues home = LoadPage(state, 0);
    EXPECT_EQ(state.Selection.CurrentRecord, 1);
    EXPECT_EQ(home.boxes[0], "  shop.example") << "trailing blanks only are removed";
    EXPECT_EQ(home.boxes[17], "$  ");
    EXPECT_EQ(home.boxes[18], "U.S." + std::string(16, ' '));
    EXPECT_EQ(home.body, "Welcome");
    EXPECT_EQ(home.picture, "C:\\Program Files\\Tarvomen\\TMedia\\logo.gif");

    const FieldValues item = LoadProduct(state, 2);
    EXPECT_EQ(state.Selection.CurrentRecord, 3);
    EXPECT_EQ(item.boxes[2], "2");
    EXPECT_EQ(item.boxes[3], "12.5");
    EXPECT_EQ(item.picture, "");

    const FieldValues link = LoadLink(state, 1, 0);
    EXPECT_EQ(state.Selection.LinkRecordNo, 1);
    EXPECT_EQ(state.Selection.LinkNo, 3);
    EXPECT_EQ(state.Selection.LinkIndex, 1);
    EXPECT_EQ(link.boxes[0], "Old");
    EXPECT_EQ(link.boxes[1], "Heading two");
    EXPECT_EQ(link.body, "Link body");
}

TEST_F(LoadSaveTest, ProductSaveWritesOnlyItsRecordAfterYes) {
    state.files.writeProduct(4, ProductRecord{});
    state.files.writeProduct(6, ProductRecord{});
    const std::string before = productFile();
    LoadProduct(state, 4);
    messages.answer(Answer::Yes);

    const SaveResult result =
        SaveProduct(state, 4, product("Teapot", "2", "12.5"), "Update the Tarvomen Detail?");

    ASSERT_EQ(result.outcome, Outcome::Saved);
    EXPECT_EQ(result.status, "Detail Teapot Updated o.k.!");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Update the Tarvomen Detail?");
    EXPECT_EQ(messages.shown[0].title, "Tarvomen");
    EXPECT_EQ(messages.shown[0].defaultButton, Answer::No);
    EXPECT_EQ(state.Selection.CurrentRecord, 5);
    const std::string after = productFile();
    EXPECT_EQ(after.substr(0, 4 * 3994), before.substr(0, 4 * 3994));
    EXPECT_EQ(after.substr(5 * 3994), before.substr(5 * 3994));
    const std::string record = productBytes(5);
    EXPECT_EQ(record.substr(0, 4), std::string("\x04\0\0\0", 4)) << "RecordNo is 4";
    EXPECT_EQ(record.substr(84, 2), std::string("\x02\0", 2));
    EXPECT_EQ(record.substr(86, 8), std::string("\x48\xE8\x01\0\0\0\0\0", 8));
    EXPECT_EQ(record.substr(194, 5), "body ") << "the body is trimmed";
}

TEST_F(LoadSaveTest, AnsweringNoWritesNothing) {
    LoadPage(state, 0);
    const PageRecord copy = state.Page;
    const std::string before = pageFile();
    messages.answer(Answer::No);
    FieldValues values{std::vector<std::string>(kPageBoxCount, "x"), "body", {}};
    EXPECT_EQ(SavePage(state, values, "Update the Tarvomen Profile?").outcome, Outcome::Declined);
    EXPECT_EQ(pageFile(), before);
    EXPECT_EQ(state.Page, copy);
}

TEST_F(LoadSaveTest, ValuesAreCutToTheFieldWidth) {
    LoadPage(state, 0);
    FieldValues values{std::vector<std::string>(kPageBoxCount), {}, {}};
    values.boxes[0] = "shop.example";
    values.boxes[6] = std::string(24, 'c');  // City, 20 wide
    values.boxes[9] = std::string(30, 'f');  // Fax, 22 wide
    messages.answer(Answer::Yes);
    ASSERT_TRUE(SavePage(state, values, "?").saved());
    const std::string bytes = pageFile();
    ASSERT_EQ(bytes.size(), PageRecord::kLength);
    EXPECT_EQ(bytes.substr(324, 20), std::string(20, 'c'));
    EXPECT_EQ(bytes.substr(390, 22), std::string(22, 'f'));
    EXPECT_EQ(bytes.substr(4, 50), "shop.example" + std::string(38, ' '));

    LoadProduct(state, 0);
    messages.answer(Answer::Yes);
    ASSERT_TRUE(SaveProduct(state, 0, product(std::string(45, 'n'), "", ""), "?").saved());
    EXPECT_EQ(productBytes(1).substr(4, 41), std::string(40, 'n') + "A");
}

// A value the record cannot hold refuses the save before the question; nothing changes.
TEST_F(LoadSaveTest, UnstorableValuesRefuseTheSave) {
    struct Case {
        const char* what;
        int box;  // -1: the body
        std::string value;
        std::vector<std::string> named;  // parts the message must name
    };
    const Case cases[] = {
        {"snowman in the name", 0, "Tea \u2603", {"\u2603", "ProductName"}},
        {"CJK in the image text", 5, "\u732b", {"\u732b", "ImageText"}},
        {"emoji in the body", -1, "ok \U0001F600", {"\U0001F600", "BodyText"}},
        {"quantity too large", 2, "9e9", {"9e9", "quantity"}},
        {"quantity below range", 2, "-40000", {"-40000", "quantity"}},
        {"price beyond currency", 3, "1e20", {"1e20", "price"}},
        {"price in words", 3, "abc", {"\"abc\"", "unit price", "not a number"}},
        {"price with its currency sign", 3, "$12.50", {"$12.50", "not a number"}},
        {"price with a decimal comma", 3, "8,95", {"8,95", "decimal point is \".\""}},
        {"quantity in words", 2, "two", {"two", "quantity per unit"}},
        {"quantity with letters after it", 2, "12abc", {"12abc", "quantity per unit"}},
    };
    state.files.writeProduct(2, ProductRecord{});
    LoadProduct(state, 1);
    const ProductRecord copy = state.Product;
    const std::string before = productFile();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        FieldValues values = product("Tea", "1", "2");
        (c.box < 0 ? values.body : values.boxes[static_cast<std::size_t>(c.box)]) = c.value;
        const SaveResult result = SaveProduct(state, 1, values, "?");
        EXPECT_EQ(result.outcome, Outcome::Refused);
        EXPECT_EQ(result.refusedBox, c.box < 0 ? std::nullopt : std::optional<int>(c.box));
        ASSERT_EQ(messages.shown.size(), 1u) << "one message, no question";
        EXPECT_EQ(messages.shown[0].title, "Tarvomen");
        EXPECT_EQ(messages.shown[0].buttons, MessageBox::Buttons::Ok);
        for (const auto& part : c.named) {
            EXPECT_NE(messages.shown[0].text.find(part), std::string::npos)
                << messages.shown[0].text;
        }
        EXPECT_EQ(productFile(), before);
        EXPECT_EQ(state.Product, copy);
    }

    LoadLink(state, 0, 0);
    FieldValues link{{"Link \u20ac", "H\u00e9", "", "", "\u0394"}, "", {}};
    EXPECT_EQ(SaveLink(state, link, "?").outcome, Outcome::Refused);
    EXPECT_NE(messages.shown.back().text.find("LinkVideoText"), std::string::npos)
        << "the euro sign and e acute are Windows-1252; the delta is not";
}

TEST_F(LoadSaveTest, LinkPageTwoSavesOnlyItsOwnFields) {
    PageRecord page;
    page.DomainName = "shop.example";
    page.Link2 = "News";
    page.Link3 = "Old";
    page.LinkHeading[0] = "First";
    page.FtpHost = "ftp.example";
    state.files.writePage(1, page);
    LoadLink(state, 1, 0);

    messages.answer(Answer::Yes);
    const FieldValues values{{"Archive", "Second", "", "", ""}, "Text two", {}};
    const SaveResult result = SaveLink(state, values, "Update the Tarvomen Link?");

    ASSERT_TRUE(result.saved());
    EXPECT_EQ(result.status, "Link file Archive Updated o.k.!");
    PageRecord expected = page;
    expected.Link3 = "Archive";
    expected.LinkHeading[1] = "Second";
    expected.LinkText[1] = "Text two";
    EXPECT_EQ(state.files.readPage(1), expected);
    EXPECT_EQ(state.Selection.LinkIndex, 1);
}

TEST_F(LoadSaveTest, KillDetailSavesWithoutAQuestion) {
    ProductRecord nine;
    nine.ProductName = "Old";
    nine.QuantityPerUnit = 3;
    state.files.writeProduct(9, nine);
    LoadProduct(state, 8);
    state.KillDetail = true;
    const SaveResult result =
        SaveProduct(state, 8, FieldValues{std::vector<std::string>(kProductBoxCount), {}, {}}, "?");
    EXPECT_TRUE(result.saved());
    EXPECT_TRUE(messages.shown.empty());
    ProductRecord expected;
    expected.RecordNo = 8;
    EXPECT_EQ(state.files.readProduct(9), expected);
}

}  // namespace
}  // namespace tarvomen
