#include "support/full_shop.hpp"

#include <algorithm>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>

namespace fs = std::filesystem;

namespace tarvomen::testing {
namespace {

// "p7.jpg": built with append, which GCC 12 does not misreport under -Wrestrict.
std::string numbered(std::string_view prefix, int n, std::string_view suffix) {
    std::string name(prefix);
    name.append(std::to_string(n)).append(suffix);
    return name;
}

// A media file of `size` bytes under the drive folder `c`: its Windows path
// ("C:\Pictures\p1.jpg"), then `fill` repeated, so that a copy tells where it came from.
void writeMedia(const fs::path& c, const std::string& relative, std::size_t size, char fill) {
    std::string windowsPath = "C:\\" + relative;
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    std::string bytes(size, fill);
    bytes.replace(0, windowsPath.size(), windowsPath);
    const fs::path path = c / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

StyleRecord plainStyle(bool listedOnHomePage) {
    StyleRecord style;
    style.ScreenColor.assign("#FFFFFF");
    style.LinkColor.assign("#0000FF");
    style.ActiveLinkColor.assign("#FF0000");
    style.BoxColor.assign("#000080");
    style.BoxTextColor.assign("#FFFF00");
    style.BoxFont.assign("Arial");
    style.BoxTextSize.assign("3");
    style.TextColor.assign("#000000");
    style.TextSize.assign("2");
    style.TextFont.assign("Verdana");
    style.LinkToProfile = listedOnHomePage ? -1 : 0;
    return style;
}

StyleRecord themeStyleOf(int theme, bool listedOnHomePage) {
    StyleRecord style = plainStyle(listedOnHomePage);
    style.BackgroundFile.assign("BACKGD01.GIF");
    style.BannerFile.assign("BANNER01.JPG");
    style.RulerFile.assign("HRULER01.GIF");
    style.ImageFile.assign("IMAGES01.JPG");
    style.ControlFile.assign("CONTRL01.GIF");
    style.SoundFile.assign("SOUNDS01.WAV");
    style.VideoFile.assign("VIDEO01.AVI");
    style.MediaFolder.assign(numbered("C:\\Program Files\\Tarvomen\\TMedia\\THEME0", theme, "\\"));
    return style;
}

void layOutFullShop(const Drive& drive, SiteFiles& files) {
    const fs::path c = drive.root();
    for (int theme = 1; theme <= 3; ++theme) {
        const std::string folder = numbered("Program Files/Tarvomen/TMedia/THEME0", theme, "/");
        const std::pair<const char*, std::size_t> media[] = {
            {"BACKGD01.GIF", 2'000}, {"BANNER01.JPG", 6'000}, {"HRULER01.GIF", 1'000},
            {"IMAGES01.JPG", 4'000}, {"CONTRL01.GIF", 2'000}, {"SOUNDS01.WAV", 20'000},
            {"VIDEO01.AVI", 60'000}};
        for (const auto& [name, size] : media) writeMedia(c, folder + name, size, 'm');
    }
    for (int picture = 1; picture <= 15; ++picture) {
        writeMedia(c, numbered("Pictures/p", picture, ".jpg"), 25'000, 'p');
    }
    writeMedia(c, "Pictures/logo.gif", 8'000, 'l');
    fs::create_directories(c / "Tarvomen");

    const std::string text(2000, 't');
    PageRecord page;
    for (auto* field : {&page.DomainName, &page.Title, &page.Heading, &page.Link1, &page.Link2,
                        &page.Link3, &page.Link4}) {
        field->assign("Corner Bakery");
    }
    page.LogoImage.assign("C:\\Pictures\\logo.gif");
    page.CompanyName.assign("Corner Bakery Ltd");
    page.CompanyAddress.assign("1 Mill Lane");
    page.City.assign("Easton");
    page.PostCode.assign("EA1 2BC");
    page.Phone.assign("01234 567");
    page.Fax.assign("01234 568");
    page.Email.assign("orders@shop.example");
    page.VideoText.assign("Watch us bake");
    page.ImageText.assign("Our oven");
    page.BodyText.assign(text);
    page.CurrencyName.assign("U.S.");
    page.CurrencySymbol.assign("$");
    for (std::size_t i = 0; i < 2; ++i) {
        page.LinkHeading[i].assign("Heading");
        page.LinkImage[i].assign("C:\\Pictures\\p1.jpg");
        page.LinkImageText[i].assign("Picture text");
        page.LinkVideoText[i].assign("Video text");
        page.LinkText[i].assign(text);
    }
    files.writePage(1, page);
    files.writeStyle(101, themeStyleOf(1, true));
    files.writeStyle(112, themeStyleOf(2, true));
    files.writeStyle(113, themeStyleOf(3, true));

    for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
        ProductRecord product;
        product.ProductName.assign(numbered("Product ", r, ""));
        product.Description.assign("A fine product");
        product.QuantityPerUnit = 1;
        product.UnitPrice.scaled = 125000;
        product.ProductImage.assign(numbered("C:\\Pictures\\p", (r + 1) / 2, ".jpg"));
        product.BodyText.assign(text);
        product.ImageText.assign("Picture text");
        product.VideoText.assign("Video text");
        files.writeProduct(r, product);
        files.writeStyle(r, themeStyleOf(r % 3 + 1, r % 5 != 0));
    }
}

void selectFullShopOptions(AppState& state) {
    state.LinkAppearanceNormal = false;
    state.LinkStyleFromProfile = false;
    state.ShopCartOn = true;
}

}  // namespace tarvomen::testing
