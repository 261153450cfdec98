#include "styles/media_picker.hpp"

#include <gtest/gtest.h>

#include "store/style_ops.hpp"
#include "styles_fixture.hpp"

namespace tarvomen::styles {
namespace {

using testing::StylesFixture;
using Names = std::vector<std::string>;

class MediaPickerTest : public StylesFixture {
  protected:
    // The entry of the folder list that names a folder of the media folder.
    static int entryOf(const MediaPicker& picker, const std::string& name) {
        const auto& entries = picker.dir1();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].subFolder && entries[i].name == name) return static_cast<int>(i);
        }
        ADD_FAILURE() << "no folder " << name;
        return -1;
    }
    static void choose(MediaPicker& picker, const std::string& folder) {
        picker.Dir1Click(entryOf(picker, folder));
    }
    static Names shown(const MediaPicker& picker) {
        Names names;
        for (int i = 0; i < picker.ShownCount(); ++i) {
            EXPECT_TRUE(picker.option1()[static_cast<std::size_t>(i)].visible);
            names.push_back(picker.ShownFiles()[static_cast<std::size_t>(i)].trimmed());
        }
        for (int i = picker.ShownCount(); i < MediaPicker::kButtons; ++i) {
            EXPECT_FALSE(picker.option1()[static_cast<std::size_t>(i)].visible) << i;
        }
        return names;
    }
    std::string testPage() const {
        return testing::readFile(temp / "Program Files/Tarvomen/Tarvomen/AviTest.html");
    }
};

