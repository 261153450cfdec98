#include "platform/font_list.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/cp1252.hpp"

namespace tarvomen {
namespace {

// The machine's fonts, through fontconfig loaded on first use (the build machines carry the
// DejaVu fonts).
TEST(FontconfigFontList, ListsTheMachinesFamiliesSortedOnceEach) {
    FontconfigFontList fonts;
    const auto& names = fonts.names();
    ASSERT_FALSE(names.empty());
    EXPECT_LE(names.size(), FontList::kMaxFonts);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
    for (const auto& name : names) EXPECT_FALSE(cp1252::firstUnencodable(name)) << name;
    EXPECT_NE(std::find(names.begin(), names.end(), "DejaVu Sans"), names.end());
    EXPECT_EQ(&fonts.names(), &names);  // read once
}

}  // namespace
}  // namespace tarvomen
