// Refusals and failures of the generate command: message boxes that stop it, and pages that
// cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "generator/generate.hpp"
#include "platform/error.hpp"
#include "shop_fixture.hpp"
#include "small_disk.hpp"
#include "store/style_ops.hpp"

namespace fs = std::filesystem;

namespace tarvomen::generator {
namespace {

using namespace tarvomen::testing;

void layOutSmallShop(Shop& shop) {
    PageRecord page;
    page.Link2.assign("Hours");
    page.Link3.assign("More");
    shop.writePage(page);
    shop.writeStyle(101, style());
    shop.writeProduct(1, product("One"));
    shop.writeProduct(2, product("Two"));
    shop.writeStyle(1, style());
    shop.writeStyle(2, style());
}

struct UnwritableCase {
    const char* name;
    PageType pageKind;
    const char* blockedPage;  // made a folder, so the page file cannot be created
    const char* message;      // the page named by the error
};

void PrintTo(const UnwritableCase& c, std::ostream* os) {
    *os << c.name;
}

class UnwritablePage : public ::testing::TestWithParam<UnwritableCase> {};

// The generation stops with an error naming the page, nothing is opened in the browser, and
// the page selection is as it was. A whole-site generation leaves the previous site whole and
// no new folder beside it.
TEST_P(UnwritablePage, StopsWithAnErrorNamingThePage) {
    const UnwritableCase& c = GetParam();
    Shop shop;
    layOutSmallShop(shop);
    shop.selectHomePage();
    Generate(shop.state);
    fs::remove(shop.temp / "Tarvomen" / c.blockedPage);
    fs::create_directories(shop.temp / "Tarvomen" / c.blockedPage / "inside");
    shop.writeProduct(1, product("One, renamed"));
    const auto previousSite = shop.siteTree();
    const auto driveEntries = shop.driveEntries();
    shop.selectHomePage();
    shop.state.Selection.PageKind = c.pageKind;
    shop.state.Selection.CurrentRecord = c.pageKind == PageType::Product ? 2 : 1;
    shop.state.Selection.LinkNo = 2;
    GetMediaParm(shop.state);
    const std::int32_t key = shop.state.MediaKey;
    try {
        Generate(shop.state);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
    EXPECT_TRUE(shop.shell.opened.empty());
    EXPECT_EQ(shop.state.Selection.PageKind, c.pageKind);
    EXPECT_EQ(shop.state.Selection.CurrentRecord, c.pageKind == PageType::Product ? 2 : 1);
    EXPECT_EQ(shop.state.MediaKey, key);
    if (c.pageKind == PageType::Home) {
        EXPECT_EQ(shop.siteTree(), previousSite);
    }
    EXPECT_EQ(shop.driveEntries(), driveEntries);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, UnwritablePage,
    ::testing::Values(
        UnwritableCase{"HomePage", PageType::Home, "index.html", "C:\\Tarvomen\\index.html"},
        UnwritableCase{"LinkPageInSite", PageType::Home, "Link311.html",
                       "C:\\Tarvomen\\Link311.html"},
        UnwritableCase{"ProductPage", PageType::Home, "2.html", "C:\\tarvomen\\2.html"},
        UnwritableCase{"Preview", PageType::Product, "test.html", "C:\\Tarvomen\\test.html"},
        UnwritableCase{"LinkPageAlone", PageType::Link, "Link211.html",
                       "C:\\Tarvomen\\Link211.html"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnwritableSite, SiteFolderThatIsAFile) {
    Shop shop;
    layOutSmallShop(shop);
    fs::remove_all(shop.temp / "Tarvomen");
    writeFile(shop.temp / "Tarvomen", "not a folder");
    shop.selectHomePage();
    EXPECT_THROW(Generate(shop.state), Error);
    EXPECT_TRUE(shop.shell.opened.empty());
}

// A disk that runs full part-way: the error names the page, the previous site stays whole and
// the new folder is removed; with room again the next generation writes the site.
TEST(FullDisk, KeepsThePreviousSite) {
    SmallDisk disk(4 << 20);
    if (!disk.mounted()) GTEST_SKIP() << disk.reason();
    Shop shop;
    layOutSmallShop(shop);
    shop.selectHomePage();
    Generate(shop.state);
    const auto previousSite = shop.siteTree();
    const auto driveEntries = shop.driveEntries();

    shop.writeProduct(2, product("Two, renamed"));
    disk.fill();
    try {
        Generate(shop.state);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("No space left on device"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(shop.siteTree(), previousSite);
    EXPECT_EQ(shop.driveEntries(), driveEntries);

    disk.unfill();
    EXPECT_TRUE(Generate(shop.state).complete());
    EXPECT_NE(shop.read("Tarvomen/2.html").find("Two, renamed"), std::string::npos);
    EXPECT_EQ(shop.driveEntries(), driveEntries);
}

// A medium that does not fit: no copy or part of one is left, the page is written and refers
// to it, and the run lists it with its page. In the whole site and in the preview, which
// writes into the site folder itself.
class MediumThatDoesNotFit : public ::testing::TestWithParam<PageType> {};

TEST_P(MediumThatDoesNotFit, LeavesNoFile) {
    const PageType pageKind = GetParam();
    SmallDisk disk(4 << 20);
    if (!disk.mounted()) GTEST_SKIP() << disk.reason();
    Shop shop;
    PageRecord page;
    page.LogoImage.assign("C:\\Pictures\\big.gif");
    shop.writePage(page);
    shop.writeStyle(101, style());
    shop.writeProduct(1, product("One", "", 0, 0, "C:\\Pictures\\big.gif"));
    shop.writeStyle(1, style(false));
    writeFile(shop.temp / "Pictures/big.gif", std::string(1 << 20, 'b'));
    shop.selectHomePage();
    shop.state.Selection.PageKind = pageKind;
    disk.fill(256 << 10);

    const GenerationResult result = Generate(shop.state);
    const std::string shown = pageKind == PageType::Home ? "index.html" : "test.html";
    ASSERT_EQ(result.failedMedia.size(), 1u);
    EXPECT_EQ(result.failedMedia[0].source, "C:\\Pictures\\big.gif");
    EXPECT_EQ(result.failedMedia[0].reason, "No space left on device");
    EXPECT_EQ(result.failedMedia[0].pages.front(), "C:\\Tarvomen\\" + shown);
    EXPECT_EQ(shop.dataListing(), "");
    EXPECT_NE(shop.read("Tarvomen/" + shown).find("SRC=/Tarvomen/Data/0.gif"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Generations, MediumThatDoesNotFit,
                         ::testing::Values(PageType::Home, PageType::Product),
                         [](const auto& info) {
                             return std::string(info.param == PageType::Home ? "WholeSite"
                                                                             : "Preview");
                         });

// A medium that cannot be copied is listed once, with every page that shows it; the rest of the
// site is written.
TEST(MissingMedium, IsListedWithEveryPageThatShowsIt) {
    Shop shop;
    shop.writePage(PageRecord{});
    shop.writeStyle(101, style());
    for (int r : {1, 2}) {
        shop.writeProduct(r, product("P" + std::to_string(r), "", 0, 0, "C:\\Pictures\\gone.jpg"));
        shop.writeStyle(r, style());
    }
    shop.selectHomePage();
    const GenerationResult result = Generate(shop.state);
    ASSERT_EQ(result.failedMedia.size(), 1u);
    EXPECT_EQ(result.failedMedia[0].url, "/Tarvomen/Data/0.jpg");
    EXPECT_EQ(result.failedMedia[0].pages,
              (std::vector<std::string>{"C:\\Tarvomen\\index.html", "C:\\tarvomen\\1.html",
                                        "C:\\tarvomen\\2.html"}));
    EXPECT_EQ(result.shown, GenerationResult::Shown::HomePage);
    EXPECT_EQ(shop.siteEntries(),
              (std::vector<std::string>{"1.html", "2.html", "Data", "index.html"}));
    EXPECT_EQ(DescribeMediaFailures(shop.state, result),
              "These media files could not be copied into the site, so the pages show them as "
              "missing:\nC:\\Pictures\\gone.jpg (No such file or directory), used by "
              "C:\\Tarvomen\\index.html, C:\\tarvomen\\1.html, C:\\tarvomen\\2.html");
}

struct RefusalCase {
    const char* name;
    PageType pageKind;
    std::int16_t linkNo;
    const char* text;
    const char* title;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

// A blank link title or product name: only the message box; the folders were emptied first.
TEST_P(Refusal, ShowsItsMessageAndWritesNothing) {
    const RefusalCase& c = GetParam();
    Shop shop;
    shop.writePage(PageRecord{});
    writeFile(shop.temp / "Tarvomen/index.html", "old");
    shop.selectHomePage();
    shop.state.Selection.PageKind = c.pageKind;
    shop.state.Selection.CurrentRecord = c.pageKind == PageType::Product ? 7 : 1;
    shop.state.Selection.LinkNo = c.linkNo;
    const GenerationResult result = Generate(shop.state);
    EXPECT_EQ(result.shown, GenerationResult::Shown::Nothing);
    EXPECT_TRUE(result.pages.empty());
    ASSERT_EQ(shop.messages.shown.size(), 1u);
    EXPECT_EQ(shop.messages.shown[0].text, c.text);
    EXPECT_EQ(shop.messages.shown[0].title, c.title);
    EXPECT_EQ(shop.messages.shown[0].buttons, MessageBox::Buttons::Ok);
    EXPECT_EQ(shop.siteEntries(), std::vector<std::string>{"Data"});
    EXPECT_TRUE(shop.shell.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Refusal,
    ::testing::Values(RefusalCase{"BlankLink2", PageType::Link, 2, "Enter Link2 in PROFILE first!",
                                  "Tarvomen - Link2 Empty!"},
                      RefusalCase{"BlankLink3", PageType::Link, 3, "Enter Link3 in PROFILE first!",
                                  "Tarvomen - Link3 Empty!"},
                      RefusalCase{"BlankProduct", PageType::Product, 0,
                                  "This record has not been selected - Enter a Product Name!",
                                  "Tarvomen"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvomen::generator
