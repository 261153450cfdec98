#include "store/style_ops.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/fakes.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen {
namespace {

using testing::readFile;

class StyleOpsTest : public ::testing::Test, public testing::DriveFixture {
  protected:
    StyleOpsTest() {
        openRecords();
        FillColorText(state);
    }
    std::string styleBytes(int recordNo) {
        return readFile(programFile("Qvmp.txt")).substr((recordNo - 1) * 469, 469);
    }
};

TEST_F(StyleOpsTest, MediaKeyFollowsThePageSelection) {
    struct {
        PageType kind;
        std::int16_t linkNo;
        std::int32_t record, key;
    } cases[] = {{PageType::Link, 3, 1, 113},
                 {PageType::Link, 2, 1, 112},
                 {PageType::Home, 0, 1, 101},
                 {PageType::Product, 0, 7, 7}};
    for (const auto& c : cases) {
        state.Selection.PageKind = c.kind;
        state.Selection.LinkNo = c.linkNo;
        state.Selection.CurrentRecord = c.record;
        EXPECT_EQ(GetMediaKey(state), c.key);
        EXPECT_EQ(state.MediaKey, c.key);
    }
}

// Selection and style record number, both ways; other numbers select nothing.
TEST(PageSelectionTest, StyleRecordNumbers) {
    struct {
        PageSelection page;
        std::int32_t recordNo;
    } cases[] = {{PageSelection::ProductPage(1), 1},
                 {PageSelection::ProductPage(30), 30},
                 {PageSelection::HomePage(), 101},
                 {PageSelection::LinkPage(2), 112},
                 {PageSelection::LinkPage(3), 113}};
    for (const auto& c : cases) {
        EXPECT_EQ(StyleRecordNo(c.page), c.recordNo);
        EXPECT_EQ(SelectionOfStyleRecord(c.recordNo), c.page) << c.recordNo;
    }
    EXPECT_EQ(StyleRecordNo({static_cast<PageType>(3), 1}), std::nullopt);
    for (const std::int32_t none : {0, 31, 100, 102, 111, 114}) {
        EXPECT_EQ(SelectionOfStyleRecord(none), std::nullopt) << none;
    }
}

// The guard puts the whole selection back, also when the scope is left by an exception.
TEST(PageSelectionTest, GuardRestoresTheSelection) {
    PageSelection selection = PageSelection::LinkPage(3);
    try {
        const SelectionGuard guard(selection);
        selection = PageSelection::ProductPage(4);
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(selection, PageSelection::LinkPage(3));
}

TEST_F(StyleOpsTest, PutMediaParmDerivesTheTextsFromThePositions) {
    EXPECT_EQ(state.ColorCodes[1].name, "Grey");
    EXPECT_EQ(state.ColorCodes[13].code, "#008080");
    state.Selection.PageKind = PageType::Home;
    state.Selection.CurrentRecord = 1;
    state.CurrentStyle.StyleIndex = {0, 14, 2, 5, 7, 3, 2, 0, 9, 1};
    state.CurrentStyle.ScreenColor = "#123456";  // ignored: derived from StyleIndex
    state.CurrentStyle.BackgroundFile = "BACKGD01.GIF";
    PutMediaParm(state);
    const StyleRecord stored = state.files.readStyle(101);
    EXPECT_EQ(stored.ScreenColor.raw(), "#000000");
    EXPECT_EQ(stored.LinkColor.raw(), "#FFFFFF");
    EXPECT_EQ(stored.ActiveLinkColor.raw(), "#0000FF");
    EXPECT_EQ(stored.BoxColor.raw(), "#FF0000");
    EXPECT_EQ(stored.BoxTextColor.raw(), "#FFFF00");
    EXPECT_EQ(stored.BoxFont.trimmed(), "Verdana");
    EXPECT_EQ(stored.BoxTextSize.raw(), "3");
    EXPECT_EQ(stored.TextColor.raw(), "#000000");
    EXPECT_EQ(stored.TextSize.raw(), "1");  // position 9 gives "10", cut to one character
    EXPECT_EQ(stored.TextFont.trimmed(), "Courier New");
    EXPECT_EQ(stored.BackgroundFile.trimmed(), "BACKGD01.GIF");
}

TEST_F(StyleOpsTest, CleanMediaBlanksOnlyTheMedia) {
    state.Selection.PageKind = PageType::Product;
    state.Selection.CurrentRecord = 4;
    state.CurrentStyle.StyleIndex = {1, 2, 3, 4, 5, 0, 1, 2, 3, 1};
    state.CurrentStyle.VideoFile = "VIDEO01.AVI";
    state.CurrentStyle.MediaFolder = "C:\\Program Files\\Tarvomen\\TMedia\\Sea\\";
    state.CurrentStyle.LinkToProfile = -1;
    PutMediaParm(state);
    const std::string before = styleBytes(4);
    DoCleanMedia(state);
    const std::string after = styleBytes(4);
    EXPECT_EQ(after.substr(0, 128), before.substr(0, 128));
    EXPECT_EQ(after.substr(128, 339), std::string(339, ' '));
    EXPECT_EQ(after.substr(467), before.substr(467));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Will overwrite old Media Parms");
    EXPECT_EQ(messages.shown[0].title, "Tarvomen MediaPick");

    state.KillDetail = true;
    DoCleanMedia(state);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(StyleOpsTest, CopyStyleWritesThirtyIdenticalRecords) {
    state.Selection.PageKind = PageType::Product;
    state.Selection.CurrentRecord = 2;
    state.CurrentStyle.StyleIndex = {3, 4, 5, 6, 7, 2, 3, 4, 5, 3};
    state.CurrentStyle.BannerFile = "BANNER01.JPG";
    state.CurrentStyle.RecordNo = 9;
    PutMediaParm(state);
    state.CurrentStyle = StyleRecord{};
    CopyStyleToAllProducts(state);
    const std::string first = styleBytes(1);
    EXPECT_EQ(first.substr(0, 4), std::string(4, '\0'));
    for (int n = 2; n <= 30; ++n) EXPECT_EQ(styleBytes(n), first) << n;
    EXPECT_EQ(state.files.readStyle(17).BannerFile.trimmed(), "BANNER01.JPG");
}

}  // namespace
}  // namespace tarvomen