TEST_F(MediaPickerTest, ThemeFilesAreListedByTheirExactNames) {
    mediaFolder("Sea", {"BACKGD01.GIF", "BACKGD02.JPG", "backgd03.GIF", "BACKGDX.GIF",
                        "BANNER01.GIF", "HRULER1.JPG", "IMAGES01.GIF", "CONTRL01.GIF",
                        "VIDEO01.AVI", "CLIP.AVI", "SOUNDS01.AVI", "CLIP.MPG", "video02.avi",
                        "SOUND.WAV", "SOUNDS07.WAV", "MUSIC.WAV", "sound2.WAV"});
    FormMedia picker(state, windows);
    choose(picker, "Sea");
    // The folder starts with BackGround and JPG.
    EXPECT_EQ(shown(picker), (Names{"BACKGD02.JPG"}));
    EXPECT_EQ(picker.MyPat(), "BACKGD.JPG");
    EXPECT_TRUE(picker.optDisplayPicVisible());
    EXPECT_EQ(picker.optDisplayPic(), "BACKGD02.JPG");
    EXPECT_EQ(picker.label1(), "Select Media for a PROFILE Page.");

    picker.ExtensionClick(PictureExtension::Gif);
    EXPECT_EQ(shown(picker), (Names{"BACKGD01.GIF", "BACKGDX.GIF"}));
    EXPECT_EQ(picker.optDisplayPic(), "BACKGD01.GIF");

    const struct {
        MediaKind kind;
        Names expected;
    } cases[] = {
        {MediaKind::Banner, {"BANNER01.GIF"}},
        {MediaKind::Ruler, {}},
        {MediaKind::Images, {"IMAGES01.GIF"}},
        {MediaKind::Control, {"CONTRL01.GIF"}},
        {MediaKind::Sound, {"SOUND.WAV", "SOUNDS07.WAV"}},
        {MediaKind::Video, {"CLIP.AVI", "VIDEO01.AVI"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        picker.KindClick(c.kind);
        EXPECT_EQ(shown(picker), c.expected);
    }
    // Sounds and videos show their names with the symbol.
    EXPECT_EQ(picker.option1()[0].caption, "CLIP.AVI");
    EXPECT_EQ(picker.option1()[0].symbol, MediaPicker::Symbol::Video);
    // A listing without pictures says so.
    picker.KindClick(MediaKind::Ruler);
    EXPECT_EQ(picker.label1(), "No Files Found.\nSelect a GIF ?.");
}

TEST_F(MediaPickerTest, ChoosingAFolderBlanksThePagesMediaFirst) {
    mediaFolder("Sea", {"BACKGD01.JPG"});
    state.CurrentStyle.BannerFile = "BANNER09.GIF";
    state.CurrentStyle.MediaFolder = "C:\\Program Files\\Tarvomen\\TMedia\\Old\\";
    PutMediaParm(state);

    FormMedia picker(state, windows);
    EXPECT_TRUE(picker.dir1Visible());
    EXPECT_FALSE(picker.command1Visible());
    EXPECT_EQ(picker.label1(), "Select a Theme folder.");
    choose(picker, "Sea");

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Will overwrite old Media Parms");
    EXPECT_TRUE(storedStyle(101).BannerFile.blank());
    EXPECT_TRUE(storedStyle(101).MediaFolder.blank());
    EXPECT_TRUE(state.CurrentStyle.BannerFile.blank());
    EXPECT_EQ(state.CurrentStyle.MediaFolder.trimmed(),
              "C:\\Program Files\\Tarvomen\\TMedia\\Sea\\");
    EXPECT_EQ(drive.currentDirectory(), "C:\\Program Files\\Tarvomen\\TMedia\\Sea");
    EXPECT_FALSE(picker.dir1Visible());
    EXPECT_FALSE(picker.richTextBox1Visible());
    EXPECT_TRUE(picker.command1Visible());
    EXPECT_TRUE(picker.framesVisible());
}

TEST_F(MediaPickerTest, FoldersAreRefusedOutsideTheirPicker) {
    mediaFolder("MixOne", {});
    mediaFolder("MIXONE", {});
    mediaFolder("mixone", {});
    mediaFolder("Sea", {});
    const std::string themeRefusal = "Choose from THEMES folders within TMedia folder";
    const std::string mixRefusal = "Choose from MIX folders within TMedia folder";
    const struct {
        bool mix;
        std::string folder;  // empty: the media folder itself
        bool accepted;
    } cases[] = {
        {true, "MixOne", false}, {true, "MIXONE", true},  {true, "mixone", true},
        {true, "Sea", false},    {true, "", false},       {false, "MIXONE", false},
        {false, "Sea", true},    {false, "MixOne", true}, {false, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.mix ? "mix " : "theme ") + c.folder);
        messages.shown.clear();
        std::unique_ptr<MediaPicker> picker;
        if (c.mix) {
            picker = std::make_unique<FormMedia2>(state, windows);
        } else {
            picker = std::make_unique<FormMedia>(state, windows);
        }
        if (c.folder.empty()) {
            picker->Dir1Click(3);  // "TMedia", the current folder of the list
        } else {
            choose(*picker, c.folder);
        }
        EXPECT_EQ(picker->dir1Visible(), !c.accepted);
        ASSERT_EQ(messages.shown.size(), 1u);
        if (c.accepted) {
            EXPECT_EQ(messages.shown[0].title, "Tarvomen MediaPick");  // the blanking warning
        } else {
            EXPECT_EQ(messages.shown[0].text, c.mix ? mixRefusal : themeRefusal);
            EXPECT_EQ(messages.shown[0].title, c.mix ? "Tarvomen - MIX" : "Tarvomen - MEDIA");
        }
    }
}

TEST_F(MediaPickerTest, DoubleClickChoosesAndControlsAreForProductPagesOnly) {
    mediaFolder("Sea", {"BACKGD02.JPG", "CONTRL01.JPG", "SOUNDS01.WAV"});
    FormMedia picker(state, windows);
    choose(picker, "Sea");
    picker.Option1DblClick(0);
    EXPECT_EQ(picker.label1(), "Selected BACKGD02.JPG");
    EXPECT_EQ(state.CurrentStyle.BackgroundFile.raw(), "BACKGD02.JPG");
    EXPECT_TRUE(picker.displayButtons()[0].visible);
    EXPECT_EQ(picker.displayButtons()[0].file, "BACKGD02.JPG");

    messages.shown.clear();
    picker.KindClick(MediaKind::Control);
    picker.Option1DblClick(0);
    EXPECT_TRUE(state.CurrentStyle.ControlFile.blank());
    EXPECT_FALSE(picker.displayButtons()[6].visible);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Sorry Controls for DETAILS only!");
    EXPECT_EQ(messages.shown[0].title, "Tarvomen - MediaPick");

    picker.KindClick(MediaKind::Sound);
    picker.Option1DblClick(0);
    EXPECT_EQ(state.CurrentStyle.SoundFile.trimmed(), "SOUNDS01.WAV");
    EXPECT_TRUE(picker.displayButtons()[4].visible);

    state.Selection.PageKind = PageType::Product;
    state.Selection.CurrentRecord = 3;
    FormMedia product(state, windows);
    choose(product, "Sea");
    product.KindClick(MediaKind::Control);
    product.Option1DblClick(0);
    EXPECT_EQ(state.CurrentStyle.ControlFile.trimmed(), "CONTRL01.JPG");
    EXPECT_EQ(product.label1(), "Selected CONTRL01.JPG");
}

TEST_F(MediaPickerTest, ExitFromThePictureViewStoresAndClosingDoesNot) {
    mediaFolder("Sea", {"BACKGD02.JPG", "BANNER01.JPG"});
    {
        FormMedia picker(state, windows);
        choose(picker, "Sea");
        picker.Option1DblClick(0);
        picker.Command2Click();
        EXPECT_EQ(storedStyle(101).BackgroundFile.trimmed(), "BACKGD02.JPG");
        EXPECT_EQ(storedStyle(101).MediaFolder.trimmed(),
                  "C:\\Program Files\\Tarvomen\\TMedia\\Sea\\");
        EXPECT_TRUE(picker.dir1Visible());
        EXPECT_TRUE(picker.richTextBox1Visible());
        EXPECT_FALSE(picker.command1Visible());
        EXPECT_FALSE(picker.optDisplayPicVisible());
        EXPECT_EQ(picker.label1(), "Exit?");
        EXPECT_TRUE(windows.calls.empty());
        // A second Exit, from the folder view, closes the picker.
        picker.Command2Click();
        EXPECT_EQ(windows.calls,
                  (std::vector<std::pair<std::string, WindowId>>{{"show", WindowId::FormProfile},
                                                                 {"unload", WindowId::FormMedia}}));
    }

    FormMedia picker(state, windows);
    choose(picker, "Sea");
    picker.KindClick(MediaKind::Banner);
    picker.Option1DblClick(0);
    picker.FormUnload();
    EXPECT_TRUE(storedStyle(101).BannerFile.blank());
    EXPECT_EQ(state.CurrentStyle.BannerFile.trimmed(), "BANNER01.JPG");
}

TEST_F(MediaPickerTest, PreviewStoresTheChoicesAndShowsThePageWithThem) {
    mediaFolder("Sea", {"BACKGD02.JPG"});
    ProductRecord product;
    product.ProductName = "Tea";
    state.files.writeProduct(3, product);
    state.Selection.PageKind = PageType::Product;
    state.Selection.CurrentRecord = 3;
    FormMedia picker(state, windows);
    choose(picker, "Sea");
    picker.Option1DblClick(0);
    picker.Command1Click();

    EXPECT_EQ(storedStyle(3).BackgroundFile.trimmed(), "BACKGD02.JPG");
    EXPECT_NE(
        testing::readFile(temp / "Tarvomen/test.html").find("BACKGROUND=/Tarvomen/Data/0.JPG>"),
        std::string::npos);
    EXPECT_EQ(testing::readFile(temp / "Tarvomen/Data/0.JPG"), "BACKGD02.JPG");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].first, "C:\\Tarvomen\\test.html");
    EXPECT_EQ(state.CurrentStyle.MediaFolder.trimmed(),
              "C:\\Program Files\\Tarvomen\\TMedia\\Sea\\");
    EXPECT_EQ(drive.currentDirectory(), "C:\\Program Files\\Tarvomen\\TMedia\\Sea");
}

