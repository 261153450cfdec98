#include "styles/form1.hpp"

#include <gtest/gtest.h>

#include "store/style_ops.hpp"
#include "styles_fixture.hpp"

namespace tarvomen::styles {
namespace {

using testing::StylesFixture;
constexpr Rgb kRed{255, 0, 0};

class Form1Test : public StylesFixture {};

TEST_F(Form1Test, EachChoiceIsStoredAtOnceInThePagesStyleRecord) {
    struct {
        int item, position;
        FixedText<7> StyleRecord::*colour;
        std::string_view expected;
        std::string comboText;
    } colourCases[] = {
        {0, 5, &StyleRecord::ScreenColor, "#FF0000", "Red"},
        {0, 1, &StyleRecord::ScreenColor, "#808080", "Grey"},
        {3, 13, &StyleRecord::BoxColor, "#008080", "SeaGreen"},
        {7, 14, &StyleRecord::TextColor, "#FFFFFF", "White"},
        {0, -1, &StyleRecord::ScreenColor, "#000000", "Black"},  // no entry chosen counts as 0
    };
    Form1 form(state, windows);
    for (const auto& c : colourCases) {
        SCOPED_TRACE(c.comboText);
        form.Combo1Click(c.item, c.position);
        const StyleRecord stored = storedStyle(101);
        EXPECT_EQ((stored.*c.colour).raw(), c.expected);
        EXPECT_EQ(stored.StyleIndex[static_cast<std::size_t>(c.item)], std::max(c.position, 0));
        EXPECT_EQ(form.combos()[static_cast<std::size_t>(c.item)].text, c.comboText);
    }

    form.Combo1Click(6, 5);  // size "6"
    form.Combo1Click(8, 2);
    form.Combo1Click(9, 2);
    form.Combo1Click(5, 3);
    const StyleRecord stored = storedStyle(101);
    EXPECT_EQ(stored.BoxTextSize.raw(), "6");
    EXPECT_EQ(stored.StyleIndex[6], 5);
    EXPECT_EQ(stored.TextSize.raw(), "3");
    EXPECT_EQ(stored.TextFont.trimmed(), "Times New Roman");
    EXPECT_EQ(stored.BoxFont.trimmed(), "Verdana");
    EXPECT_EQ(form.combos()[6].text, "6");
    EXPECT_EQ(form.combos()[9].text, "Times New Roman");
    // The current style was read back from the record.
    EXPECT_EQ(state.CurrentStyle, stored);
}

TEST_F(Form1Test, SamplesArePaintedByGroup) {
    struct {
        int item, position;
        bool back;
        std::vector<int> combos, boxes;
    } cases[] = {
        {0, 5, true, {0, 1, 2, 7, 8, 9}, {0, 1, 2, 7, 8, 9}},  // Screen Color
        {1, 5, false, {1}, {1}},                               // Link Color
        {2, 5, false, {2}, {2}},                               // Active Link Color
        {3, 5, true, {3, 4, 5, 6}, {3, 4, 5, 6}},              // Box Colour
        {4, 5, false, {3, 4, 5, 6}, {3, 4, 5, 6}},             // Box Text Color
        {7, 5, false, {0, 7, 8, 9}, {0, 7, 8, 9}},             // Text Color
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        state.CurrentStyle = StyleRecord{};
        PutMediaParm(state);  // all black
        Form1 form(state, windows);
        form.Combo1Click(c.item, c.position);
        for (int i = 0; i < Form1::kItems; ++i) {
            const bool painted = std::find(c.combos.begin(), c.combos.end(), i) != c.combos.end();
            const auto& combo = form.combos()[static_cast<std::size_t>(i)];
            EXPECT_EQ((c.back ? combo.back : combo.fore) == kRed, painted) << "Combo1 " << i;
            const bool boxPainted = std::find(c.boxes.begin(), c.boxes.end(), i) != c.boxes.end();
            const auto& box = form.samples()[static_cast<std::size_t>(i)];
            EXPECT_EQ((c.back ? box.back : box.fore) == kRed, boxPainted) << "Text1 " << i;
        }
    }

    Form1 form(state, windows);
    form.Combo1Click(0, 1);  // Grey
    EXPECT_EQ(form.samples()[0].back, (Rgb{128, 128, 128}));
}

TEST_F(Form1Test, OpeningShowsTheStoredStyle) {
    state.Selection.PageKind = PageType::Product;
    state.Selection.CurrentRecord = 7;
    state.CurrentStyle.StyleIndex = {5, 0, 0, 14, 2, 1, 3, 12, 4, 3};
    PutMediaParm(state);
    state.CurrentStyle = StyleRecord{};

    Form1 form(state, windows);
    EXPECT_EQ(form.caption(), "COLORPICK");
    EXPECT_EQ(form.combos()[0].back, kRed);
    EXPECT_EQ(form.combos()[0].text, "Screen Color");  // colour combos keep the item name
    EXPECT_EQ(form.combos()[3].back, (Rgb{255, 255, 255}));
    EXPECT_EQ(form.samples()[4].fore, (Rgb{0, 0, 255}));
    EXPECT_EQ(form.combos()[5].text, "Courier New");
    EXPECT_EQ(form.combos()[6].text, "4");
    EXPECT_EQ(form.combos()[8].text, "5");
    EXPECT_EQ(form.combos()[8].fore, (Rgb{0, 128, 0}));  // takes the text colour
    EXPECT_EQ(form.combos()[9].text, "Verdana");
    EXPECT_EQ(form.commands()[2].caption, "Preview Web Page");
    EXPECT_EQ(form.combos()[1].list.size(), 15u);
    EXPECT_EQ(form.combos()[6].list, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
}

TEST_F(Form1Test, RunOptionsAreResetForTheHomePageOnly) {
    state.LinkAppearanceNormal = false;  // "Boxed" chosen earlier in the run
    state.LinkStyleFromProfile = false;
    state.ShopCartOn = true;

    state.Selection.PageKind = PageType::Product;
    state.Selection.CurrentRecord = 2;
    {
        Form1 form(state, windows);
        for (const auto& frame : form.frames()) EXPECT_FALSE(frame.visible);
        EXPECT_FALSE(state.LinkAppearanceNormal);
        EXPECT_FALSE(state.LinkStyleFromProfile);
        EXPECT_TRUE(state.ShopCartOn);
    }

    state.Selection.PageKind = PageType::Home;
    state.Selection.CurrentRecord = 1;
    Form1 form(state, windows);
    for (const auto& frame : form.frames()) EXPECT_TRUE(frame.visible);
    EXPECT_TRUE(state.LinkAppearanceNormal);
    EXPECT_TRUE(state.LinkStyleFromProfile);
    EXPECT_FALSE(state.ShopCartOn);
    const bool selected[6] = {true, false, true, false, false, true};
    for (int n = 0; n < 6; ++n) EXPECT_EQ(form.options()[n].selected, selected[n]) << n + 1;
    EXPECT_EQ(form.commands()[2].caption, "Preview Web Site");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, OptionsSetTheirFlagsAndShopCartOnSpeaksEveryTime) {
    Form1 form(state, windows);
    form.OptionClick(2);
    EXPECT_FALSE(state.LinkAppearanceNormal);
    EXPECT_TRUE(form.options()[1].selected);
    EXPECT_FALSE(form.options()[0].selected);
    form.OptionClick(4);
    EXPECT_FALSE(state.LinkStyleFromProfile);
    form.OptionClick(5);
    form.OptionClick(5);
    EXPECT_TRUE(state.ShopCartOn);
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.text, "Shopping Cart applied to all DETAILS linked to Home Page!");
        EXPECT_EQ(shown.title, "Tarvomen");
    }
    form.OptionClick(6);
    EXPECT_FALSE(state.ShopCartOn);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(Form1Test, ButtonsHandOverToTheEditorOrAMediaPicker) {
    using Calls = std::vector<std::pair<std::string, WindowId>>;
    struct {
        PageType pageKind;
        WindowId editor;
    } editors[] = {{PageType::Home, WindowId::FormProfile},
                   {PageType::Product, WindowId::FormDetail},
                   {PageType::Link, WindowId::FormLink}};
    for (const auto& c : editors) {
        state.Selection.PageKind = c.pageKind;
        state.Selection.LinkNo = 2;
        windows.calls.clear();
        Form1(state, windows).Command1Click();
        EXPECT_EQ(windows.calls, (Calls{{"show", c.editor}, {"unload", WindowId::Form1}}));
        windows.calls.clear();
        Form1(state, windows).FormUnload();  // closing with no media picker open: as Exit
        EXPECT_EQ(windows.calls, (Calls{{"show", c.editor}, {"unload", WindowId::Form1}}));
    }

    state.Selection.PageKind = PageType::Home;
    windows.calls.clear();
    Form1 form(state, windows);
    form.Command2Click();
    form.FormUnload();  // the theme picker is open: just close
    EXPECT_EQ(windows.calls, (Calls{{"show", WindowId::FormMedia},
                                    {"unload", WindowId::Form1},
                                    {"unload", WindowId::Form1}}));
    windows.calls.clear();
    Form1(state, windows).Command4Click();
    EXPECT_EQ(windows.calls, (Calls{{"show", WindowId::FormMedia2}, {"unload", WindowId::Form1}}));
}

TEST_F(Form1Test, PreviewGeneratesThePageAndReportsAPageThatCannotBeWritten) {
    ProductRecord product;
    product.ProductName = "Tea";
    state.files.writeProduct(3, product);
    state.Selection.PageKind = PageType::Product;
    state.Selection.CurrentRecord = 3;
    Form1 form(state, windows);
    form.Combo1Click(0, 5);
    form.Command3Click();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].first, "C:\\Tarvomen\\test.html");
    EXPECT_NE(testing::readFile(temp / "Tarvomen/test.html").find("<BODY BGColor=\"#FF0000\""),
              std::string::npos);
    EXPECT_EQ(state.Selection.CurrentRecord, 3);
    EXPECT_EQ(state.CurrentStyle, storedStyle(3));

