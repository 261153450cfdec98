#include "generator/product_sections.hpp"

#include "generator/generator.hpp"
#include "generator/template_text.hpp"

namespace tarvomen::generator::product_page {

using namespace tmpl;

namespace {

void writeHead(GenerationRun& run, const ProductRecord& product) {
    line(run, "<HTML><HEAD><TITLE>", text(product.ProductName), "</TITLE>", LF);
    line(run, "</HEAD>", LF);
}

void writeBodyTag(GenerationRun& run) {
    const StyleRecord& style = run.state.CurrentStyle;
    run.generator.BackgroundUrl = style.BackgroundFile.blank()
                                      ? std::string()
                                      : PublishMedia(run, style.BackgroundFile.raw());
    WriteBodyTag(run);
}

void writeHeadingBox(GenerationRun& run, const ProductRecord& product) {
    const StyleRecord& style = run.state.CurrentStyle;
    if (!style.BannerFile.blank()) {
        const std::string banner = PublishMedia(run, style.BannerFile.raw());
        line(run, "<TABLE ALIGN=CENTER BACKGROUND=", banner, " BORDER=10", BorderColours(style),
             "<TR><TH><FONT FACE=", BoxFontAttrs(style), "<H2>", text(product.ProductName), "</H2>",
             text(product.Description), "</FONT></TABLE>", LF);
    } else {
        line(run, "<TABLE ALIGN=CENTER BGColor=", stored(style.BoxColor), " BORDER=10",
             BorderColours(style), "<TR><TH><FONT FACE=", BoxFontAttrs(style), "<H2>",
             text(product.ProductName), "</H2>", text(product.Description), "</FONT></TABLE><P>",
             LF);
    }
}

std::string writePictureAndBodyText(GenerationRun& run, const ProductRecord& product) {
    const StyleRecord& style = run.state.CurrentStyle;
    const std::string picture = product.ProductImage.blank()
                                    ? std::string()
                                    : PublishMedia(run, product.ProductImage.raw(), true);
    const std::string_view body = text(product.BodyText);
    const std::string box = cat("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style.ScreenColor),
                                " BORDER=10", BorderColours(style));
    if (!picture.empty() && !body.empty()) {
        line(run, box, "<TR><TH><IMG ALIGN=CENTER SRC=", picture, ">",
             "<TR><TH><FONT FACE=", TextFontAttrs(style), body, "</FONT></TABLE>", LF);
    } else if (!picture.empty()) {
        line(run, box, "<TR><TH><IMG ALIGN=CENTER SRC=", picture, "></TABLE>", LF);
    } else if (!body.empty()) {
        line(run, box, "<TR><TH><FONT FACE=", TextFontAttrs(style), body, "</FONT></TABLE>", LF);
    } else {
        return picture;
    }
    WriteRuler(run);
    return picture;
}

void writeThemePicture(GenerationRun& run, const ProductRecord& product) {
    const StyleRecord& style = run.state.CurrentStyle;
    const bool hasImage = !style.ImageFile.blank();
    const bool hasText = !product.ImageText.blank();
    const std::string box = cat("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor),
                                " BORDER=5", BorderColours(style));
    if (hasImage && hasText) {
        const std::string image = PublishMedia(run, style.ImageFile.raw());
        line(run, box, "<TR><TH><IMG ALIGN=CENTER SRC=", image, ">",
             "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.ImageText),
             "</FONT></TABLE><BR>", LF);
    } else if (hasText) {
        line(run, box, "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.ImageText),
             "</FONT></TABLE><BR>", LF);
    } else if (hasImage) {
        const std::string image = PublishMedia(run, style.ImageFile.raw());
        line(run, box, "<TR><TH><IMG ALIGN=CENTER SRC=", image, "></TABLE>", LF);
    } else {
        return;
    }
    WriteRuler(run);
}

void writeSound(GenerationRun& run, SoundForm form) {
    const StyleRecord& style = run.state.CurrentStyle;
    if (style.SoundFile.blank()) return;
    const std::string sound = PublishMedia(run, style.SoundFile.raw());
    if (form == SoundForm::ProductPage) {
        line(run, "<P ALIGN=CENTER><EMBED", " SRC=", sound, " ALT=", sound, " START=FILEOPEN", ">");
    } else {
        line(run, "<P ALIGN=CENTER><EMBED ALIGN=ABSMIDDLE WIDTH=", Q, "128", Q, " HEIGHT=", Q,
             "128", Q, " SRC=", sound, " ALT=", sound, " START=FILEOPEN", ">");
    }
}

void writeVideo(GenerationRun& run, const ProductRecord& product) {
    const StyleRecord& style = run.state.CurrentStyle;
    const bool hasFile = !style.VideoFile.blank();
    const bool hasText = !product.VideoText.blank();
    const std::string box = cat("<TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor), " BORDER=5",
                                BorderColours(style));
    if (hasText && hasFile) {
        const std::string video = PublishMedia(run, style.VideoFile.raw());
        line(run, box, "<TR><TH ALIGN=LEFT><EMBED SRC=", video, " ALT=", video, " LOOP=INFINITE",
             " START=FILEOPEN", ">", "<TR><TH><FONT FACE= ", BoxFontAttrs(style),
             text(product.VideoText), "</FONT></TABLE><BR>", LF);
    } else if (hasText) {
        // COLOR and SIZE unquoted in this box.
        line(run, box, "<TR><TH><FONT FACE = ", Q, text(style.BoxFont), Q,
             " COLOR=", stored(style.BoxTextColor), " SIZE=", stored(style.BoxTextSize), ">",
             text(product.VideoText), "</FONT></TABLE><BR>", LF);
    } else if (hasFile) {
        const std::string video = PublishMedia(run, style.VideoFile.raw());
        line(run, box, "<TR><TH ALIGN=CENTER><EMBED SRC=", video, " ALT=", video, " LOOP=INFINITE",
             " START=FILEOPEN", ">", "</TABLE><BR>", LF);
    } else {
        return;
    }
    WriteRuler(run);
}

}  // namespace

std::string writeUpperSections(GenerationRun& run, const ProductRecord& product, SoundForm sound) {
    writeHead(run, product);
    writeBodyTag(run);
    writeHeadingBox(run, product);
    std::string picture = writePictureAndBodyText(run, product);
    writeThemePicture(run, product);
    writeSound(run, sound);
    writeVideo(run, product);
    return picture;
}

}  // namespace tarvomen::generator::product_page
