// "Continue": the save question, the status line, list mode afterwards, refusals.
#include "editor_fixture.hpp"

namespace tarvomen::editors {
namespace {

class SavingTest : public EditorTest {};

TEST_F(SavingTest, DetailSaveWritesTheProductAndReturnsToListMode) {
    auto detail = open<FormDetail>();
    detail->ListClick(0, 2);
    detail->Text1Change(0, "Teapot");
    detail->Text1Click(3);
    detail->Text1Change(3, "12.5");
    detail->RTB1Change("  Fine china  ");
    messages.answer(Answer::Yes);
    detail->Command2Click();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Update the Tarvomen Detail?");
    const ProductRecord stored = state.files.readProduct(3);
    EXPECT_EQ(stored.RecordNo, 2);
    EXPECT_EQ(stored.ProductName.trimmed(), "Teapot");
    EXPECT_EQ(stored.UnitPrice, Currency{125000});
    EXPECT_EQ(stored.BodyText.trimmed(), "Fine china");
    EXPECT_EQ(state.Selection.CurrentRecord, 3);

    EXPECT_EQ(detail->Label3.caption, "Detail Teapot Updated o.k.!");
    EXPECT_TRUE(detail->Label3.visible);
    EXPECT_EQ(detail->List1.lines[2], "3Teapot" + std::string(34, ' '));
    EXPECT_FALSE(detail->List1.selected);
    EXPECT_TRUE(detail->List1.visible);
    EXPECT_EQ(detail->Command2.caption, "Styles");
    EXPECT_EQ(detail->Label1.caption,
              "Start by CLICKING a Detail line, entering some details and pressing ENTER! ");
    for (const EntryBox& box : detail->Text1) EXPECT_FALSE(box.visible || !box.text.empty());
    EXPECT_FALSE(detail->RTB1.visible);
}

TEST_F(SavingTest, AnsweringNoWritesNothingAndReturnsToListMode) {
    const std::string pageBefore = pageFile();
    const std::string productBefore = productFile();

    auto profile = open<FormProfile>();
    profile->ListClick(0, 0);
    profile->Text1Click(1);
    profile->Text1Change(1, "My shop");
    messages.answer(Answer::No);
    profile->Command2Click();
    EXPECT_EQ(profile->Text1[1].text, "My shop") << "the profile boxes keep what was typed";
    EXPECT_TRUE(profile->Text1[1].visible);
    EXPECT_TRUE(profile->List1.visible);
    EXPECT_EQ(profile->Command2.caption, "Styles");
    EXPECT_FALSE(profile->Label3.visible) << "no status";

    auto detail = open<FormDetail>();
    detail->ListClick(0, 0);
    detail->Text1Click(1);
    detail->Text1Change(1, "Blue");
    messages.answer(Answer::No);
    detail->Command2Click();
    EXPECT_EQ(detail->Text1[1].text, "");
    EXPECT_FALSE(detail->Text1[1].visible);

    auto link = open<FormLink>();
    link->ListClick(0, 0);
    link->Text1Click(1);
    link->Text1Change(1, "Heading");
    messages.answer(Answer::No);
    link->Command2Click();
    EXPECT_EQ(link->Text1[1].text, "") << "the link page is shown again as stored";

    EXPECT_EQ(pageFile(), pageBefore);
    EXPECT_EQ(productFile(), productBefore);
}

// A value the record cannot hold: the user is told, nothing is written, and the editor stays
// in editing with what was typed, where "No" would have emptied the product boxes.
TEST_F(SavingTest, UnstorableValuesKeepTheEditorEditing) {
    const std::string productBefore = productFile();
    auto detail = open<FormDetail>();
    detail->ListClick(0, 0);
    detail->Text1Click(2);
    detail->Text1Change(0, "Tea \u2603");
    detail->Command2Click();
    detail->Text1Change(0, "Tea");
    detail->Text1Change(2, "9e9");
    detail->Command2Click();

    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[0].text.find("ProductName"), std::string::npos);
    EXPECT_NE(messages.shown[1].text.find("9e9"), std::string::npos);
    EXPECT_EQ(productFile(), productBefore);
    EXPECT_EQ(detail->Text1[2].text, "9e9");
    EXPECT_TRUE(detail->Text1[2].visible);
    EXPECT_EQ(detail->Command2.caption, "Continue");
    EXPECT_EQ(detail->takeFocusRequest(), ControlRef::box(2));

