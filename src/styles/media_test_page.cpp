#include "styles/media_test_page.hpp"

#include <fstream>

#include "platform/error.hpp"
#include "publish/handoffs.hpp"
#include "store/fixed_text.hpp"

namespace tarvomen::styles {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kLf = '\n';
constexpr char kQuote = '"';

}  // namespace

std::string AviTestPageBytes(bool sound, std::string_view mediaFolder, std::string_view aviTestFile,
                             std::string_view visitedLinkColour) {
    const std::string_view folder = trimBlanks(mediaFolder);
    std::string page;
    page += "<HTML><HEAD><TITLE>The Orvane Page Retailer.</TITLE></HEAD>";
    page += "<BODY ALink(m)=";
    page += "#FFFF00";
    page += " BGColor(m)=";
    page += "#000000";
    page += "TEXT=";
    page += "#008000";
    page += " VLink(m)=";
    page += visitedLinkColour;
    page += "><FONT COLOR=";
    page += "#008000";
    page += " FACE=Arial Black  SIZE=4>";
    page += kLf;
    page += kLineEnd;

    page += "<P><H3>AVI Test - <H2>Press REFRESH</H2> on the Browser Toolbar!</H3>";
    page += kLf;
    page += kLineEnd;

    if (sound) {
        page += "<P>Will play sound 3 times!";
        page += kLineEnd;
        page += "<BGSOUND LOOP=3 SRC=";
        page += kQuote;
        page += folder;
        page += aviTestFile;
        page += kQuote;
        page += ">";
        page += kLf;
        page += kLineEnd;
    } else {
        page += "<EMBED SRC=";
        page += kQuote;
        page += folder;
        page += aviTestFile;
        page += kQuote;
        page += " ALT=";
        page += kQuote;
        page += mediaFolder;
        page += aviTestFile;
        page += kQuote;
        page += " LOOP=INFINITE START=FILEOPEN ALIGN= CENTER BORDER=5><BR>";
        page += kLf;
        page += kLineEnd;
    }

    page += "</BODY></HTML>";
    page += kLf;
    page += kLineEnd;
    return page;
}

void WriteAndOpenAviTestPage(AppState& state, bool sound, std::string_view aviTestFile,
                             std::string_view visitedLinkColour) {
    const std::string bytes = AviTestPageBytes(sound, state.CurrentStyle.MediaFolder.raw(),
                                               aviTestFile, visitedLinkColour);
    {
        std::ofstream out(state.drive.resolve(kAviTestPage), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            throw Error(std::string("The media test page ") + kAviTestPage + " cannot be written.");
        }
    }
    OpenAviTestPage(state);
}

}  // namespace tarvomen::styles
