#include "generator/product_sections.hpp"

#include "generator/generator.hpp"
#include "generator/template_text.hpp"

namespace tarvomen::product_page {

using namespace tmpl;

namespace {

void writeHead(AppState& state, const ProductRecord& product) {
    line(state, "<HTML><HEAD><TITLE>", text(product.ProductName), "</TITLE>", LF);
    line(state, "</HEAD>", LF);
}

void writeBodyTag(AppState& state) {
    const StyleRecord& style = state.CurrentStyle;
    state.Generator.BackgroundUrl = style.BackgroundFile.blank()
                                        ? std::string()
                                        : PublishFile(state, style.BackgroundFile.raw());
    WriteBodyTag(state);
}

void writeHeadingBox(AppState& state, const ProductRecord& product) {
    const StyleRecord& style = state.CurrentStyle;
    if (!style.BannerFile.blank()) {
        const std::string banner = PublishFile(state, style.BannerFile.raw());
        line(state, "<TABLE ALIGN=CENTER BACKGROUND=", banner, " BORDER=10", BorderColours(style),
             "<TR><TH><FONT FACE=", BoxFontAttrs(style), "<H2>", text(product.ProductName), "</H2>",
             text(product.Description), "</FONT></TABLE>", LF);
    } else {
        line(state, "<TABLE ALIGN=CENTER BGColor=", stored(style.BoxColor), " BORDER=10",
             BorderColours(style), "<TR><TH><FONT FACE=", BoxFontAttrs(style), "<H2>",
             text(product.ProductName), "</H2>", text(product.Description), "</FONT></TABLE><P>",
             LF);
    }
}

std::string writePictureAndBodyText(AppState& state, const ProductRecord& product) {
    const StyleRecord& style = state.CurrentStyle;
    const std::string picture = product.ProductImage.blank()
                                    ? std::string()
                                    : PublishFile(state, product.ProductImage.raw(), true);
    const std::string_view body = text(product.BodyText);
    const std::string box = cat("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style.ScreenColor),
                                " BORDER=10", BorderColours(style));
    if (!picture.empty() && !body.empty()) {
        line(state, box, "<TR><TH><IMG ALIGN=CENTER SRC=", picture, ">",
             "<TR><TH><FONT FACE=", TextFontAttrs(style), body, "</FONT></TABLE>", LF);
    } else if (!picture.empty()) {
        line(state, box, "<TR><TH><IMG ALIGN=CENTER SRC=", picture, "></TABLE>", LF);
    } else if (!body.empty()) {
        line(state, box, "<TR><TH><FONT FACE=", TextFontAttrs(style), body, "</FONT></TABLE>", LF);
    } else {
        return picture;
    }
    WriteRuler(state);
    return picture;
}

void writeThemePicture(AppState& state, const ProductRecord& product) {
    const StyleRecord& style = state.CurrentStyle;
    const bool hasImage = !style.ImageFile.blank();
    const bool hasText = !product.ImageText.blank();
    const std::string box = cat("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor),
                                " BORDER=5", BorderColours(style));
    if (hasImage && hasText) {
        const std::string image = PublishFile(state, style.ImageFile.raw());
        line(state, box, "<TR><TH><IMG ALIGN=CENTER SRC=", image, ">",
             "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.ImageText),
             "</FONT></TABLE><BR>", LF);
    } else if (hasText) {
        line(state, box, "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.ImageText),
             "</FONT></TABLE><BR>", LF);
    } else if (hasImage) {
        const std::string image = PublishFile(state, style.ImageFile.raw());
        line(state, box, "<TR><TH><IMG ALIGN=CENTER SRC=", image, "></TABLE>", LF);
    } else {
        return;
    }
    WriteRuler(state);
}

void writeSound(AppState& state, SoundForm form) {
    const StyleRecord& style = state.CurrentStyle;
    if (style.SoundFile.blank()) return;
    const std::string sound = PublishFile(state, style.SoundFile.raw());
    if (form == SoundForm::ProductPage) {
        line(state, "<P ALIGN=CENTER><EMBED", " SRC=", sound, " ALT=", sound, " START=FILEOPEN",
             ">");
    } else {
        line(state, "<P ALIGN=CENTER><EMBED ALIGN=ABSMIDDLE WIDTH=", Q, "128", Q, " HEIGHT=", Q,
             "128", Q, " SRC=", sound, " ALT=", sound, " START=FILEOPEN", ">");
    }
}

void writeVideo(AppState& state, const ProductRecord& product) {
    const StyleRecord& style = state.CurrentStyle;
    const bool hasFile = !style.VideoFile.blank();
    const bool hasText = !product.VideoText.blank();
    const std::string box = cat("<TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor), " BORDER=5",
                                BorderColours(style));
    if (hasText && hasFile) {
        const std::string video = PublishFile(state, style.VideoFile.raw());
        line(state, box, "<TR><TH ALIGN=LEFT><EMBED SRC=", video, " ALT=", video, " LOOP=INFINITE",
             " START=FILEOPEN", ">", "<TR><TH><FONT FACE= ", BoxFontAttrs(style),
             text(product.VideoText), "</FONT></TABLE><BR>", LF);
    } else if (hasText) {
        // COLOR and SIZE unquoted in this box.
        line(state, box, "<TR><TH><FONT FACE = ", Q, text(style.BoxFont), Q,
             " COLOR=", stored(style.BoxTextColor), " SIZE=", stored(style.BoxTextSize), ">",
             text(product.VideoText), "</FONT></TABLE><BR>", LF);
    } else if (hasFile) {
        const std::string video = PublishFile(state, style.VideoFile.raw());
        line(state, box, "<TR><TH ALIGN=CENTER><EMBED SRC=", video, " ALT=", video,
             " LOOP=INFINITE", " START=FILEOPEN", ">", "</TABLE><BR>", LF);
    } else {
        return;
    }
    WriteRuler(state);
}

}  // namespace

std::string writeUpperSections(AppState& state, const ProductRecord& product, SoundForm sound) {
    writeHead(state, product);
    writeBodyTag(state);
    writeHeadingBox(state, product);
    std::string picture = writePictureAndBodyText(state, product);
    writeThemePicture(state, product);
    writeSound(state, sound);
    writeVideo(state, product);
    return picture;
}

}  // namespace tarvomen::product_page
