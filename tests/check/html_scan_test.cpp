#include <gtest/gtest.h>

#include "check/html_scan.hpp"

namespace tarvomen::check {
namespace {

TEST(HtmlScanTest, ReadsAttributesInEveryFormTheGeneratorAndHandEditorsWrite) {
    struct Case {
        const char* html;
        const char* attribute;
        const char* value;
    };
    const Case cases[] = {
        {R"(<IMG ALT=/a.gif ALIGN=CENTER SRC=/Tarvomen/Data/0.GIF>)", "SRC",
         "/Tarvomen/Data/0.GIF"},
        {R"(<a href="2.html">)", "HREF", "2.html"},
        {R"(<A HREF='x y.html'>)", "HREF", "x y.html"},
        {R"(<FONT FACE= "Arial" COLOR="red">)", "FACE", "Arial"},
        {R"(<IMG ALT=I Align = LEFT SRC=/p.jpg>)", "ALIGN", "LEFT"},
        {R"(<BODY BGColor="#FFFFFF" BACKGROUND=>)", "BACKGROUND", ""},
        {R"(<A HREF="a&amp;b.html">)", "HREF", "a&b.html"},
    };
    for (const Case& c : cases) {
        const auto tags = scanTags(c.html);
        ASSERT_EQ(tags.size(), 1u) << c.html;
        const std::string* value = tags[0].attribute(c.attribute);
        ASSERT_NE(value, nullptr) << c.html;
        EXPECT_EQ(*value, c.value) << c.html;
    }
}

TEST(HtmlScanTest, SkipsCommentsAndTextThatOnlyLooksLikeATag) {
    const auto tags = scanTags("<!-- <IMG SRC=x.gif> --> 3 < 4 <P>");
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].name, "P");
}

TEST(HtmlScanTest, TextBetweenTagsIsDecodedAndItsBlanksSqueezed) {
    const std::string html = "<A HREF=1.html><FONT>  Sea&nbsp;Glass\r\n &amp; Mug </FONT></A>";
    const auto tags = scanTags(html);
    EXPECT_EQ(textBetween(html, tags[0].end, html.rfind("</A>")), "Sea\xA0Glass & Mug");
    EXPECT_EQ(decodeReferences("Driftwood & Fern &#233; &#x41; &bogus;"),
              "Driftwood & Fern \xE9 A &bogus;");
}

}  // namespace
}  // namespace tarvomen::check