TEST_F(MediaPickerTest, AThemeWithoutTheStartingPicturesListsNothingUntilChosenAgain) {
    mediaFolder("Sea", {"BACKGD01.GIF", "SOUNDS01.WAV"});
    FormMedia picker(state, windows);
    choose(picker, "Sea");
    EXPECT_EQ(picker.label1(), "No Files Found.\nSelect a GIF ?.");
    EXPECT_FALSE(picker.optDisplayPicVisible());
    picker.ExtensionClick(PictureExtension::Gif);
    EXPECT_EQ(shown(picker), Names{});
    picker.KindClick(MediaKind::Sound);
    EXPECT_EQ(shown(picker), Names{});
    EXPECT_EQ(picker.label1(), "Sound Files");

    picker.Command2Click();
    choose(picker, "Sea");
    EXPECT_EQ(picker.kind(), MediaKind::BackGround);
    EXPECT_EQ(picker.extension(), PictureExtension::Jpg);
    EXPECT_EQ(picker.label1(), "No Files Found.\nSelect a GIF ?.");
}

TEST_F(MediaPickerTest, MixFilesAreListedByTheirEndings) {
    mediaFolder("MIXONE", {"a.gif", "B.JPG", "c.png", "CLIP.MPG", "d.Gif", "e.wav", "f.avi"});
    FormMedia2 picker(state, windows);
    EXPECT_EQ(picker.label1(), "Select a MIX folder.");
    choose(picker, "MIXONE");
    EXPECT_EQ(shown(picker), (Names{"a.gif", "B.JPG"}));
    EXPECT_FALSE(picker.optDisplayPicVisible());
    EXPECT_EQ(picker.optDisplayPic(), "a.gif");

    // Before a picture has been clicked a change of kind only empties the buttons.
    picker.KindClick(MediaKind::Sound);
    EXPECT_EQ(shown(picker), Names{});

    picker.KindClick(MediaKind::BackGround);
    picker.Command2Click();  // back to the folder view, then the same folder again
    choose(picker, "MIXONE");
    picker.Option1Click(1);
    EXPECT_TRUE(picker.optDisplayPicVisible());
    EXPECT_EQ(picker.optDisplayPic(), "B.JPG");
    EXPECT_EQ(picker.label1(), "DoubleClick to Select B.JPG       ");

    const struct {
        MediaKind kind;
        PictureExtension extension;
        Names expected;
    } cases[] = {
        {MediaKind::Banner, PictureExtension::Gif, {"a.gif", "B.JPG"}},
        {MediaKind::Control, PictureExtension::Jpg, {"a.gif", "B.JPG"}},
        {MediaKind::Sound, PictureExtension::Jpg, {"e.wav"}},
        {MediaKind::Video, PictureExtension::Jpg, {"CLIP.MPG", "f.avi"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        picker.ExtensionClick(c.extension);
        picker.KindClick(c.kind);
        EXPECT_EQ(shown(picker), c.expected);
    }
    picker.Option1DblClick(0);
    EXPECT_EQ(state.CurrentStyle.VideoFile.trimmed(), "CLIP.MPG");
    EXPECT_TRUE(picker.displayButtons()[5].visible);
}

TEST_F(MediaPickerTest, ListsAreLimitedToFourteenButtonsAnd98Files) {
    std::vector<std::string> files;
    for (int i = 0; i < 120; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "P%03d.GIF", i);
        files.push_back(name);
    }
    std::filesystem::create_directories(temp / "Program Files/Tarvomen/TMedia/MIXBIG");
    for (const auto& file : files) {
        testing::writeFile(temp / ("Program Files/Tarvomen/TMedia/MIXBIG/" + file), "x");
    }
    FormMedia2 picker(state, windows);
    choose(picker, "MIXBIG");
    EXPECT_EQ(picker.FileNames().size(), 98u);
    EXPECT_EQ(picker.FileNames().back().trimmed(), "P097.GIF");
    EXPECT_EQ(shown(picker), Names(files.begin(), files.begin() + 14));
}

TEST_F(MediaPickerTest, ClickingASoundOrVideoPlaysItInTheTestPage) {
    mediaFolder("Sea", {"BACKGD01.JPG", "SOUNDS01.WAV", "SOUNDS02.WAV", "VIDEO01.AVI"});
    mediaFolder("MIXONE", {"a.gif", "SOUNDS01.WAV"});
    const std::string folder = "C:\\Program Files\\Tarvomen\\TMedia\\Sea\\";
    FormMedia picker(state, windows);
    choose(picker, "Sea");
    picker.KindClick(MediaKind::Sound);
    picker.Option1Click(0);
    picker.Option1Click(1);
    EXPECT_EQ(picker.label1(), "Remember to Click Refresh on the Browser toolbar!");
    EXPECT_EQ(picker.AviTestFile(), "SOUNDS02.WAV");
    const std::string page = testPage();
    EXPECT_NE(page.find("<BGSOUND LOOP=3 SRC=\"" + folder + "SOUNDS02.WAV\">\n\r\n"),
              std::string::npos);
    EXPECT_EQ(page.find("SOUNDS01"), std::string::npos);  // only the second click's page
    EXPECT_NE(page.find(" VLink(m)=#0000ff>"), std::string::npos);
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1].first, "C:\\Program Files\\Tarvomen\\Tarvomen\\AviTest.html");
    EXPECT_EQ(shell.opened[1].second, Shell::ShowMode::Normal);

    picker.KindClick(MediaKind::Video);
    picker.Option1Click(0);
    EXPECT_NE(testPage().find("<EMBED SRC=\"" + folder + "VIDEO01.AVI\""), std::string::npos);

    FormMedia2 mix(state, windows);
    choose(mix, "MIXONE");
    mix.Option1Click(0);  // the picture shows, so a change of kind lists the folder
    mix.KindClick(MediaKind::Sound);
    mix.Option1Click(0);
    EXPECT_NE(testPage().find(" VLink(m)=#0000FF>"), std::string::npos);
}

}  // namespace
}  // namespace tarvomen::styles