    detail->Text1Change(2, "12.5");
    messages.answer(Answer::Yes);
    detail->Command2Click();
    EXPECT_EQ(state.files.readProduct(1).QuantityPerUnit, 12) << "halves to even";

    auto link = open<FormLink>();
    link->ListClick(1, 0);
    link->Text1Click(1);
    link->RTB1Change("\u03a9");
    link->Command2Click();
    EXPECT_NE(messages.shown.back().text.find("LinkText"), std::string::npos);
    EXPECT_EQ(link->RTB1.text, "\u03a9");
    EXPECT_EQ(link->takeFocusRequest(), ControlRef::body());
}

// A quantity or price that is not wholly a number is refused in the chosen language, before the
// save question; the boxes keep the typing and the focus goes to the box.
TEST_F(SavingTest, NumbersThatAreNotWhollyNumbersAreRefused) {
    struct Case {
        int box;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {3, "abc", "The unit price \"abc\" is not a number. Nothing was saved."},
        {3, "$12.50", "The unit price \"$12.50\" is not a number. Nothing was saved."},
        {3, "8,95",
         "The unit price \"8,95\" is not a number: the decimal point is \".\" (8.95). Nothing "
         "was saved."},
        {2, "two", "The quantity per unit \"two\" is not a number. Nothing was saved."},
        {2, "12abc", "The quantity per unit \"12abc\" is not a number. Nothing was saved."},
    };
    const std::string before = productFile();
    auto detail = open<FormDetail>();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        detail->ListClick(0, 4);
        detail->Text1Change(0, "Teapot");
        detail->Text1Change(c.box, c.typed);
        messages.shown.clear();
        detail->takeFocusRequest();
        detail->Command2Click();
        ASSERT_EQ(messages.shown.size(), 1u) << "no save question";
        EXPECT_EQ(messages.shown[0].title, "Tarvomen");
        EXPECT_EQ(messages.shown[0].text, c.message);
        EXPECT_EQ(detail->Text1[c.box].text, c.typed);
        EXPECT_EQ(detail->Text1[0].text, "Teapot");
        EXPECT_EQ(detail->takeFocusRequest(), ControlRef::box(c.box));
        EXPECT_EQ(productFile(), before);
        messages.answer(Answer::No);
        detail->Command1Click();  // leave the refused typing
    }

    state.LangInd = 200;
    detail = open<FormDetail>();
    detail->ListClick(0, 0);
    detail->Text1Change(3, "8,95");
    detail->Command2Click();
    EXPECT_EQ(messages.shown.back().text,
              "Le prix unitaire « 8,95 » n'est pas un nombre : le séparateur décimal est le point "
              "« . » (8.95). Rien n'a été enregistré.");
}

