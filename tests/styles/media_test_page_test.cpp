#include "styles/media_test_page.hpp"

#include <gtest/gtest.h>

#include "store/fixed_text.hpp"

namespace tarvomen::styles {
namespace {

std::vector<std::string> linesOf(const std::string& page) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = page.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(page.substr(start, end - start));
    }
    EXPECT_EQ(start, page.size()) << "every line ends in CR LF";
    return lines;
}

const std::string kFirstLine =
    "<HTML><HEAD><TITLE>The Orvane Page Retailer.</TITLE></HEAD><BODY ALink(m)=#FFFF00 "
    "BGColor(m)=#000000TEXT=#008000 VLink(m)=#0000ff><FONT COLOR=#008000 FACE=Arial Black  "
    "SIZE=4>\n";
const std::string kSecondLine =
    "<P><H3>AVI Test - <H2>Press REFRESH</H2> on the Browser Toolbar!</H3>\n";

TEST(MediaTestPage, SoundPageHasFiveLines) {
    const FixedText<255> folder("C:\\Program Files\\Tarvomen\\TMedia\\Sea\\");
    const auto lines =
        linesOf(AviTestPageBytes(true, folder.raw(), "SOUNDS01.WAV", kThemeVisitedLink));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], kFirstLine);
    EXPECT_EQ(lines[1], kSecondLine);
    EXPECT_EQ(lines[2], "<P>Will play sound 3 times!");
    EXPECT_EQ(lines[3],
              "<BGSOUND LOOP=3 SRC=\"C:\\Program Files\\Tarvomen\\TMedia\\Sea\\SOUNDS01.WAV\">\n");
    EXPECT_EQ(lines[4], "</BODY></HTML>\n");
}

TEST(MediaTestPage, VideoPageHasFourLinesWithTheFolderTrimmedOnlyInTheSource) {
    const FixedText<255> folder("C:\\T\\");
    const auto lines = linesOf(AviTestPageBytes(false, folder.raw(), "CLIP.AVI", kMixVisitedLink));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2],
              "<EMBED SRC=\"C:\\T\\CLIP.AVI\" ALT=\"C:\\T\\" + std::string(250, ' ') +
                  "CLIP.AVI\" LOOP=INFINITE START=FILEOPEN ALIGN= CENTER BORDER=5><BR>\n");
    EXPECT_EQ(lines[3], "</BODY></HTML>\n");
}

TEST(MediaTestPage, ThePickersDifferOnlyInTheVisitedLinkSpelling) {
    const std::string theme = AviTestPageBytes(true, "C:\\T\\", "S.WAV", kThemeVisitedLink);
    const std::string mix = AviTestPageBytes(true, "C:\\T\\", "S.WAV", kMixVisitedLink);
    ASSERT_EQ(theme.size(), mix.size());
    const auto at = theme.find("#0000ff");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(mix.substr(at, 7), "#0000FF");
    EXPECT_EQ(theme.substr(0, at) + theme.substr(at + 7), mix.substr(0, at) + mix.substr(at + 7));
}

}  // namespace
}  // namespace tarvomen::styles
