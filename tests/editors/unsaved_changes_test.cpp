// Leaving a record whose boxes differ from what was loaded: the question, and what each answer
// does to the file and the editor.
#include "editor_fixture.hpp"

namespace tarvomen::editors {
namespace {

class UnsavedChangesTest : public EditorTest {
  protected:
    UnsavedChangesTest() {
        ProductRecord teapot;
        teapot.ProductName = "Teapot";
        state.files.writeProduct(3, teapot);
    }

    bool unloaded(WindowId window) const {
        return std::find(windows.calls.begin(), windows.calls.end(),
                         std::make_pair(std::string("unload"), window)) != windows.calls.end();
    }
};

TEST_F(UnsavedChangesTest, ContinueIsOfferedAsSoonAsABoxDiffers) {
    auto detail = open<FormDetail>();
    detail->ListClick(0, 2);
    EXPECT_EQ(detail->Command2.caption, "Styles");
    detail->Text1Change(0, "Teapot");
    EXPECT_EQ(detail->Command2.caption, "Styles") << "the same value is no change";
    detail->Text1Change(0, "Teapots");
    EXPECT_EQ(detail->Command2.caption, "Continue") << "typing straight after the list click";

    auto link = open<FormLink>();
    link->ListClick(1, 0);
    link->RTB1Change("News");
    EXPECT_EQ(link->Command2.caption, "Continue");
}

TEST_F(UnsavedChangesTest, LeavingWithoutChangesAsksNothing) {
    auto detail = open<FormDetail>();
    detail->ListClick(0, 2);
    detail->Text1Click(3);  // "Continue" without a change
    detail->ListClick(0, 4);
    EXPECT_TRUE(detail->Command1Click());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(unloaded(WindowId::FormDetail));
}

// Exit, the close box and Escape all come to Command1Click.
TEST_F(UnsavedChangesTest, ExitAsksAndEachAnswerDoesItsPart) {
    struct Case {
        Answer answer;
        bool closes;
        std::string storedName;
    };
    const Case cases[] = {
        {Answer::Yes, true, "Teapot, blue"},
        {Answer::No, true, "Teapot"},
        {Answer::Cancel, false, "Teapot"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        ProductRecord teapot;
        teapot.ProductName = "Teapot";
        state.files.writeProduct(3, teapot);
        windows.calls.clear();
        messages.shown.clear();
        auto detail = open<FormDetail>();
        detail->ListClick(0, 2);
        detail->Text1Change(0, "Teapot, blue");
        messages.answer(c.answer);
        EXPECT_EQ(detail->Command1Click(), c.closes);

        ASSERT_EQ(messages.shown.size(), 1u) << "Yes saves without the save question";
        EXPECT_EQ(messages.shown[0].text, "Save the changes to product 3 \"Teapot\"?");
        EXPECT_EQ(messages.shown[0].title, "Tarvomen");
        EXPECT_EQ(messages.shown[0].buttons, MessageBox::Buttons::YesNoCancel);
        EXPECT_EQ(messages.shown[0].defaultButton, Answer::Cancel);
        EXPECT_EQ(state.files.readProduct(3).ProductName.trimmed(), c.storedName);
        EXPECT_EQ(unloaded(WindowId::FormDetail), c.closes);
        if (!c.closes) {
            EXPECT_EQ(detail->Text1[0].text, "Teapot, blue") << "Cancel keeps the typing";
            EXPECT_TRUE(detail->hasUnsavedChanges());
        }
    }
}

TEST_F(UnsavedChangesTest, ClickingAnotherLineAsksFirst) {
    auto detail = open<FormDetail>();
    detail->ListClick(0, 2);
    detail->Text1Change(3, "2.5");

    messages.answer(Answer::Cancel);
    detail->ListClick(0, 5);
    EXPECT_EQ(detail->List1.selected, 2);
    EXPECT_EQ(detail->Text1[3].text, "2.5");
    EXPECT_EQ(state.Selection.CurrentRecord, 3);

    messages.answer(Answer::Yes);
    detail->ListClick(0, 5);
    EXPECT_EQ(state.files.readProduct(3).UnitPrice, Currency{25000});
    EXPECT_EQ(detail->List1.selected, 5);
    EXPECT_EQ(detail->Text1[3].text, "0") << "product 6 is shown";
    EXPECT_FALSE(detail->hasUnsavedChanges());

    detail->Text1Change(0, "Cup");
    messages.answer(Answer::No);
    detail->ListClick(0, 2);
    EXPECT_TRUE(state.files.readProduct(6).ProductName.blank());
    EXPECT_EQ(detail->Text1[0].text, "Teapot");
    EXPECT_EQ(messages.shown.size(), 3u);
}

// Yes saves as Continue does: a value the record does not take is refused and the editor stays.
TEST_F(UnsavedChangesTest, AnsweringYesWithARefusedValueStays) {
    const std::string before = productFile();
    auto detail = open<FormDetail>();
    detail->ListClick(0, 2);
    detail->Text1Change(2, "two");
    messages.answer(Answer::Yes);
    EXPECT_FALSE(detail->Command1Click());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              "The quantity per unit \"two\" is not a number. Nothing was saved.");
    EXPECT_EQ(productFile(), before);
    EXPECT_FALSE(unloaded(WindowId::FormDetail));
    EXPECT_EQ(detail->Text1[2].text, "two");
    EXPECT_EQ(detail->takeFocusRequest(), ControlRef::box(2));
}

TEST_F(UnsavedChangesTest, ProfileAndLinkPagesAskToo) {
    PageRecord page;
    page.DomainName = "shop.example";
    page.Link3 = "Archive";
    state.files.writePage(1, page);

    auto profile = open<FormProfile>();
    profile->ListClick(0, 0);
    profile->RTB1Change("Welcome");
    messages.answer(Answer::Yes);
    EXPECT_TRUE(profile->Command1Click());
    EXPECT_EQ(messages.shown.back().text, "Save the changes to the profile \"shop.example\"?");
    EXPECT_EQ(state.files.readPage(1).BodyText.trimmed(), "Welcome");

    // After a save answered No the typing is still not in the file.
    profile = open<FormProfile>();
    profile->ListClick(0, 0);
    profile->Text1Change(1, "Title");
    messages.answer(Answer::No);
    profile->Command2Click();
    EXPECT_TRUE(profile->hasUnsavedChanges());

    state.LangInd = 200;
    auto link = open<FormLink>();
    link->ListClick(1, 0);
    link->Text1Change(1, "Old things");
    messages.answer(Answer::Yes);
    EXPECT_TRUE(link->Command1Click());
    EXPECT_EQ(messages.shown.back().text,
              "Enregistrer les modifications de la page de lien 2 « Archive » ?");
    EXPECT_EQ(state.files.readPage(1).LinkHeading[1].trimmed(), "Old things");
}

}  // namespace
}  // namespace tarvomen::editors
