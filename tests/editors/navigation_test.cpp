// Moving through an editor: form load, list clicks, box clicks, Enter, Styles and Exit.
#include <functional>
#include <vector>

#include "editor_fixture.hpp"
#include "store/style_ops.hpp"

namespace tarvomen::editors {
namespace {

using Kind = ControlRef::Kind;

struct Opened {
    std::unique_ptr<FieldListEditor> form;
    const char* name;
};

class NavigationTest : public EditorTest {
  protected:
    // Each editor opened with its first record line clicked (List2 for the link editor).
    std::vector<Opened> allShown() {
        std::vector<Opened> forms;
        forms.push_back({open<FormProfile>(), "profile"});
        forms.push_back({open<FormDetail>(), "detail"});
        forms.push_back({open<FormLink>(), "link"});
        forms[0].form->ListClick(0, 0);
        forms[1].form->ListClick(0, 2);
        forms[2].form->ListClick(1, 0);
        return forms;
    }
};

TEST_F(NavigationTest, FormLoadShowsTheListAndTheWelcomeTextInTheChosenLanguage) {
    auto detail = open<FormDetail>();
    EXPECT_EQ(detail->List1.lines.size(), 30u);
    EXPECT_TRUE(detail->List1.visible);
    for (const EntryBox& box : detail->Text1)
        EXPECT_FALSE(box.visible || box.enabled || box.tabStop);
    EXPECT_FALSE(detail->RTB1.visible);
    EXPECT_FALSE(detail->Command2.visible);
    EXPECT_FALSE(detail->Frame1Visible || detail->Command3.visible || detail->Command4.visible);
    EXPECT_EQ(detail->Label3.caption,
              "Welcome to Tarvomen Detail...This is where you register your Documents or "
              "Products.\nYou can manage up to 30 PRODUCTS using the TARVOMEN Detail.\nStart by "
              "CLICKING a Detail line, entering some details and pressing ENTER! \n");
    EXPECT_EQ(drive.currentDirectory(), "C:\\Program Files\\Tarvomen");

    state.LangInd = 200;
    auto french = open<FormDetail>();
    EXPECT_EQ(french->Command1.caption, "Quitter");
    EXPECT_EQ(french->Command2.caption, "Styles");
    EXPECT_EQ(french->Command3.caption, "Copier Style");
    EXPECT_EQ(french->Label1.caption,
              "Commencer par cliquer sur DETAIL, inscrire des détails et taper  ENTREE!");
    french->ListClick(0, 0);
    french->Text1Click(1);
    EXPECT_EQ(french->Command2.caption, "Continuer");
}

// Enter walks through the boxes in order into the body text box, where the profile and
// product editors stay and the link editor returns to box 0.
TEST_F(NavigationTest, EnterWalksFromBoxToBoxIntoTheBody) {
    for (auto& [form, formName] : allShown()) {
        SCOPED_TRACE(formName);
        ASSERT_EQ(form->takeFocusRequest(), ControlRef::box(0));
        form->RTB1Change("text");
        std::vector<ControlRef> walk;
        ControlRef focus = ControlRef::box(0);
        const int boxes = static_cast<int>(form->Text1.size());
        for (int step = 0; step < boxes + 1; ++step) {
            form->EnterKeyPress(focus);
            focus = form->takeFocusRequest().value_or(ControlRef{});
            walk.push_back(focus);
        }
        for (int box = 1; box < boxes; ++box) EXPECT_EQ(walk[box - 1], ControlRef::box(box));
        EXPECT_EQ(walk[boxes - 1], ControlRef::body());
        EXPECT_EQ(walk[boxes],
                  form->window() == WindowId::FormLink ? ControlRef::box(0) : ControlRef::body());
        EXPECT_EQ(form->RTB1.text, "text") << "Enter never reaches the body text";
        EXPECT_EQ(form->Command2.caption, "Continue");
        EXPECT_FALSE(form->List1.visible);
    }
}

TEST_F(NavigationTest, EnterIntoTheBodyShowsItsHelpAndEditMenu) {
    struct Case {
        std::function<std::unique_ptr<FieldListEditor>()> make;
        int lastBox;
        ControlRef level;
        const char* caption;
        bool besideBox9;
    };
    const Case cases[] = {
        {[&] { return open<FormProfile>(); }, 18, ControlRef::box(6),
         "Enter up to 3000 characters of supporting TEXT about this product!\n", true},
        {[&] { return open<FormDetail>(); }, 6, ControlRef::body(),
         "Enter up to 3000 characters of supporting TEXT about this product!\n", false},
        {[&] { return open<FormLink>(); }, 4, ControlRef::body(),
         "Enter up to 3000 characters of supporting TEXT about this LINK!\n", false},
    };
    for (const Case& c : cases) {
        auto form = c.make();
        form->ListClick(0, 0);
        form->EnterKeyPress(ControlRef::box(c.lastBox));
        EXPECT_EQ(form->takeFocusRequest(), ControlRef::body());
        EXPECT_EQ(form->Label1.level, c.level);
        EXPECT_EQ(form->Label1.caption, c.caption);
        EXPECT_TRUE(form->mnuEdit.visible);
        EXPECT_TRUE(form->richTextMode);
        EXPECT_FALSE(form->Picture1.visible);
        EXPECT_EQ(form->RTB1.besideBox9, c.besideBox9);
    }
}

TEST_F(NavigationTest, EnterFromTheListGoesToTheBodyOnlyWhenItIsShown) {
    auto detail = open<FormDetail>();
    detail->EnterKeyPress({Kind::List1, 0});
    EXPECT_FALSE(detail->takeFocusRequest()) << "list mode: nothing to enter";
    detail->ListClick(0, 0);
    detail->takeFocusRequest();
    detail->EnterKeyPress({Kind::List1, 0});
    EXPECT_EQ(detail->takeFocusRequest(), ControlRef::body());
}

TEST_F(NavigationTest, HelpCaptionsFollowTheBoxBeingEdited) {
    auto profile = open<FormProfile>();
    auto detail = open<FormDetail>();
    auto link = open<FormLink>();
    struct Case {
        FieldListEditor* form;
        std::function<void()> action;
        int box;
        const char* caption;
    };
    const Case cases[] = {
        {profile.get(), [&] { profile->ListClick(0, 0); }, 0,
         "Enter the DOMAINE NAME of your WebSite(MyWebSite.Com for example!)\n Length is 50"},
        {profile.get(), [&] { profile->Text1Click(6); }, 6,
         "Enter a CITY or Town - This will appear with your coordinates!\n Length is 24"},
        {profile.get(), [&] { profile->EnterKeyPress(ControlRef::box(16)); }, 17,
         "Either $ or E..."},
        {profile.get(), [&] { profile->Text1Click(18); }, 18, "Either U.S. or Euro..."},
        {detail.get(), [&] { detail->ListClick(0, 0); }, 0,
         "Enter a PRODUCT NAME!\n Press Return\nLength 30"},
        {detail.get(), [&] { detail->Text1Click(3); }, 3,
         "Enter the UNIT PRICE for this product!\nPress RETURN\n Length is 10"},
        {detail.get(), [&] { detail->EnterKeyPress(ControlRef::box(1)); }, 2,
         "Enter the QUANTITY PER UNIT for this product!\n Press RETURN\n Length is 4"},
        {link.get(), [&] { link->ListClick(1, 0); }, 0, "Enter a LINK TITLE!\n Press Return\n50"},
        {link.get(), [&] { link->Text1Click(4); }, 4,
         "Enter up to 400 characters of text to go with a Video\n Press RETURN\n Length is  400"},
        {link.get(), [&] { link->EnterKeyPress(ControlRef::box(0)); }, 1,
         "Enter a LINK HEADING!\n Press RETURN\n Length is 50"},
        {link.get(), [&] { link->EnterKeyPress(ControlRef::body()); }, 0,
         "Enter a LINK TITLE!\n Press RETURN\n Length is 50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        c.action();
        EXPECT_EQ(c.form->Label1.caption, c.caption);
        EXPECT_EQ(c.form->Label1.level, ControlRef::box(c.box));
    }
}

TEST_F(NavigationTest, StylesOnBoxZeroContinueOnTheOthers) {
    for (auto& [form, formName] : allShown()) {
        SCOPED_TRACE(formName);
        EXPECT_EQ(form->Command2.caption, "Styles");
        form->Text1Click(0);
        EXPECT_EQ(form->Command2.caption, "Styles");
        form->Text1Click(1);
        EXPECT_EQ(form->Command2.caption, "Continue");
        EXPECT_FALSE(form->List1.visible);
    }
}

// Styles sets the page selection, shows the style picker and hides the editor.
TEST_F(NavigationTest, StylesSelectsThePageForTheStylePicker) {
    struct Case {
        std::function<std::unique_ptr<FieldListEditor>()> make;
        int list, line;
        PageType pageKind;
        std::int32_t styleRecord;
    };
    const Case cases[] = {
        {[&] { return open<FormProfile>(); }, 0, 0, PageType::Home, 101},
        {[&] { return open<FormDetail>(); }, 0, 4, PageType::Product, 5},
        {[&] { return open<FormLink>(); }, 0, 0, PageType::Link, 112},
        {[&] { return open<FormLink>(); }, 1, 0, PageType::Link, 113},
    };
    for (const Case& c : cases) {
        auto form = c.make();
        form->ListClick(c.list, c.line);
        if (form->window() == WindowId::FormLink)
            state.Selection.CurrentRecord = 77;  // set from LinkRecordNo
        windows.calls.clear();
        form->Command2Click();
        EXPECT_EQ(state.Selection.PageKind, c.pageKind);
        EXPECT_EQ(GetMediaKey(state), c.styleRecord);
        ASSERT_EQ(windows.calls.size(), 2u);
        EXPECT_EQ(windows.calls[0], std::make_pair(std::string("show"), WindowId::Form1));
        EXPECT_EQ(windows.calls[1], std::make_pair(std::string("hide"), form->window()));
    }
}

TEST_F(NavigationTest, ExitShowsTheStartWindowAndUnloadsTheEditor) {
    auto link = open<FormLink>();
    link->Command1Click();
    ASSERT_EQ(windows.calls.size(), 2u);
    EXPECT_EQ(windows.calls[0], std::make_pair(std::string("show"), WindowId::FormStart));
    EXPECT_EQ(windows.calls[1], std::make_pair(std::string("unload"), WindowId::FormLink));
}

}  // namespace
}  // namespace tarvomen::editors
