// The product editor's own controls: "Link To:", Copy Style and Kill Detail.
#include <functional>

#include "editor_fixture.hpp"

namespace tarvomen::editors {
namespace {

class DetailTest : public EditorTest {
  protected:
    std::string styleBytes(int n) {
        return styleFile().substr(static_cast<std::size_t>(n - 1) * StyleRecord::kLength,
                                  StyleRecord::kLength);
    }
    StyleRecord styledProduct() {
        StyleRecord style;
        style.RecordNo = 7;
        style.StyleIndex = {0, 14, 2, 5, 7, 1, 2, 0, 1, 3};
        style.BackgroundFile = "BACKGD01.GIF";
        style.MediaFolder = "C:\\Program Files\\Tarvomen\\TMedia\\THEME1";
        style.LinkToProfile = -1;
        return style;
    }
    std::unique_ptr<FormDetail> detail = open<FormDetail>();
};

TEST_F(DetailTest, LinkToChoiceIsWrittenAtOnce) {
    state.files.writeStyle(3, styledProduct());
    detail->ListClick(0, 2);
    EXPECT_TRUE(detail->Option1Value);
    EXPECT_TRUE(detail->Frame1Visible);

    detail->OptionClick(2);
    EXPECT_EQ(styleBytes(3).substr(467), std::string("\0\0", 2));
    EXPECT_TRUE(detail->Option2Value && !detail->Option1Value);
    detail->OptionClick(1);
    EXPECT_EQ(styleBytes(3).substr(467), "\xFF\xFF");
    EXPECT_EQ(state.files.readStyle(3).MediaFolder, styledProduct().MediaFolder);
    EXPECT_TRUE(messages.shown.empty()) << "no question";
    EXPECT_TRUE(state.files.readProduct(3) == ProductRecord{}) << "the product is not saved";
}

TEST_F(DetailTest, CopyStyleGivesEveryProductTheSelectedStyle) {
    state.files.writeStyle(2, styledProduct());
    detail->ListClick(0, 1);
    messages.answer(Answer::No);
    detail->Command3Click();
    EXPECT_EQ(state.files.readStyle(5), StyleRecord{});

    messages.answer(Answer::Yes);
    detail->Command3Click();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].title, "Tarvomen COPY STYLE");
    EXPECT_EQ(messages.shown[1].text, "Apply this records Color and Media to ALL DETAILS. ");
    const std::string first = styleBytes(1).substr(4);
    for (int n = 1; n <= 30; ++n) EXPECT_EQ(styleBytes(n).substr(4), first) << n;
    const StyleRecord copied = state.files.readStyle(30);
    EXPECT_EQ(copied.MediaFolder, styledProduct().MediaFolder);
    EXPECT_EQ(copied.LinkToProfile, -1);
    EXPECT_EQ(copied.LinkColor.raw(), "#FFFFFF");
}

TEST_F(DetailTest, KillDetailEmptiesTheProductAndItsMedia) {
    ProductRecord nine;
    nine.ProductName = "Old lamp";
    nine.QuantityPerUnit = 4;
    nine.UnitPrice = Currency{990000};
    nine.BodyText = "Bright";
    state.files.writeProduct(9, nine);
    state.files.writeStyle(9, styledProduct());
    detail->ListClick(0, 8);
    messages.answer(Answer::Yes);
    detail->Command4Click();

    ASSERT_EQ(messages.shown.size(), 1u) << "no save question, no media warning";
    EXPECT_EQ(messages.shown[0].text, "CLEAR DETAIL (of all data)?");
    EXPECT_EQ(messages.shown[0].title, "Tarvomen COPY STYLE");
    ProductRecord empty;
    empty.RecordNo = 8;
    EXPECT_EQ(state.files.readProduct(9), empty);
    const StyleRecord style = state.files.readStyle(9);
    EXPECT_TRUE(style.BackgroundFile.blank() && style.MediaFolder.blank());
    EXPECT_EQ(style.StyleIndex, styledProduct().StyleIndex);
    EXPECT_EQ(style.LinkToProfile, -1);
    EXPECT_FALSE(state.KillDetail);
    EXPECT_EQ(detail->List1.lines[8], "9" + std::string(40, ' '));
    EXPECT_EQ(detail->List1.selected, 8) << "the emptied product stays selected";
    EXPECT_EQ(detail->Label3.caption, "Detail  Updated o.k.!");
}

// After "Continue" no product is selected: the product buttons refuse instead of writing the
// product last loaded.
TEST_F(DetailTest, ProductButtonsRefuseWithoutASelectedProduct) {
    state.files.writeStyle(4, styledProduct());
    detail->ListClick(0, 3);
    detail->Text1Click(1);
    messages.answer(Answer::Yes);
    detail->Command2Click();
    ASSERT_FALSE(detail->List1.selected);
    ASSERT_TRUE(detail->Command3.visible && detail->Command4.visible && detail->Frame1Visible);
    const std::string products = productFile();
    const std::string styles = styleFile();

    const std::function<void()> buttons[] = {[&] { detail->Command4Click(); },
                                             [&] { detail->Command3Click(); },
                                             [&] { detail->OptionClick(2); }};
    for (const auto& click : buttons) {
        messages.shown.clear();
        messages.answer(Answer::Yes);
        click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].buttons, MessageBox::Buttons::Ok);
        EXPECT_NE(messages.shown[0].text.find("no product is selected"), std::string::npos);
    }
    EXPECT_EQ(productFile(), products);
    EXPECT_EQ(styleFile(), styles);
    EXPECT_TRUE(detail->Option1Value);
}

}  // namespace
}  // namespace tarvomen::editors
