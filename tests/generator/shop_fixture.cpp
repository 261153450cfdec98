#include "shop_fixture.hpp"

#include <algorithm>

#include "platform/cp1252.hpp"
#include "store/style_ops.hpp"
#include "support/full_shop.hpp"

namespace fs = std::filesystem;

namespace tarvomen::testing {

Shop::Shop()
    : drive(temp.path()),
      state(drive, Services{&messages, &shell, &testFonts(), nullptr, nullptr}) {
    temp.layOut();
    state.files.openAll(drive);
    FillColorText(state);
}

void Shop::addMedia(std::string_view windowsPath) {
    writeFile(drive.resolve(cp1252::toUtf8(windowsPath)), windowsPath);
}

void Shop::writePage(const PageRecord& page) {
    state.files.writePage(1, page);
}

void Shop::writeProduct(int record, const ProductRecord& product) {
    state.files.writeProduct(record, product);
}

void Shop::writeStyle(int record, const StyleRecord& style) {
    state.files.writeStyle(record, style);
}

void Shop::selectHomePage() {
    state.Page = state.files.readPage(1);
    state.Selection.PageKind = PageType::Home;
    state.Selection.CurrentRecord = 1;
    GetMediaParm(state);
}

std::string Shop::read(std::string_view relative) const {
    return readFile(temp / relative);
}

bool Shop::exists(std::string_view relative) const {
    return fs::exists(temp / relative);
}

std::string Shop::dataListing() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp / "Tarvomen" / "Data")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const auto& name : names) {
        listing += name + ": " + readFile(temp / "Tarvomen" / "Data" / name) + "\n";
    }
    return listing;
}

std::vector<std::string> Shop::siteEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp / "Tarvomen")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, std::string> Shop::siteTree() const {
    std::map<std::string, std::string> tree;
    const fs::path site = temp / "Tarvomen";
    for (const auto& entry : fs::recursive_directory_iterator(site)) {
        const std::string relative = entry.path().lexically_relative(site).string();
        tree[relative] = entry.is_directory() ? "<folder>" : readFile(entry.path());
    }
    return tree;
}

std::vector<std::string> Shop::driveEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

ProductRecord product(std::string_view name, std::string_view description, std::int16_t quantity,
                      std::int64_t scaledPrice, std::string_view image) {
    ProductRecord record;
    record.ProductName.assign(name);
    record.Description.assign(description);
    record.QuantityPerUnit = quantity;
    record.UnitPrice.scaled = scaledPrice;
    record.ProductImage.assign(image);
    return record;
}

StyleRecord style(bool listedOnHomePage) {
    return plainStyle(listedOnHomePage);
}

StyleRecord themeStyle(bool listedOnHomePage) {
    return themeStyleOf(1, listedOnHomePage);
}

void addTheme(Shop& shop) {
    for (const char* name : {"BACKGD01.GIF", "BANNER01.JPG", "HRULER01.GIF", "IMAGES01.JPG",
                             "CONTRL01.GIF", "SOUNDS01.WAV", "VIDEO01.AVI"}) {
        shop.addMedia(std::string(kTheme) + name);
    }
}

}  // namespace tarvomen::testing
