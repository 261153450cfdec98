// The whole-site generation writes a new site beside the site folder and puts it in the site
// folder's place: the end state is that of emptying the site folder and writing into it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "generator/generate.hpp"
#include "shop_fixture.hpp"

namespace fs = std::filesystem;

namespace tarvomen::generator {
namespace {

using namespace tarvomen::testing;

void layOutOneProduct(Shop& shop) {
    shop.writePage(PageRecord{});
    shop.writeStyle(101, style());
    shop.writeProduct(1, product("One"));
    shop.writeStyle(1, style());
}

struct FolderCase {
    const char* name;
    std::map<std::string, std::string> before;  // files of the drive before ("" for a folder)
    std::vector<std::string> driveEntries;      // the drive folder afterwards
    std::map<std::string, std::string> kept;    // files that must be there afterwards
    std::vector<std::string> gone;              // paths that must be gone afterwards
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << c.name;
}

class SiteFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(SiteFolder, EndsAsEmptyingItWould) {
    const FolderCase& c = GetParam();
    Shop shop;
    layOutOneProduct(shop);
    fs::remove_all(shop.temp / "Tarvomen");
    for (const auto& [path, bytes] : c.before) {
        if (bytes.empty()) {
            fs::create_directories(shop.temp / path);
        } else {
            writeFile(shop.temp / path, bytes);
        }
    }
    shop.selectHomePage();
    const GenerationResult result = Generate(shop.state);
    EXPECT_TRUE(result.complete());

    const std::vector<std::string> fixed{"Program Files"};
    std::vector<std::string> expected = c.driveEntries;
    expected.insert(expected.begin(), fixed.begin(), fixed.end());
    EXPECT_EQ(shop.driveEntries(), expected);
    for (const auto& [path, bytes] : c.kept) EXPECT_EQ(readFile(shop.temp / path), bytes) << path;
    for (const auto& path : c.gone) EXPECT_FALSE(fs::exists(shop.temp / path)) << path;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SiteFolder,
    ::testing::Values(
        FolderCase{"NoSiteFolder", {}, {"Tarvomen"}, {}, {}},
        FolderCase{"OldPagesAndMedia",
                   {{"Tarvomen/old.html", "old"}, {"Tarvomen/Data/0.GIF", "old"}},
                   {"Tarvomen"},
                   {},
                   {"Tarvomen/old.html", "Tarvomen/Data/0.GIF"}},
        // The user's own folders stay, with what is in them; loose files go.
        FolderCase{"UserFolders",
                   {{"Tarvomen/old.html", "old"},
                    {"Tarvomen/Mine/keep.txt", "mine"},
                    {"Tarvomen/Data/0.GIF", "old"},
                    {"Tarvomen/Data/Sub/x.txt", "sub"}},
                   {"Tarvomen"},
                   {{"Tarvomen/Mine/keep.txt", "mine"}, {"Tarvomen/Data/Sub/x.txt", "sub"}},
                   {"Tarvomen/old.html", "Tarvomen/Data/0.GIF"}},
        // An emptied folder is made anew as "Tarvomen"; one that keeps a folder keeps its name.
        FolderCase{"OtherSpelling", {{"TARVOMEN/DATA/0.GIF", "old"}}, {"Tarvomen"}, {}, {}},
        FolderCase{"OtherSpellingWithUserFolder",
                   {{"TARVOMEN/Mine/keep.txt", "mine"}, {"TARVOMEN/DATA/Sub/x.txt", "sub"}},
                   {"TARVOMEN"},
                   {{"TARVOMEN/Mine/keep.txt", "mine"}, {"TARVOMEN/DATA/Sub/x.txt", "sub"}},
                   {"TARVOMEN/Data"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The new site's pages and media are all in the site folder, as written.
TEST(SiteFolder, HoldsThePagesAndMediaWritten) {
    Shop shop;
    layOutOneProduct(shop);
    shop.addMedia("C:\\Pictures\\one.jpg");
    shop.writeProduct(1, product("One", "", 0, 0, "C:\\Pictures\\one.jpg"));
    shop.selectHomePage();
    const GenerationResult result = Generate(shop.state);
    EXPECT_EQ(result.pages,
              (std::vector<std::string>{"C:\\Tarvomen\\index.html", "C:\\tarvomen\\1.html"}));
    EXPECT_EQ(result.media, std::vector<std::string>{"C:\\Tarvomen\\Data\\0.jpg"});
    EXPECT_EQ(shop.siteEntries(), (std::vector<std::string>{"1.html", "Data", "index.html"}));
    EXPECT_EQ(shop.dataListing(), "0.jpg: C:\\Pictures\\one.jpg\n");
}

}  // namespace
}  // namespace tarvomen::generator
