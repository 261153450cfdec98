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

// A text the reading does not take in whole would be stored as its leading value ("12abc" as 12,
// "8,95" as 8): such a quantity or price is refused instead.
TEST(Numbers, EnteredNumbersAreStoredOnlyWhenWhollyANumber) {
    struct Entered {
        const char* text;
        bool whole;
    };
    const Entered cases[] = {
        {"12.5", true},    {" 1 2 ", true}, {"", true},       {"   ", true},
        {"-3e2", true},    {"1.5D2", true}, {".5", true},     {"+7", true},
        {"5e-1", true},    {"abc", false},  {"two", false},   {"12abc", false},
        {"$12.50", false}, {"8,95", false}, {"12e", false},   {"1e+", false},
        {"-", false},      {".", false},    {"1.2.3", false}, {"12.50 EUR", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(numbers::readsWhole(c.text), c.whole);
        const auto reading = c.whole ? numbers::Reading::Stored : numbers::Reading::NotANumber;
        EXPECT_EQ(numbers::readUnitPrice(c.text).reading, reading);
        EXPECT_EQ(numbers::readQuantity(c.text).reading, reading);
    }
    // What is read whole is stored as before.
    EXPECT_EQ(numbers::readUnitPrice("1.23456").scaled, 12346);
    EXPECT_EQ(numbers::readQuantity("12.5").scaled, 12);
    EXPECT_EQ(numbers::readQuantity("").scaled, 0);
    EXPECT_EQ(numbers::readQuantity("9e9").reading, numbers::Reading::OutOfRange);
    EXPECT_EQ(numbers::readUnitPrice("1e15").reading, numbers::Reading::OutOfRange);
}

TEST(Numbers, RefusesValuesOutsideTheStoredRange) {
    EXPECT_EQ(numbers::parseQuantity("32767"), 32767);
    EXPECT_EQ(numbers::parseQuantity("-32768"), -32768);
    EXPECT_THROW(numbers::parseQuantity("9e9"), Error);
    EXPECT_THROW(numbers::parseQuantity("32768"), Error);
    EXPECT_EQ(numbers::parseUnitPrice("922337203685477.5807").scaled, INT64_MAX);
    EXPECT_THROW(numbers::parseUnitPrice("1e15"), Error);
    EXPECT_THROW(numbers::parseUnitPrice("12abc"), Error);
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
