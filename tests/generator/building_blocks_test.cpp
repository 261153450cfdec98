// Media publishing, the line writer, the shared page pieces and the site folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "generator/generate.hpp"
#include "generator/generation_run.hpp"
#include "generator/generator.hpp"
#include "shop_fixture.hpp"

namespace fs = std::filesystem;

namespace tarvomen::generator {
namespace {

using namespace tarvomen::testing;

class Publishing : public ::testing::Test {
  protected:
    void SetUp() override {
        addTheme(shop);
        shop.state.CurrentStyle = themeStyle();
        PrepareSiteFolders(shop.drive);
        ClearMediaTables(run);
        seq = 0;
    }
    std::string publish(std::string_view name, bool isPath = false) {
        return PublishMedia(run, name, isPath);
    }

    Shop shop;
    GenerationRun run{shop.state, PageSelection::HomePage()};
    GeneratorState& g = run.generator;
    std::int16_t& seq = shop.state.MediaSeq;
};

TEST_F(Publishing, CopiesEachSourceOncePerGeneration) {
    EXPECT_EQ(publish("BACKGD01.GIF"), "/Tarvomen/Data/0.GIF");
    EXPECT_EQ(g.MediaDest, "C:\\Tarvomen\\Data\\0.GIF");
    EXPECT_EQ(publish("BANNER01.JPG"), "/Tarvomen/Data/1.JPG");
    EXPECT_EQ(publish("BACKGD01.GIF"), "/Tarvomen/Data/0.GIF");
    EXPECT_EQ(seq, 2);
    EXPECT_EQ(shop.dataListing(), std::string("0.GIF: ") + kTheme +
                                      "BACKGD01.GIF\n1.JPG: " + kTheme + "BANNER01.JPG\n");
}

TEST_F(Publishing, SameNameThroughTwoPathsGivesTwoCopies) {
    shop.addMedia("C:\\Pictures\\BACKGD01.GIF");
    EXPECT_EQ(publish("BACKGD01.GIF"), "/Tarvomen/Data/0.GIF");
    EXPECT_EQ(publish("C:\\Pictures\\BACKGD01.GIF", true), "/Tarvomen/Data/1.GIF");
}

TEST_F(Publishing, BlankNameChangesNothing) {
    publish("BACKGD01.GIF");
    EXPECT_EQ(publish("   "), "");
    EXPECT_EQ(seq, 1);
    EXPECT_EQ(publish("BACKGD01.GIF"), "/Tarvomen/Data/0.GIF");
    EXPECT_EQ(shop.siteEntries(), std::vector<std::string>{"Data"});
}

// A copy that fails keeps its reference and number, leaves no file and is listed.
TEST_F(Publishing, FailedCopyKeepsItsReferenceAndNumberAndIsListed) {
    fs::create_directories(shop.temp / "Pictures" / "folder.jpg");
    run.currentPage = "C:\\Tarvomen\\index.html";
    EXPECT_EQ(publish("C:\\Pictures\\gone.jpg", true), "/Tarvomen/Data/0.jpg");
    EXPECT_EQ(publish("BACKGD01.GIF"), "/Tarvomen/Data/1.GIF");
    EXPECT_EQ(publish("C:\\Pictures\\folder.jpg", true), "/Tarvomen/Data/2.jpg");
    run.currentPage = "C:\\tarvomen\\1.html";
    EXPECT_EQ(publish("C:\\Pictures\\gone.jpg", true), "/Tarvomen/Data/0.jpg");
    EXPECT_EQ(seq, 3);
    EXPECT_EQ(shop.dataListing(), std::string("1.GIF: ") + kTheme + "BACKGD01.GIF\n");
    EXPECT_TRUE(shop.messages.shown.empty());

    EXPECT_EQ(run.result.media, std::vector<std::string>{"C:\\Tarvomen\\Data\\1.GIF"});
    ASSERT_EQ(run.result.failedMedia.size(), 2u);
    const MediaFailure& gone = run.result.failedMedia[0];
    EXPECT_EQ(gone.source, "C:\\Pictures\\gone.jpg");
    EXPECT_EQ(gone.url, "/Tarvomen/Data/0.jpg");
    EXPECT_EQ(gone.reason, "No such file or directory");
    EXPECT_EQ(gone.pages,
              (std::vector<std::string>{"C:\\Tarvomen\\index.html", "C:\\tarvomen\\1.html"}));
    EXPECT_EQ(run.result.failedMedia[1].reason, "Is a directory");
    EXPECT_FALSE(run.result.complete());
}

TEST_F(Publishing, FullTableStillCopiesButForgets) {
    for (std::size_t i = 0; i < CopiedMedia::kCapacity; ++i) {
        g.Copied.record("C:\\x\\" + std::to_string(i) + ".gif",
                        "/Tarvomen/Data/" + std::to_string(i) + ".gif");
    }
    seq = 730;
    EXPECT_EQ(publish("C:\\x\\729.gif", true), "/Tarvomen/Data/729.gif");
    EXPECT_EQ(publish("BACKGD01.GIF"), "/Tarvomen/Data/730.GIF");
    EXPECT_EQ(publish("BACKGD01.GIF"), "/Tarvomen/Data/731.GIF");
    EXPECT_EQ(seq, 732);
    EXPECT_TRUE(shop.exists("Tarvomen/Data/730.GIF"));
    EXPECT_TRUE(shop.exists("Tarvomen/Data/731.GIF"));
}

// A source outside the drive is never read: the page keeps its reference, the copy is missing
// and the medium is listed as not copied.
TEST_F(Publishing, SourceOutsideTheDriveIsListedAndNotRead) {
    const fs::path outside =
        shop.temp.path().parent_path() / (shop.temp.path().filename().string() + "-outside.gif");
    writeFile(outside, "secret");
    fs::create_directories(shop.temp / "Pictures");
    fs::create_symlink(outside, shop.temp / "Pictures" / "link.gif");

    EXPECT_EQ(publish("C:\\Pictures\\link.gif", true), "/Tarvomen/Data/0.gif");
    EXPECT_EQ(publish("D:\\logo.gif", true), "/Tarvomen/Data/1.gif");
    EXPECT_EQ(publish("C:\\..\\..\\etc\\hostname", true), "/Tarvomen/Data/2name");
    EXPECT_EQ(publish("C:\\Pictures\\link.gif", true), "/Tarvomen/Data/0.gif");
    EXPECT_EQ(seq, 3);
    EXPECT_EQ(shop.dataListing(), "");
    ASSERT_EQ(run.result.failedMedia.size(), 3u);
    EXPECT_EQ(run.result.failedMedia[0].source, "C:\\Pictures\\link.gif");
    EXPECT_EQ(run.result.failedMedia[1].source, "D:\\logo.gif");
    EXPECT_EQ(run.result.failedMedia[2].url, "/Tarvomen/Data/2name");
    EXPECT_TRUE(run.result.media.empty());
    fs::remove(outside);
}

// Lines of the shared pieces, each with its own LF before the CR LF.
TEST(PagePieces, WriteTheirLines) {
    Shop shop;
    addTheme(shop);
    AppState& state = shop.state;
    PrepareSiteFolders(shop.drive);
    GenerationRun run(state, PageSelection::ProductPage(1));
    OpenPageFile(run, PageFileNo::Product, "C:\\Tarvomen\\pieces.html");

    state.CurrentStyle = style();
    run.generator.BackgroundUrl = "";
    WriteBodyTag(run);
    WriteRuler(run);
    WriteControlPicture(run, "");  // no ControlFile: nothing

    state.CurrentStyle = themeStyle();
    run.generator.BackgroundUrl = "/Tarvomen/Data/7.GIF";
    WriteBodyTag(run);
    WriteRuler(run);
    WriteControlPicture(run, "/Tarvomen/Data/9.GIF");
    ClosePageFile(run, PageFileNo::Product);

    EXPECT_EQ(shop.read("Tarvomen/pieces.html"),
              "<BODY BGColor=\"#FFFFFF\" VLINK=\"#0000FF\" ALINK=\"#FF0000\" BACKGROUND=>\n\r\n"
              "<BR CLEAR=ALL><HR>\n\r\n"
              "<BODY BGColor=\"#FFFFFF\" VLINK=\"#0000FF\" ALINK=\"#FF0000\" "
              "BACKGROUND=/Tarvomen/Data/7.GIF>\n\r\n"
              "<P><TABLE ALIGN=CENTER  BORDER=0><TR><TH><IMG ALT=/Tarvomen/Data/0.GIF "
              "ALIGN=CENTER SRC=/Tarvomen/Data/0.GIF></TABLE><BR CLEAR=ALL>\n\r\n"
              "<TABLE ALIGN=CENTER  BORDER=0><BR><IMG ALT=/Tarvomen/Data/9.GIF ALIGN=CENTER "
              "SRC=/Tarvomen/Data/9.GIF></CENTER></TABLE>\n\r\n");
    EXPECT_EQ(run.generator.RulerUrl, "/Tarvomen/Data/0.GIF");
}

// WriteLine follows PageKind (9, 8, 55, nothing); the ruler's second form always goes to 55.
TEST(PagePieces, LinesGoToThePageFileOfThePageKind) {
    Shop shop;
    PrepareSiteFolders(shop.drive);
    shop.state.CurrentStyle = style();
    GenerationRun run(shop.state, PageSelection::HomePage());
    OpenPageFile(run, PageFileNo::Home, "C:\\Tarvomen\\nine.html");
    OpenPageFile(run, PageFileNo::Product, "C:\\Tarvomen\\eight.html");
    OpenPageFile(run, PageFileNo::Link, "C:\\Tarvomen\\fiftyfive.html");
    for (const std::int16_t kind : {0, 1, 2, 3, -1}) {
        run.generator.Selection.PageKind = static_cast<PageType>(kind);
        WriteLine(run, "kind " + std::to_string(kind));
    }
    run.generator.Selection.PageKind = PageType::Home;
    WriteRuler(run, PageFileNo::Link);
    for (auto file : {PageFileNo::Home, PageFileNo::Product, PageFileNo::Link}) {
        ClosePageFile(run, file);
    }
    EXPECT_EQ(shop.read("Tarvomen/nine.html"), "kind 0\r\n");
    EXPECT_EQ(shop.read("Tarvomen/eight.html"), "kind 1\r\n");
    EXPECT_EQ(shop.read("Tarvomen/fiftyfive.html"), "kind 2\r\n<BR CLEAR=ALL><HR>\n\r\n");
}

TEST(SiteFolders, EmptiedAndRecreatedKeepingAUserSubFolder) {
    Shop shop;
    writeFile(shop.temp / "Tarvomen/old.html", "old");
    writeFile(shop.temp / "Tarvomen/Data/0.GIF", "old");
    writeFile(shop.temp / "Tarvomen/Mine/keep.txt", "mine");
    PrepareSiteFolders(shop.drive);
    EXPECT_EQ(shop.siteEntries(), (std::vector<std::string>{"Data", "Mine"}));
    EXPECT_EQ(shop.dataListing(), "");
    EXPECT_EQ(shop.read("Tarvomen/Mine/keep.txt"), "mine");

    fs::remove_all(shop.temp / "Tarvomen");
    PrepareSiteFolders(shop.drive);
    EXPECT_EQ(shop.siteEntries(), std::vector<std::string>{"Data"});
}

// Each generation, the first one included, leaves only its own pages and copies.
TEST(SiteFolders, EachGenerationLeavesOnlyItsOwnPages) {
    Shop shop;
    addTheme(shop);
    shop.writeStyle(101, themeStyle());
    shop.writeProduct(1, product("One"));
    shop.writeProduct(2, product("Two"));
    shop.writeStyle(1, style());
    shop.writeStyle(2, style());
    shop.selectHomePage();
    Generate(shop.state);
    EXPECT_EQ(shop.siteEntries(),
              (std::vector<std::string>{"1.html", "2.html", "Data", "index.html"}));

    shop.writeProduct(2, ProductRecord{});
    shop.writeStyle(101, style());
    Generate(shop.state);
    EXPECT_EQ(shop.siteEntries(), (std::vector<std::string>{"1.html", "Data", "index.html"}));
    EXPECT_EQ(shop.dataListing(), "");

    shop.state.Selection.PageKind = PageType::Product;
    shop.state.Selection.CurrentRecord = 1;
    shop.state.CurrentStyle = themeStyle();
    Generate(shop.state);
    EXPECT_EQ(shop.siteEntries(), (std::vector<std::string>{"Data", "test.html"}));
    EXPECT_NE(shop.dataListing(), "");
}

}  // namespace
}  // namespace tarvomen::generator
