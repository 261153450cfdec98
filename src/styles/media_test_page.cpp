#include "styles/media_test_page.hpp"

#include <fstream>

#include "generator/template_text.hpp"
#include "handoffs/handoffs.hpp"
#include "platform/error.hpp"
#include "store/fixed_text.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::styles {
namespace {

using generator::tmpl::cat;
using generator::tmpl::LF;
using generator::tmpl::Q;

// Writes one line of the page: its text (with its own LF where it has one), then CR LF.
void line(std::string& page, std::string_view text) {
    page += text;
    page += "\r\n";
}

}  // namespace

std::string AviTestPageBytes(bool sound, std::string_view mediaFolder, std::string_view aviTestFile,
                             std::string_view visitedLinkColour) {
    const std::string_view folder = trimBlanks(mediaFolder);
    std::string page;
    line(page, cat("<HTML><HEAD><TITLE>The Orvane Page Retailer.</TITLE></HEAD>",
                   "<BODY ALink(m)=", "#FFFF00", " BGColor(m)=", "#000000", "TEXT=", "#008000",
                   " VLink(m)=", visitedLinkColour, "><FONT COLOR=", "#008000",
                   " FACE=Arial Black  SIZE=4>", LF));
    line(page, cat("<P><H3>AVI Test - <H2>Press REFRESH</H2> on the Browser Toolbar!</H3>", LF));
    if (sound) {
        line(page, "<P>Will play sound 3 times!");
        line(page, cat("<BGSOUND LOOP=3 SRC=", Q, folder, aviTestFile, Q, ">", LF));
    } else {
        // The folder is written trimmed in SRC and as held in ALT.
        line(page,
             cat("<EMBED SRC=", Q, folder, aviTestFile, Q, " ALT=", Q, mediaFolder, aviTestFile, Q,
                 " LOOP=INFINITE START=FILEOPEN ALIGN= CENTER BORDER=5><BR>", LF));
    }
    line(page, cat("</BODY></HTML>", LF));
    return page;
}

void WriteAndOpenAviTestPage(AppState& state, bool sound, std::string_view aviTestFile,
                             std::string_view visitedLinkColour) {
    const std::string bytes = AviTestPageBytes(sound, state.CurrentStyle.MediaFolder.raw(),
                                               aviTestFile, visitedLinkColour);
    {
        std::ofstream out(state.drive.resolve(paths::kAviTestPage),
                          std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            throw Error(std::string("The media test page ") + paths::kAviTestPage +
                        " cannot be written.");
        }
    }
    handoffs::OpenAviTestPage(state);
}

}  // namespace tarvomen::styles
