// The full shop of the benchmarks, generated whole: 33 pages, and every media reference of every
// page reaches a whole copy of its source, one copy per source on each page.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "generator/generate.hpp"
#include "platform/cp1252.hpp"
#include "shop_fixture.hpp"
#include "support/full_shop.hpp"

namespace fs = std::filesystem;

namespace tarvomen::generator {
namespace {

using namespace tarvomen::testing;

TEST(FullShop, EveryReferenceReachesACopyOfItsSource) {
    Shop shop;
    layOutFullShop(shop.drive, shop.state.files);
    selectFullShopOptions(shop.state);
    shop.selectHomePage();
    const GenerationResult result = Generate(shop.state, PageSelection::HomePage());

    EXPECT_TRUE(result.complete());
    EXPECT_EQ(result.pages.size(), 33u);
    std::set<std::string> copies;
    for (const auto& entry : fs::directory_iterator(shop.temp / "Tarvomen" / "Data")) {
        copies.insert(entry.path().filename().string());
    }
    EXPECT_EQ(copies.size(), result.media.size());

    static const std::regex reference("/Tarvomen/Data/([0-9]+\\.[A-Za-z]+)");
    std::set<std::string> referenced;
    for (const std::string& page : result.pages) {
        const std::string name = page.substr(page.rfind('\\') + 1);
        const std::string text = shop.read("Tarvomen/" + name);
        std::map<std::string, std::string> copyOfSource;  // on this page
        for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it) {
            const std::string copy = (*it)[1];
            SCOPED_TRACE(name + " refers to " + copy);
            referenced.insert(copy);
            ASSERT_TRUE(copies.count(copy));
            const std::string bytes = shop.read("Tarvomen/Data/" + copy);
            // The source's Windows path: its folders hold no dot, its name a three-letter
            // extension.
            const std::string source = bytes.substr(0, bytes.find('.') + 4);
            EXPECT_EQ(bytes, readFile(shop.drive.resolve(cp1252::toUtf8(source))));
            EXPECT_EQ(copyOfSource.emplace(source, copy).first->second, copy);
        }
    }
    EXPECT_EQ(referenced, copies);  // nothing copied that no page shows
}

}  // namespace
}  // namespace tarvomen::generator
