// Page numbers, Previous / Next, the order form's ID and the product links of the home page and
// the Link3 page: every link reaches its own product's page.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "generator/generate.hpp"
#include "generator/generator.hpp"
#include "shop_fixture.hpp"
#include "store/style_ops.hpp"

namespace tarvomen::generator {
namespace {

using namespace tarvomen::testing;

struct Listing {
    int record;
    bool onHomePage;
};

struct ExpectedPage {
    std::string title;  // "P<record>"
    std::string previous;
    std::string next;
    bool orderForm;
};

struct NumberingCase {
    const char* name;
    std::vector<Listing> products;
    bool link3Page;
    std::vector<ExpectedPage> pages;  // 1.html, 2.html ...
};

void PrintTo(const NumberingCase& c, std::ostream* os) {
    *os << c.name;
}

void layOut(Shop& shop, const NumberingCase& c) {
    PageRecord page;
    if (c.link3Page) page.Link3.assign("More");
    shop.writePage(page);
    shop.writeStyle(101, style());
    shop.writeStyle(113, style());
    for (const auto& listing : c.products) {
        shop.writeProduct(listing.record, product("P" + std::to_string(listing.record)));
        shop.writeStyle(listing.record, style(listing.onHomePage));
    }
}

std::string between(const std::string& text, const std::string& before, const std::string& after) {
    const std::size_t start = text.find(before);
    if (start == std::string::npos) return "<none>";
    const std::size_t from = start + before.size();
    return text.substr(from, text.find(after, from) - from);
}

// Every "/tarvomen/N.html>NAME</A>" link of a page, as N -> NAME.
std::map<int, std::string> productLinks(const std::string& page) {
    std::map<int, std::string> links;
    static const std::regex link("<A HREF=/tarvomen/([0-9]+)\\.html>([^<]*)</A>");
    for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it) {
        links[std::stoi((*it)[1])] = (*it)[2];
    }
    return links;
}

class Numbering : public ::testing::TestWithParam<NumberingCase> {};

TEST_P(Numbering, PagesLinksAndNavigation) {
    const NumberingCase& c = GetParam();
    Shop shop;
    layOut(shop, c);
    shop.selectHomePage();
    shop.state.ShopCartOn = true;
    Generate(shop.state);

    for (std::size_t n = 1; n <= c.pages.size(); ++n) {
        SCOPED_TRACE("page " + std::to_string(n));
        const ExpectedPage& expected = c.pages[n - 1];
        const std::string page = shop.read("Tarvomen/" + std::to_string(n) + ".html");
        EXPECT_EQ(between(page, "<TITLE>", "</TITLE>"), expected.title);
        EXPECT_EQ(between(page, "<TR><TH><A HREF=", ">Previous"), expected.previous + ".html");
        EXPECT_EQ(between(page, "Previous</A><TH><A HREF=", ">Next...."), expected.next + ".html");
        EXPECT_EQ(page.find("shopcart.asp") != std::string::npos, expected.orderForm);
        if (expected.orderForm) {
            EXPECT_EQ(between(page, "NAME=\"ID\" VALUE=\"", "\""), std::to_string(n));
        }
    }
    EXPECT_FALSE(shop.exists("Tarvomen/" + std::to_string(c.pages.size() + 1) + ".html"));

    // The home page and the Link3 page link each product to the page that carries its name.
    std::map<int, std::string> links = productLinks(shop.read("Tarvomen/index.html"));
    if (c.link3Page) links.merge(productLinks(shop.read("Tarvomen/Link311.html")));
    for (const auto& [n, name] : links) {
        ASSERT_LE(static_cast<std::size_t>(n), c.pages.size());
        EXPECT_EQ(c.pages[static_cast<std::size_t>(n) - 1].title, name) << "link to " << n;
    }
    std::size_t homeProducts = 0;
    for (const auto& listing : c.products) homeProducts += listing.onHomePage ? 1 : 0;
    EXPECT_EQ(links.size(), c.link3Page ? c.products.size() : homeProducts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Numbering,
    ::testing::Values(
        NumberingCase{
            "Records2_5_9",
            {{2, true}, {5, true}, {9, true}},
            false,
            {{"P2", "index", "2", true}, {"P5", "1", "3", true}, {"P9", "2", "index", true}}},
        NumberingCase{"SingleProduct", {{4, true}}, false, {{"P4", "index", "index", true}}},
        NumberingCase{
            "Link3ProductLast",
            {{1, true}, {2, true}, {3, false}},
            true,
            {{"P1", "index", "2", true}, {"P2", "1", "3", true}, {"P3", "2", "index", false}}},
        NumberingCase{
            "Link3ProductLastWithoutLink3Page",
            {{1, true}, {2, true}, {3, false}},
            false,
            {{"P1", "index", "2", true}, {"P2", "1", "index", true}, {"P3", "2", "index", false}}},
        // Link3 products before home-page products in record order: the home-page products
        // still take pages 1 and 2, the others 3 and 4, pages being written in record order.
        NumberingCase{"InterleavedLink3",
                      {{1, false}, {2, true}, {3, false}, {4, true}},
                      true,
                      {{"P2", "index", "2", true},
                       {"P4", "1", "3", true},
                       {"P1", "2", "4", false},
                       {"P3", "3", "index", false}}},
        NumberingCase{"InterleavedWithoutLink3Page",
                      {{1, false}, {2, true}, {3, false}, {4, true}},
                      false,
                      {{"P2", "index", "2", true},
                       {"P4", "1", "index", true},
                       {"P1", "2", "4", false},
                       {"P3", "3", "index", false}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Numbering, InterleavedPagesAreWrittenInRecordOrder) {
    // Media copies follow record order: product 1 (page 2) publishes its picture first.
    Shop shop;
    shop.addMedia("C:\\Pictures\\a.gif");
    shop.addMedia("C:\\Pictures\\b.gif");
    PageRecord page;
    page.Link2.assign("Hours");  // the Link2 pass clears the media tables
    shop.writePage(page);
    shop.writeStyle(101, style());
    shop.writeProduct(1, product("First", "", 0, 0, "C:\\Pictures\\a.gif"));
    shop.writeStyle(1, style(false));
    shop.writeProduct(2, product("Second", "", 0, 0, "C:\\Pictures\\b.gif"));
    shop.writeStyle(2, style(true));
    shop.selectHomePage();
    Generate(shop.state);
    // The home page copied b.gif as 0; after the Link2 pass cleared the tables the product
    // pages copy again in record order: First (page 2) takes 1, Second (page 1) takes 2.
    EXPECT_NE(shop.read("Tarvomen/2.html").find("SRC=/Tarvomen/Data/1.gif"), std::string::npos);
    EXPECT_NE(shop.read("Tarvomen/1.html").find("SRC=/Tarvomen/Data/2.gif"), std::string::npos);
}

// The Link3 page numbers its products on from the home page's, whole-site or by itself; by
// itself it empties the site folder first and opens the page.
TEST(Numbering, Link3PageCountsOnFromTheHomePage) {
    const auto layOutShop = [](Shop& shop) {
        PageRecord page;
        page.Link2.assign("Hours");
        page.Link3.assign("More");
        shop.writePage(page);
        for (int r : {1, 3, 4}) {
            shop.writeProduct(r, product("Home" + std::to_string(r)));
            shop.writeStyle(r, style(true));
        }
        for (int r : {2, 5}) {
            shop.writeProduct(r, product("More" + std::to_string(r)));
            shop.writeStyle(r, style(false));
        }
    };
    const std::map<int, std::string> expected{{4, "More2"}, {5, "More5"}};

    Shop whole;
    layOutShop(whole);
    whole.selectHomePage();
    Generate(whole.state);
    EXPECT_EQ(productLinks(whole.read("Tarvomen/Link311.html")), expected);
    EXPECT_EQ(productLinks(whole.read("Tarvomen/Link211.html")), (std::map<int, std::string>{}));

    Shop alone;
    layOutShop(alone);
    alone.selectHomePage();
    writeFile(alone.temp / "Tarvomen/old.html", "old");
    alone.state.Selection.PageKind = PageType::Link;
    alone.state.Selection.LinkNo = 3;
    const GenerationResult result = Generate(alone.state);
    EXPECT_EQ(productLinks(alone.read("Tarvomen/Link311.html")), expected);
    EXPECT_EQ(alone.siteEntries(), (std::vector<std::string>{"Data", "Link311.html"}));
    EXPECT_EQ(result.shown, GenerationResult::Shown::LinkPage);
    EXPECT_EQ(result.shownPage, "C:\\Tarvomen\\Link311.html");
    EXPECT_EQ(result.pages, std::vector<std::string>{"C:\\Tarvomen\\Link311.html"});
    EXPECT_EQ(alone.state.Selection.PageKind, PageType::Link);
    EXPECT_EQ(alone.state.MediaKey, 113);
}

// The copies' numbers outlive a generation: the stand-alone link page goes on from the last
// generation's, the whole site and the preview start again at 0.
TEST(Numbering, StandaloneLinkPageGoesOnWithTheCopyNumbers) {
    Shop shop;
    addTheme(shop);
    PageRecord page;
    page.Link2.assign("Hours");
    shop.writePage(page);
    for (int record : {101, 112, 1}) shop.writeStyle(record, themeStyle());
    shop.writeProduct(1, product("One"));
    shop.selectHomePage();
    const std::string next = std::to_string(Generate(shop.state).media.size());

    const GenerationResult link = Generate(shop.state, PageSelection::LinkPage(2));
    ASSERT_FALSE(link.media.empty());
    EXPECT_EQ(link.media.front(), "C:\\Tarvomen\\Data\\" + next + ".GIF");
    EXPECT_NE(
        shop.read("Tarvomen/Link211.html").find("BACKGROUND=/Tarvomen/Data/" + next + ".GIF>"),
        std::string::npos);

    Generate(shop.state, PageSelection::ProductPage(1));
    EXPECT_NE(shop.read("Tarvomen/test.html").find("BACKGROUND=/Tarvomen/Data/0.GIF>"),
              std::string::npos);
    Generate(shop.state, PageSelection::LinkPage(2));
    Generate(shop.state, PageSelection::HomePage());
    EXPECT_NE(shop.read("Tarvomen/index.html").find("BACKGROUND=/Tarvomen/Data/0.GIF>"),
              std::string::npos);
}

TEST(Numbering, GeneratingTwiceGivesTheSamePages) {
    Shop shop;
    layOut(shop, NumberingCase{"", {{1, false}, {2, true}, {3, true}}, true, {}});
    shop.selectHomePage();
    Generate(shop.state);
    std::vector<std::string> first;
    for (const char* page : {"index.html", "Link311.html", "1.html", "2.html", "3.html"}) {
        first.push_back(shop.read(std::string("Tarvomen/") + page));
    }
    Generate(shop.state);
    std::vector<std::string> second;
    for (const char* page : {"index.html", "Link311.html", "1.html", "2.html", "3.html"}) {
        second.push_back(shop.read(std::string("Tarvomen/") + page));
    }
    EXPECT_EQ(first, second);
    EXPECT_EQ(shop.state.Selection.PageKind, PageType::Home);
    EXPECT_EQ(shop.state.Selection.CurrentRecord, 1);
    EXPECT_EQ(shop.state.MediaKey, 101);
}

}  // namespace
}  // namespace tarvomen::generator