// A click into box 17 changes nothing by itself: a symbol typed since the box was last looked
// at brings its name ("$" U.S., "E" Euro); the stored, blank-padded "$" and its name stay.
TEST_F(SavingTest, CurrencyBoxesPairATypedSymbolWithItsName) {
    PageRecord page;
    page.CurrencySymbol = "$";
    page.CurrencyName = "Dollar";
    state.files.writePage(1, page);
    const std::string before = pageFile();
    auto profile = open<FormProfile>();
    profile->ListClick(0, 0);
    EXPECT_EQ(profile->Text1[17].text, "$  ");

    profile->EnterKeyPress(ControlRef::box(16));
    profile->Text1Click(17);
    profile->Text1Click(17);
    EXPECT_EQ(profile->Text1[17].text, "$  ");
    EXPECT_EQ(profile->Text1[18].text, "Dollar" + std::string(14, ' '));
    EXPECT_FALSE(profile->hasUnsavedChanges());
    profile->Command1Click();
    EXPECT_TRUE(messages.shown.empty()) << "nothing to save";
    EXPECT_EQ(pageFile(), before);

    profile = open<FormProfile>();
    profile->ListClick(0, 0);
    profile->Text1Change(17, "E");
    profile->Text1Click(17);
    EXPECT_EQ(profile->Text1[18].text, "Euro");
    profile->Text1Change(17, "$");
    profile->Text1Click(17);
    EXPECT_EQ(profile->Text1[18].text, "U.S.");
    profile->Text1Change(17, "\u20ac");
    profile->Text1Click(17);
    EXPECT_EQ(profile->Text1[17].text, "\u20ac") << "another symbol is kept as typed";
    EXPECT_EQ(profile->Text1[18].text, "U.S.");
    profile->Text1Change(18, "Euro");
    profile->Text1Click(18);
    EXPECT_EQ(profile->Text1[18].text, "Euro");

    messages.answer(Answer::Yes);
    profile->Command2Click();
    EXPECT_EQ(state.files.readPage(1).CurrencySymbol.raw(), "\x80  ");
    EXPECT_EQ(state.files.readPage(1).CurrencyName.trimmed(), "Euro");
}

TEST_F(SavingTest, ProfileSaveCutsToTheFieldWidthAndRefillsTheList) {
    auto profile = open<FormProfile>();
    profile->ListClick(0, 0);
    profile->Text1Change(0, "shop.example");
    profile->Text1Click(6);
    profile->Text1Change(6, std::string(24, 'c'));
    messages.answer(Answer::Yes);
    profile->Command2Click();
    EXPECT_EQ(state.files.readPage(1).City.raw(), std::string(20, 'c'));
    EXPECT_EQ(profile->Label3.caption, "Profile shop.example Updated o.k.!");
    EXPECT_EQ(profile->List1.lines,
              std::vector<std::string>{"1shop.example" + std::string(38, ' ')});
    EXPECT_EQ(profile->Text1[6].text, std::string(24, 'c'));
}

TEST_F(SavingTest, LinkPageTwoSavesOnlyItsOwnFields) {
    PageRecord page;
    page.DomainName = "shop.example";
    page.Link2 = "News";
    page.Link3 = "Old";
    page.LinkHeading[0] = "First";
    state.files.writePage(1, page);
    auto link = open<FormLink>();
    EXPECT_EQ(link->List2.lines, std::vector<std::string>{"1shop.example-Old"});
    link->ListClick(1, 0);
    EXPECT_EQ(link->Text1[0].text, "Old");
    link->Text1Change(0, "Archive");
    link->Text1Click(1);
    link->Text1Change(1, "Second");
    messages.answer(Answer::Yes);
    link->Command2Click();

    PageRecord expected = page;
    expected.Link3 = "Archive";
    expected.LinkHeading[1] = "Second";
    EXPECT_EQ(state.files.readPage(1), expected);
    EXPECT_EQ(messages.shown[0].text, "Update the Tarvomen Link?");
    EXPECT_EQ(link->Label3.caption, "Link file Archive Updated o.k.!");
    EXPECT_EQ(link->Text1[1].text, "Second");
    EXPECT_TRUE(link->List1.visible && link->List2.visible && link->Label5Visible);
    EXPECT_EQ(link->List2.lines, std::vector<std::string>{"1shop.example-Old"})
        << "the lists are not filled again";
    EXPECT_EQ(link->Label1.caption,
              "Start by CLICKING a Link, entering some details and pressing ENTER!");
}

}  // namespace
}  // namespace tarvomen::editors
