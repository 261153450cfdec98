// Whole pages compared byte for byte with golden files: every template piece, every LF that
// belongs to a line, CR LF line ends and Windows-1252 bytes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "generator/generate.hpp"
#include "golden.hpp"
#include "shop_fixture.hpp"
#include "store/style_ops.hpp"

namespace tarvomen::generator {
namespace {

using namespace tarvomen::testing;

constexpr const char* kBread = "C:\\Pictures\\bread.jpg";
constexpr const char* kCake = "C:\\Pictures\\cake.jpg";
constexpr const char* kLogo = "C:\\Pictures\\logo.gif";

// Every section of every page: a filled page record, the home page and the Link3 page with all
// seven media, a Link2 page without media, two home-page products sharing a picture (one with
// a quote in its name) and one Link3 product.
void layOutFullShop(Shop& shop) {
    addTheme(shop);
    for (const char* picture : {kBread, kCake, kLogo}) shop.addMedia(picture);

    PageRecord page;
    page.DomainName.assign("shop.example");
    page.Title.assign("The \"Corner\" Bakery");
    page.Heading.assign("Fresh every morning");
    page.LogoImage.assign(kLogo);
    page.CompanyName.assign("Corner Bakery Ltd");
    page.CompanyAddress.assign("1 Mill Lane");
    page.City.assign("Easton");
    page.PostCode.assign("EA1 2BC UK");
    page.Phone.assign("01234 567");
    page.Fax.assign("01234 568");
    page.Email.assign("orders@shop.example");
    page.Link1.assign("Our breads");
    page.Link2.assign("Opening hours");
    page.Link3.assign("Cakes to order");
    page.Link4.assign("Find us");
    page.VideoText.assign("Watch us bake");
    page.ImageText.assign("Our oven");
    page.BodyText.assign("Welcome to the <B>Caf\xE9</B> cr\xE8me bakery.");
    page.CurrencyName.assign("U.S.");
    page.CurrencySymbol.assign("$");
    page.LinkText[0].assign("Mon-Fri 7-18");
    page.LinkHeading[1].assign("Cakes for every day");
    page.LinkImage[1].assign(kCake);
    page.LinkImageText[1].assign("Layer cakes");
    page.LinkVideoText[1].assign("See the icing");
    shop.writePage(page);

    StyleRecord home = themeStyle();
    home.ScreenColor.assign("#FFFF00");
    home.BoxColor.assign("#800000");
    shop.writeStyle(101, home);
    shop.writeStyle(112, style());
    StyleRecord link3 = themeStyle();
    link3.ControlFile.assign("");
    shop.writeStyle(113, link3);

    ProductRecord rye = product("Rye Loaf", "Dark and sour", 1, 12345000, kBread);
    rye.BodyText.assign("Baked on stone.");
    rye.ImageText.assign("Our rye field");
    rye.VideoText.assign("Kneading");
    shop.writeProduct(2, rye);
    shop.writeStyle(2, themeStyle());

    ProductRecord pizza = product("12\" Pizza", "Stone \"baked\"", 0, 125000, kBread);
    pizza.VideoText.assign("Fresh from the oven");
    shop.writeProduct(5, pizza);
    StyleRecord pizzaStyle = style();
    pizzaStyle.BoxColor.assign("#008000");
    pizzaStyle.BoxTextColor.assign("#FFFFFF");
    pizzaStyle.BoxTextSize.assign("4");
    shop.writeStyle(5, pizzaStyle);

    ProductRecord cake = product("Birthday Cake", "Any size", 2, 0, kCake);
    cake.ImageText.assign("With candles");
    shop.writeProduct(9, cake);
    StyleRecord cakeStyle = style(false);
    cakeStyle.BoxColor.assign("#800080");
    cakeStyle.BoxFont.assign("Courier New");
    cakeStyle.VideoFile.assign("VIDEO01.AVI");
    cakeStyle.MediaFolder.assign(kTheme);
    shop.writeStyle(9, cakeStyle);
}

// The other form of each optional section: heading box without banner, body text without
// logo, video text without video, theme picture without text, a Link2 page with picture and
// text, a product with body text only.
void layOutOtherForms(Shop& shop) {
    addTheme(shop);
    shop.addMedia(kCake);
    PageRecord page;
    page.Heading.assign("Hello");
    page.BodyText.assign("Body");
    page.VideoText.assign("Video text");
    page.Link2.assign("Hours");
    page.LinkHeading[0].assign("Opening hours");
    page.LinkImage[0].assign(kCake);
    page.LinkText[0].assign("Mon-Fri");
    page.LinkImageText[0].assign("Picture text");
    shop.writePage(page);
    StyleRecord home = style();
    home.ImageFile.assign("IMAGES01.JPG");
    home.MediaFolder.assign(kTheme);
    shop.writeStyle(101, home);
    StyleRecord link2 = style();
    link2.VideoFile.assign("VIDEO01.AVI");
    link2.MediaFolder.assign(kTheme);
    shop.writeStyle(112, link2);
    ProductRecord bun = product("Bun", "Soft", 6, 5000);
    bun.BodyText.assign("Body only");
    shop.writeProduct(1, bun);
    StyleRecord bunStyle = style();
    bunStyle.ImageFile.assign("IMAGES01.JPG");
    bunStyle.SoundFile.assign("SOUNDS01.WAV");
    bunStyle.MediaFolder.assign(kTheme);
    shop.writeStyle(1, bunStyle);
}

void layOutEuroShop(Shop& shop) {
    PageRecord page;
    page.CurrencyName.assign("Euro");
    page.CurrencySymbol.assign("E");
    shop.writePage(page);
    shop.writeStyle(101, style());
    shop.writeProduct(3, product("Baguette", "Long", 4, 125000));
    shop.writeStyle(3, style());
}

std::function<void(Shop&)> site(bool normal, bool fromProfile, bool shopCart) {
    return [=](Shop& shop) {
        shop.selectHomePage();
        shop.state.LinkAppearanceNormal = normal;
        shop.state.LinkStyleFromProfile = fromProfile;
        shop.state.ShopCartOn = shopCart;
        Generate(shop.state);
    };
}

std::function<void(Shop&)> preview(int record) {
    return [=](Shop& shop) {
        shop.selectHomePage();
        shop.state.Selection.PageKind = PageType::Product;
        shop.state.Selection.CurrentRecord = record;
        GetMediaParm(shop.state);
        Generate(shop.state);
    };
}

struct GoldenCase {
    const char* name;
    std::function<void(Shop&)> layOut;
    std::function<void(Shop&)> run;
    std::vector<std::string> pages;  // files of the site folder compared with the golden files
    bool data;                       // the Data folder compared with <name>/Data.txt
};

void PrintTo(const GoldenCase& c, std::ostream* os) {
    *os << c.name;
}

class GoldenPages : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenPages, MatchByteForByte) {
    const GoldenCase& c = GetParam();
    Shop shop;
    c.layOut(shop);
    c.run(shop);
    EXPECT_TRUE(shop.messages.shown.empty()) << shop.messages.shown.front().text;
    for (const auto& page : c.pages) {
        SCOPED_TRACE(page);
        ASSERT_TRUE(shop.exists("Tarvomen/" + page));
        expectMatchesGolden(std::string(c.name) + "/" + page, shop.read("Tarvomen/" + page));
    }
    if (c.data) expectMatchesGolden(std::string(c.name) + "/Data.txt", shop.dataListing());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, GoldenPages,
    ::testing::Values(
        // A blank page record, no products, styles without media.
        GoldenCase{"blank_site", [](Shop&) {}, site(true, true, false), {"index.html"}, true},
        // Boxed rows in the home page's style, with the order form.
        GoldenCase{"full_shop_boxed",
                   layOutFullShop,
                   site(false, true, true),
                   {"index.html", "Link211.html", "Link311.html", "1.html", "2.html", "3.html"},
                   true},
        // Plain rows, each in its product's own style; no order form.
        GoldenCase{"full_shop_plain",
                   layOutFullShop,
                   site(true, false, false),
                   {"index.html", "Link311.html", "1.html"},
                   false},
        GoldenCase{"other_forms",
                   layOutOtherForms,
                   site(true, true, false),
                   {"index.html", "Link211.html", "1.html"},
                   false},
        // Euro: no symbol before the price, an empty hidden CurrSymb; a single product.
        GoldenCase{"euro", layOutEuroShop, site(true, true, true), {"1.html"}, false},
        // The preview with every medium, and without picture, media or control.
        GoldenCase{"preview_full", layOutFullShop, preview(2), {"test.html"}, true},
        GoldenCase{"preview_plain", layOutEuroShop, preview(3), {"test.html"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GoldenPages, FullShopWritesExactlyItsPages) {
    Shop shop;
    layOutFullShop(shop);
    shop.selectHomePage();
    shop.state.ShopCartOn = true;
    const GenerationResult result = Generate(shop.state);
    EXPECT_EQ(shop.siteEntries(),
              (std::vector<std::string>{"1.html", "2.html", "3.html", "Data", "Link211.html",
                                        "Link311.html", "index.html"}));
    EXPECT_EQ(result.shown, GenerationResult::Shown::HomePage);
    EXPECT_EQ(result.shownPage, "C:\\Tarvomen\\index.html");
    EXPECT_EQ(result.pages,
              (std::vector<std::string>{"C:\\Tarvomen\\index.html", "C:\\Tarvomen\\Link211.html",
                                        "C:\\Tarvomen\\Link311.html", "C:\\tarvomen\\1.html",
                                        "C:\\tarvomen\\2.html", "C:\\tarvomen\\3.html"}));
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(result.media.size(), 17u);
    EXPECT_TRUE(shop.shell.opened.empty());
}

}  // namespace
}  // namespace tarvomen::generator
