// The media test page as the preview server presents it: its BGSOUND or EMBED tag becomes a
// player with controls, everything else stays as written.
#include "publish/preview_server_media_page.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tarvomen::publish::media_page {
namespace {

// The page's lines as the media pickers write them (CR LF, with an LF of their own).
const std::string kHead =
    "<HTML><HEAD><TITLE>The Orvane Page Retailer.</TITLE></HEAD><BODY ALink(m)=#FFFF00 "
    "BGColor(m)=#000000TEXT=#008000 VLink(m)=#0000ff><FONT COLOR=#008000 FACE=Arial Black  "
    "SIZE=4>\n\r\n<P><H3>AVI Test - <H2>Press REFRESH</H2> on the Browser Toolbar!</H3>\n\r\n";
const std::string kTail = "\n\r\n</BODY></HTML>\n\r\n";
const std::string kSoundTag =
    "<BGSOUND LOOP=3 SRC=\"C:\\Program Files\\Tarvomen\\TMedia\\Sea\\SOUNDS01.WAV\">";

std::string videoTag(const std::string& file) {
    return "<EMBED SRC=\"C:\\T\\" + file + "\" ALT=\"C:\\T\\   " + file +
           "\" LOOP=INFINITE START=FILEOPEN ALIGN= CENTER BORDER=5>";
}

constexpr const char* kAddress = "/__tarvomen/medium/X";
constexpr const char* kCannotPlay = "The browser cannot play files of this format: ";

TEST(MediaTestPageServed, ReplacesOnlyTheMediumTag) {
    const std::string threePlays =
        "<script>(function(){var m=document.currentScript.previousElementSibling,n=1;"
        "m.addEventListener(\"ended\",function(){if(n<3){n++;m.play();}});})();</script>";
    struct Case {
        const char* name;
        std::string tag;
        std::string served;
    };
    const Case cases[] = {
        {"sound played three times", kSoundTag,
         "<audio controls autoplay preload=\"auto\" src=\"/__tarvomen/medium/X\"></audio>" +
             threePlays},
        {"video the browser plays, for ever", videoTag("CLIP.MP4") + "<BR>",
         "<video controls autoplay preload=\"auto\" loop src=\"/__tarvomen/medium/X\"></video>"
         "<BR>"},
        {"AVI video", videoTag("VIDEO01.AVI") + "<BR>",
         "<P>The browser cannot play files of this format: VIDEO01.AVI</P><BR>"},
        {"MPEG video", videoTag("clip.mpg") + "<BR>",
         "<P>The browser cannot play files of this format: clip.mpg</P><BR>"},
        {"not a medium", "<BGSOUND SRC=\"C:\\T\\NOTES.TXT\">",
         "<P>The browser cannot play files of this format: NOTES.TXT</P>"},
        {"lower case, single quotes, played once", "<bgsound src='C:\\T\\S.wav' loop=1>",
         "<audio controls autoplay preload=\"auto\" src=\"/__tarvomen/medium/X\"></audio>"},
        {"a name that is markup", "<EMBED SRC=\"C:\\T\\<b>&\".AVI\">",
         "<P>The browser cannot play files of this format: &lt;b&gt;&amp;</P>"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(servedPage(kHead + test.tag + kTail, kAddress, kCannotPlay),
                  kHead + test.served + kTail);
    }
}

TEST(MediaTestPageServed, PagesWithoutAMediumTagStayAsWritten) {
    const std::string pages[] = {
        kHead + kTail,
        kHead + "<EMBEDDED SRC=\"C:\\T\\S.WAV\">" + kTail,  // another tag
        kHead + "<BGSOUND LOOP=3>" + kTail,                 // no source
        kHead + "<BGSOUND SRC=\"C:\\T\\S.WAV\"",            // not closed
        kHead + "<BGSOUND SRC=\"C:\\T\\S.WAV>" + kTail,
    };
    for (const std::string& page : pages) {
        SCOPED_TRACE(page.substr(kHead.size()));
        EXPECT_EQ(servedPage(page, kAddress, kCannotPlay), page);
    }
}

TEST(MediaTestPageServed, TheLineIsInThePagesEncodingAndOnlyTheFirstTagCounts) {
    const std::string page = kHead + videoTag("A.AVI") + kSoundTag + kTail;
    EXPECT_EQ(servedPage(page, kAddress,
                         "Le navigateur ne sait pas lire ce fran\xC3\xA7"
                         "ais : "),
              kHead +
                  "<P>Le navigateur ne sait pas lire ce fran\xE7"
                  "ais : A.AVI</P>" +
                  kSoundTag + kTail);
}

TEST(MediaTestPageNamed, SourceNameAndPlays) {
    struct Case {
        std::string tag;
        std::string source;
        std::string name;
        int plays;
    };
    const Case cases[] = {
        {kSoundTag, "C:\\Program Files\\Tarvomen\\TMedia\\Sea\\SOUNDS01.WAV", "SOUNDS01.WAV", 3},
        {videoTag("V.AVI"), "C:\\T\\V.AVI", "V.AVI", 0},
        {"<BGSOUND SRC=S.WAV LOOP=-1>", "S.WAV", "S.WAV", 0},
        {"<BGSOUND SRC=\"a/b.wav\" LOOP=0>", "a/b.wav", "b.wav", 1},
        {"<BGSOUND LOOP=x SRC=\"S.WAV\" SRC=\"T.WAV\">", "S.WAV", "S.WAV", 1},
        {"<BGSOUND SRC = \"S.WAV\"  LOOP = 2 >", "S.WAV", "S.WAV", 2},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.tag);
        const auto medium = namedMedium("<P>" + test.tag + "<BR>");
        ASSERT_TRUE(medium);
        EXPECT_EQ(medium->source, test.source);
        EXPECT_EQ(medium->name, test.name);
        EXPECT_EQ(medium->plays, test.plays);
        EXPECT_EQ(medium->tagBegin, 3u);
        EXPECT_EQ(medium->tagEnd, 3 + test.tag.size());
    }
}

TEST(MediaTestPageNamed, TypesByEnding) {
    struct Case {
        const char* name;
        const char* type;  // nullptr: no medium
        bool video;
        bool playable;
    };
    const Case cases[] = {
        {"SOUNDS01.WAV", "audio/wav", false, true},
        {"s.wav", "audio/wav", false, true},
        {"CLIP.MP4", "video/mp4", true, true},
        {"VIDEO01.AVI", "video/x-msvideo", true, false},
        {"CLIP.MPG", "video/mpeg", true, false},
        {"clip.mpeg", "video/mpeg", true, false},
        {".wav", nullptr, false, false},
        {"Qvprofile.txt", nullptr, false, false},
        {"SOUNDS01.WAV.txt", nullptr, false, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const MediumType* type = mediumTypeOf(test.name);
        ASSERT_EQ(type != nullptr, test.type != nullptr);
        if (!type) continue;
        EXPECT_STREQ(type->contentType, test.type);
        EXPECT_EQ(type->video, test.video);
        EXPECT_EQ(type->playable, test.playable);
    }
}

}  // namespace
}  // namespace tarvomen::publish::media_page
