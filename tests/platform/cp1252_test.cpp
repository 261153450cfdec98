#include "platform/cp1252.hpp"

#include <gtest/gtest.h>

#include "platform/error.hpp"

namespace tarvomen {
namespace {

TEST(Cp1252, RoundTripsEveryDefinedByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

TEST(Cp1252, ConvertsAccentsAndTheEuroSign) {
    EXPECT_EQ(cp1252::toUtf8("Fran\xE7"
                             "ais \x80"),
              "Français €");
    EXPECT_EQ(cp1252::fromUtf8("Détail €"), "D\xE9tail \x80");
}

TEST(Cp1252, RefusesWhatItCannotHoldAndNamesIt) {
    EXPECT_EQ(cp1252::firstUnencodable("abc"), std::nullopt);
    EXPECT_EQ(cp1252::firstUnencodable("a\xE2\x82\xAC b \xE4\xB8\xAD"), U'\u4E2D');
    EXPECT_EQ(cp1252::firstUnencodable("bad \xC3"), U'\uFFFD');  // cut-off sequence
    try {
        cp1252::fromUtf8("Caf\xC3\xA9 \xE4\xB8\xAD", "the field ProductName");
        FAIL() << "no error";
    } catch (const EncodingError& error) {
        EXPECT_EQ(error.codePoint(), U'\u4E2D');
        EXPECT_NE(std::string(error.what()).find("U+4E2D"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("ProductName"), std::string::npos);
    }
}

}  // namespace
}  // namespace tarvomen