    // A folder in the way of the page: the user is told, nothing is opened.
    std::filesystem::remove(temp / "Tarvomen/test.html");
    std::filesystem::create_directories(temp / "Tarvomen/test.html/in the way");
    form.Command3Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("test.html"), std::string::npos);
    EXPECT_EQ(messages.shown[0].title, "Tarvomen");
    EXPECT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(state.Selection.PageKind, PageType::Product);
    EXPECT_EQ(state.Selection.CurrentRecord, 3);
}

// Media that could not be copied are named in a message box, with the pages that show them;
// the page is opened all the same.
TEST_F(Form1Test, PreviewTellsOfMediaNotCopied) {
    ProductRecord product;
    product.ProductName = "Tea";
    product.ProductImage = "C:\\Pictures\\gone.jpg";
    state.files.writeProduct(3, product);
    state.Selection.PageKind = PageType::Product;
    state.Selection.CurrentRecord = 3;
    Form1(state, windows).Command3Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Tarvomen");
    EXPECT_NE(messages.shown[0].text.find("could not be copied"), std::string::npos);
    EXPECT_NE(
        messages.shown[0].text.find(
            "C:\\Pictures\\gone.jpg (No such file or directory), used by C:\\Tarvomen\\test.html"),
        std::string::npos)
        << messages.shown[0].text;
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].first, "C:\\Tarvomen\\test.html");
}

}  // namespace
}  // namespace tarvomen::styles
