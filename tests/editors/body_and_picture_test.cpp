// The body text box with its edit menu, and the picture picker.
#include <optional>

#include "editor_fixture.hpp"

namespace tarvomen::editors {
namespace {

class BodyTest : public EditorTest {
  protected:
    BodyTest() {
        detail->ListClick(0, 0);
        detail->RTB1MouseDown(false);
    }
    std::unique_ptr<FormDetail> detail = open<FormDetail>();
};

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST_F(BodyTest, PasteInsertsAtMostThreeThousandCharactersAtTheCaret) {
    struct Case {
        const char* what;
        std::string body;
        int selStart, selLength;
        std::string clipboard;
        std::string expected;
        int caret;
    };
    const Case cases[] = {
        {"5000 characters into an empty box", "", 0, 0, std::string(5000, 'x'),
         std::string(3000, 'x'), 3000},
        {"characters, not bytes", "", 0, 0, repeat("\u00e9", 5000), repeat("\u00e9", 3000), 3000},
        {"replaces the selection", "12345", 1, 2, "xy", "1xy45", 3},
        {"only as much as the box has room for", std::string(2990, 'a'), 5, 0,
         std::string(5000, 'x'),
         std::string(5, 'a') + std::string(10, 'x') + std::string(2985, 'a'), 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(detail->RTB1Change(c.body));
        detail->RTB1SelChange(c.selStart, c.selLength);
        clipboard.contents = c.clipboard;
        detail->MenuCollerClick();
        EXPECT_EQ(detail->RTB1.text, c.expected);
        EXPECT_EQ(detail->RTB1.selStart, c.caret);
        EXPECT_EQ(detail->RTB1.selLength, 0);
    }
    EXPECT_FALSE(detail->RTB1Change(std::string(3001, 'y'))) << "typing stops at the limit";
}

TEST_F(BodyTest, CutCopyAndSelectAllWorkOnTheBodyAndTheClipboard) {
    detail->RTB1Change("caf\u00e9 au lait");
    detail->RTB1SelChange(0, 4);
    detail->MenuCopierClick();
    EXPECT_EQ(clipboard.contents, "caf\u00e9");
    EXPECT_EQ(detail->RTB1.text, "caf\u00e9 au lait");
    detail->RTB1SelChange(4, 3);
    detail->MenuCouperClick();
    EXPECT_EQ(clipboard.contents, " au");
    EXPECT_EQ(detail->RTB1.text, "caf\u00e9 lait");
    detail->MenuSelectionnerToutClick();
    EXPECT_EQ(detail->RTB1.selStart, 0);
    EXPECT_EQ(detail->RTB1.selLength, 9);
}

TEST_F(BodyTest, MenuItemsAreEnabledByWhatTheyCanDo) {
    clipboard.contents.clear();
    detail->RTB1SelChange(0, 0);
    EXPECT_FALSE(detail->mnuEdit.couper || detail->mnuEdit.copier || detail->mnuEdit.coller ||
                 detail->mnuEdit.selectionnerTout);
    detail->RTB1Change("abc");
    clipboard.contents = "x";
    detail->RTB1SelChange(1, 1);
    EXPECT_TRUE(detail->mnuEdit.couper && detail->mnuEdit.copier && detail->mnuEdit.coller &&
                detail->mnuEdit.selectionnerTout);

    EXPECT_FALSE(detail->takePopupRequest());
    detail->RTB1MouseDown(true);
    EXPECT_TRUE(detail->takePopupRequest()) << "the right button pops up the edit menu";
}

class PictureTest : public EditorTest {};

constexpr const char* kMedia = "C:\\Program Files\\Tarvomen\\TMedia";
constexpr const char* kInside = "C:\\Program Files\\Tarvomen\\TMedia\\THEME1\\IMAGES01.GIF";

TEST_F(PictureTest, OnlyPicturesInTheMediaFolderAreAccepted) {
    struct Case {
        const char* what;
        std::string before;
        std::optional<std::string> chosen;
        std::string after;
        bool fileToOpen, refused;
    };
    const Case cases[] = {
        {"inside the media folder", "", kInside, kInside, true, false},
        {"another folder of the drive", "", "C:\\Pictures\\cat.gif", "", true, true},
        {"a host path outside the drive", "", "/home/user/cat.gif", "", true, true},
        {"the folder spelt in other letters", "", "C:\\program files\\tarvomen\\tmedia\\a.gif", "",
         true, true},
        {"cancelled on an empty box", "", std::nullopt, "", false, false},
        {"cancelled on a picture already chosen", kInside, std::nullopt, kInside, false, false},
        {"cancelled on a typed path elsewhere", "D:\\x.gif", std::nullopt, "", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto detail = open<FormDetail>();
        detail->ListClick(0, 0);
        detail->Text1Change(4, c.before);
        messages.shown.clear();
        dialog.requests.clear();
        dialog.answers = {c.chosen};
        detail->Text1Click(4);

        ASSERT_EQ(dialog.requests.size(), 1u);
        const FileDialogRequest& request = dialog.requests[0];
        EXPECT_EQ(request.title, "Tarvomen - Select a GIF or JPG Image for product DETAIL!");
        EXPECT_EQ(request.initialFolder, kMedia);
        ASSERT_EQ(request.filters.size(), 2u);
        EXPECT_EQ(request.filters[0].description, "GIF Images (*.gif)");
        EXPECT_EQ(request.filters[0].patterns, "*.gif");
        EXPECT_EQ(request.filters[1].description, "JPG Images (*.jpg)");
        EXPECT_EQ(request.filters[1].patterns, "*.jpg");

        EXPECT_EQ(detail->Text1[4].text, c.after);
        std::size_t shown = 0;
        if (c.fileToOpen) {
            ASSERT_GT(messages.shown.size(), shown);
            EXPECT_EQ(messages.shown[shown].text, "File to Open: " + *c.chosen);
            EXPECT_EQ(messages.shown[shown].title, kMedia);
            ++shown;
        }
        if (c.refused) {
            ASSERT_GT(messages.shown.size(), shown);
            EXPECT_EQ(messages.shown[shown].text,
                      "Please Select from within C:\\Program Files\\TMedia\\ OR place your media "
                      "there.");
            ++shown;
        }
        EXPECT_EQ(messages.shown.size(), shown);
        EXPECT_EQ(detail->Picture1.path == kInside && detail->Picture1.visible, c.after == kInside);
    }
}

TEST_F(PictureTest, EnterFromTheBoxBeforeOpensThePicker) {
    auto profile = open<FormProfile>();
    profile->ListClick(0, 0);
    dialog.answers = {std::nullopt};
    profile->EnterKeyPress(ControlRef::box(2));
    EXPECT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(profile->takeFocusRequest(), ControlRef::box(3));

    auto link = open<FormLink>();
    link->ListClick(0, 0);
    link->Text1Click(1);
    EXPECT_EQ(dialog.requests.size(), 1u) << "no picker on other boxes";
    link->Text1Click(2);
    EXPECT_EQ(dialog.requests.size(), 2u);
}

TEST_F(PictureTest, ProfilePreviewFollowsTheBoxClicked) {
    auto profile = open<FormProfile>();
    profile->ListClick(0, 0);
    profile->Text1Click(12);
    EXPECT_FALSE(profile->Picture1.visible);
    profile->Text1Click(2);
    EXPECT_TRUE(profile->Picture1.visible);
}

}  // namespace
}  // namespace tarvomen::editors
