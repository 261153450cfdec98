#include "store/records.hpp"

#include <gtest/gtest.h>

#include <map>

namespace tarvomen {
namespace {

// Offset of every field, found by walking the encoder's order against the stored widths.
template <class Record>
std::map<std::string, std::size_t> offsets() {
    std::map<std::string, std::size_t> result;
    std::size_t at = 0;
    Record record;
    Record::visit(record, [&](std::string_view name, const auto& field) {
        result[std::string(name)] = at;
        using T = std::decay_t<decltype(field)>;
        if constexpr (requires { T::kWidth; }) {
            at += T::kWidth;
        } else {
            at += sizeof(T);
        }
    });
    result["<end>"] = at;
    return result;
}

TEST(Records, FieldOffsetsAreThoseOfTheFileFormat) {
    const auto page = offsets<PageRecord>();
    EXPECT_EQ(page.at("DomainName"), 4u);
    EXPECT_EQ(page.at("BodyText"), 1502u);
    EXPECT_EQ(page.at("FtpUserName"), 4502u);
    EXPECT_EQ(page.at("CurrencySymbol"), 4632u);
    EXPECT_EQ(page.at("LinkHeading[0]"), 4635u);
    EXPECT_EQ(page.at("LinkImage[1]"), 4835u);
    EXPECT_EQ(page.at("LinkText[0]"), 6535u);
    EXPECT_EQ(page.at("<end>"), PageRecord::kLength);

    const auto product = offsets<ProductRecord>();
    EXPECT_EQ(product.at("QuantityPerUnit"), 84u);
    EXPECT_EQ(product.at("UnitPrice"), 86u);
    EXPECT_EQ(product.at("ProductImage"), 94u);
    EXPECT_EQ(product.at("VideoText"), 3594u);
    EXPECT_EQ(product.at("<end>"), ProductRecord::kLength);

    const auto style = offsets<StyleRecord>();
    EXPECT_EQ(style.at("ScreenColor"), 24u);
    EXPECT_EQ(style.at("BoxTextSize"), 89u);
    EXPECT_EQ(style.at("BackgroundFile"), 128u);
    EXPECT_EQ(style.at("MediaFolder"), 212u);
    EXPECT_EQ(style.at("LinkToProfile"), 467u);
    EXPECT_EQ(style.at("<end>"), StyleRecord::kLength);
}

TEST(Records, PageWithOnlyADomainNameIsBlankPadded) {
    PageRecord page;
    page.DomainName = "shop.example";
    const std::string bytes = encode(page);
    ASSERT_EQ(bytes.size(), 12535u);
    EXPECT_EQ(bytes.substr(0, 4), std::string(4, '\0'));
    EXPECT_EQ(bytes.substr(4, 12), "shop.example");
    EXPECT_EQ(bytes.substr(16), std::string(12535 - 16, ' '));
}

TEST(Records, ProductNumbersAndCutNamesAreStoredLittleEndian) {
    ProductRecord product;
    product.RecordNo = 2;
    product.ProductName = std::string(45, 'n');
    product.QuantityPerUnit = 2;
    product.UnitPrice = Currency{125000};
    const std::string bytes = encode(product);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(bytes.substr(4, 40), std::string(40, 'n'));
    EXPECT_EQ(bytes.substr(44, 40), std::string(40, ' '));
    EXPECT_EQ(bytes.substr(84, 2), std::string("\x02\0", 2));
    EXPECT_EQ(bytes.substr(86, 8), std::string("\x48\xE8\x01\0\0\0\0\0", 8));

    ProductRecord back;
    decode(bytes, back);
    EXPECT_EQ(back, product);
}

TEST(Records, NulPaddedTextReadsAsBlankPadded) {
    std::string bytes = encode(StyleRecord{});
    bytes.replace(128, 12, std::string("A.GIF\0\0\0\0\0\0\0", 12));
    bytes[467] = '\xFF';
    bytes[468] = '\xFF';
    StyleRecord style;
    decode(bytes, style);
    EXPECT_EQ(style.BackgroundFile.raw(), "A.GIF       ");
    EXPECT_EQ(style.LinkToProfile, -1);
}

}  // namespace
}  // namespace tarvomen
