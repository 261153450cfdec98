// Refusals and failures of the generate command: message boxes that stop it, and pages that
// cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "generator/generate.hpp"
#include "platform/error.hpp"
#include "shop_fixture.hpp"
#include "store/style_ops.hpp"

namespace fs = std::filesystem;

namespace tarvomen::testing {
namespace {

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
    std::int16_t pageKind;
    const char* blockedPage;  // made a folder, so the page file cannot be created
    const char* message;      // the page named by the error
};

void PrintTo(const UnwritableCase& c, std::ostream* os) {
    *os << c.name;
}

class UnwritablePage : public ::testing::TestWithParam<UnwritableCase> {};

// The generation stops with an error naming the page, nothing is opened in the browser, and
// the page selection is as it was.
TEST_P(UnwritablePage, StopsWithAnErrorNamingThePage) {
    const UnwritableCase& c = GetParam();
    Shop shop;
    layOutSmallShop(shop);
    fs::create_directories(shop.temp / "Tarvomen" / c.blockedPage / "inside");
    shop.selectHomePage();
    shop.state.PageKind = c.pageKind;
    shop.state.CurrentRecord = c.pageKind == 1 ? 2 : 1;
    shop.state.LinkNo = 2;
    GetMediaParm(shop.state);
    const std::int32_t key = shop.state.MediaKey;
    try {
        Generate(shop.state);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
    EXPECT_TRUE(shop.shell.opened.empty());
    EXPECT_EQ(shop.state.PageKind, c.pageKind);
    EXPECT_EQ(shop.state.CurrentRecord, c.pageKind == 1 ? 2 : 1);
    EXPECT_EQ(shop.state.MediaKey, key);
    EXPECT_FALSE(shop.state.Generator.HomePageFile.open);
    EXPECT_FALSE(shop.state.Generator.ProductPageFile.open);
    EXPECT_FALSE(shop.state.Generator.LinkPageFile.open);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, UnwritablePage,
    ::testing::Values(
        UnwritableCase{"HomePage", 0, "index.html", "C:\\Tarvomen\\index.html"},
        UnwritableCase{"LinkPageInSite", 0, "Link311.html", "C:\\Tarvomen\\Link311.html"},
        UnwritableCase{"ProductPage", 0, "2.html", "C:\\tarvomen\\2.html"},
        UnwritableCase{"Preview", 1, "test.html", "C:\\Tarvomen\\test.html"},
        UnwritableCase{"LinkPageAlone", 2, "Link211.html", "C:\\Tarvomen\\Link211.html"}),
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

struct RefusalCase {
    const char* name;
    std::int16_t pageKind;
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
    shop.state.PageKind = c.pageKind;
    shop.state.CurrentRecord = c.pageKind == 1 ? 7 : 1;
    shop.state.LinkNo = c.linkNo;
    Generate(shop.state);
    ASSERT_EQ(shop.messages.shown.size(), 1u);
    EXPECT_EQ(shop.messages.shown[0].text, c.text);
    EXPECT_EQ(shop.messages.shown[0].title, c.title);
    EXPECT_EQ(shop.messages.shown[0].buttons, MessageBox::Buttons::Ok);
    EXPECT_EQ(shop.siteEntries(), std::vector<std::string>{"Data"});
    EXPECT_TRUE(shop.shell.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Refusal,
    ::testing::Values(
        RefusalCase{"BlankLink2", 2, 2, "Enter Link2 in PROFILE first!", "Tarvomen - Link2 Empty!"},
        RefusalCase{"BlankLink3", 2, 3, "Enter Link3 in PROFILE first!", "Tarvomen - Link3 Empty!"},
        RefusalCase{"BlankProduct", 1, 0,
                    "This record has not been selected - Enter a Product Name!", "Tarvomen"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvomen::testing
