#include "store/numbers.hpp"

#include <gtest/gtest.h>

#include "platform/error.hpp"

namespace tarvomen {
namespace {

struct Case {
    const char* text;
    int decimals;
    std::optional<std::int64_t> scaled;
};

TEST(Numbers, LeadingValueOfEnteredText) {
    const Case cases[] = {
        {"12.5", 4, 125000},
        {"abc", 4, 0},
        {"1.23456", 4, 12346},
        {"12abc", 4, 120000},
        {" 1 2 ", 0, 12},
        {"-3", 0, -3},
        {"+7", 0, 7},
        {"2.5", 0, 2},
        {"3.5", 0, 4},
        {"-2.5", 0, -2},
        {"0.00005", 4, 0},
        {"0.00015", 4, 2},
        {"0.000051", 4, 1},
        {"1e3", 0, 1000},
        {"1.5D2", 0, 150},
        {"12e", 0, 12},
        {"1.2.3", 4, 12000},
        {".5", 4, 5000},
        {"-", 0, 0},
        {"", 0, 0},
        {"9e9", 0, 9000000000},
        {"1e30", 0, std::nullopt},
        {"0e999999", 0, 0},
        {"5e-1", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(numbers::leadingValueScaled(c.text, c.decimals), c.scaled);
    }
}

TEST(Numbers, RefusesValuesOutsideTheStoredRange) {
    EXPECT_EQ(numbers::parseQuantity("32767"), 32767);
    EXPECT_EQ(numbers::parseQuantity("-32768"), -32768);
    EXPECT_THROW(numbers::parseQuantity("9e9"), Error);
    EXPECT_THROW(numbers::parseQuantity("32768"), Error);
    EXPECT_EQ(numbers::parseUnitPrice("922337203685477.5807").scaled, INT64_MAX);
    EXPECT_THROW(numbers::parseUnitPrice("1e15"), Error);
}

TEST(Numbers, DisplayFormHasNoTrailingZeros) {
    EXPECT_EQ(numbers::formatCurrency(Currency{125000}), "12.5");
    EXPECT_EQ(numbers::formatCurrency(Currency{30000}), "3");
    EXPECT_EQ(numbers::formatCurrency(Currency{1}), "0.0001");
    EXPECT_EQ(numbers::formatCurrency(Currency{12345000}), "1234.5");
    EXPECT_EQ(numbers::formatCurrency(Currency{-5000}), "-0.5");
    EXPECT_EQ(numbers::formatCurrency(Currency{INT64_MIN}), "-922337203685477.5808");
}

}  // namespace
}  // namespace tarvomen
