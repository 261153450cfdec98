#include "generator/video_section.hpp"

#include "generator/template_text.hpp"

namespace tarvomen::generator {

using namespace tmpl;

void WriteVideoSection(GenerationRun& run, PageFileNo file, std::string_view videoText) {
    const StyleRecord& style = run.state.CurrentStyle;
    const auto line = [&](const auto&... pieces) { WritePageLine(run, file, cat(pieces...)); };
    const bool hasFile = !style.VideoFile.blank();
    const std::string box = cat("<TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor), " BORDER=5",
                                BorderColours(style));
    if (hasFile && !videoText.empty()) {
        const std::string video = PublishMedia(run, style.VideoFile.raw());
        line(box, LF);
        line("<TR><TH><EMBED", " SRC=", video, " ALT=", video, " LOOP=INFINITE", " START=FILEOPEN",
             ">", "<TR><TH><FONT FACE= ", BoxFontAttrs(style), videoText, "</FONT></TABLE><BR>",
             LF);
    } else if (!videoText.empty()) {
        line(box, "<TR><TH><FONT FACE= ", BoxFontAttrs(style), videoText, "</FONT></TABLE><BR>",
             LF);
    } else if (hasFile) {
        const std::string video = PublishMedia(run, style.VideoFile.raw());
        line(box, "<TR><TH ALIGN=CENTER><EMBED SRC=", video, " ALT=", video, " LOOP=INFINITE",
             " START=FILEOPEN", ">", "</TABLE><BR>", LF);
    } else {
        return;
    }
    WriteRuler(run, file);
}

}  // namespace tarvomen::generator
