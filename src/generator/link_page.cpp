// The Link2 and Link3 pages "C:\Tarvomen\Link2RR.html" and "C:\Tarvomen\Link3RR.html": title
// box, the page's picture and text, sound, the Link3 page's product list, a picture-and-heading
// box, a theme picture with text, a video and the way home. Every line goes straight to file 55.
#include "generator/generation_run.hpp"
#include "generator/generator.hpp"
#include "generator/template_text.hpp"
#include "generator/video_section.hpp"
#include "platform/cp1252.hpp"

namespace tarvomen::generator {

using namespace tmpl;

namespace {

constexpr PageFileNo kFile = PageFileNo::Link;

class LinkPage {
  public:
    LinkPage(GenerationRun& run, std::size_t i)
        : run_(run),
          s_(run.state),
          g_(run.generator),
          page_(run.state.LinkPage),
          style_(run.state.CurrentStyle),
          i_(i) {}

    void write() {
        writeHead();
        writeBodyTag();
        writeHeadingBox();
        writePictureAndText();
        writeSound();
        writeProductList();
        writePictureAndHeading();
        writeThemePicture();
        WriteVideoSection(run_, kFile, text(page_.LinkVideoText[i_]));
        line("<P ALIGN=CENTER><A HREF=index.html>Home</A></BODY></HTML>");
    }

  private:
    template <class... Pieces>
    void line(const Pieces&... pieces) {
        WritePageLine(run_, kFile, cat(pieces...));
    }
    void ruler() { WriteRuler(run_, kFile); }

    std::string_view title() const { return text(i_ == 0 ? page_.Link2 : page_.Link3); }
    std::string_view heading() const { return text(page_.LinkHeading[i_]); }

    void writeHead() {
        line("<HTML><HEAD><TITLE>", heading(), "</TITLE>", LF);
        line("</HEAD>", LF);
    }

    void writeBodyTag() {
        g_.BackgroundUrl = style_.BackgroundFile.blank()
                               ? std::string()
                               : PublishMedia(run_, style_.BackgroundFile.raw());
        line("<BODY BGCOLOR=", Q, stored(style_.ScreenColor), Q, " VLINK=", Q,
             stored(style_.LinkColor), Q, " ALINK=", Q, stored(style_.ActiveLinkColor), Q,
             " BACKGROUND=", g_.BackgroundUrl, ">", LF);
    }

    void writeHeadingBox() {
        if (!style_.BannerFile.blank()) {
            const std::string banner = PublishMedia(run_, style_.BannerFile.raw());
            line("<TABLE ALIGN=CENTER BACKGROUND=", banner, " BORDER=10", BorderColours(style_));
        } else {
            line("<TABLE ALIGN=CENTER BGColor=", stored(style_.BoxColor), " BORDER=10",
                 BorderColours(style_));
        }
        line("<TR><TH><FONT FACE=", BoxFontAttrs(style_));
        line("<H2>", title(), "</H2>", heading(), "</FONT></TABLE>");
    }

    void writePictureAndText() {
        g_.LinkPictureUrl = page_.LinkImage[i_].blank()
                                ? std::string()
                                : PublishMedia(run_, page_.LinkImage[i_].raw(), true);
        const std::string_view picture = g_.LinkPictureUrl;
        const std::string_view body = text(page_.LinkText[i_]);
        if (picture.empty() && body.empty()) return;
        line("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style_.ScreenColor), " BORDER=10",
             BorderColours(style_));
        if (!picture.empty() && !body.empty()) {
            line("<TR><TH><IMG ALT=", picture, " ALIGN=CENTER SRC=", picture, ">",
                 "<TR><TH><FONT FACE=", TextFontAttrs(style_));
            line(body, "</FONT></TABLE><P>", LF);
        } else if (!body.empty()) {
            line("<TR><TH><FONT FACE=", TextFontAttrs(style_));
            line(body, "<P></FONT></TABLE><P>", LF);
        } else {
            line("<TR><TH><IMG ALT=", picture, " ALIGN=CENTER SRC=", picture, ">", "</TABLE><P>",
                 LF);
        }
        ruler();
    }

    void writeSound() {
        if (style_.SoundFile.blank()) return;
        const std::string sound = PublishMedia(run_, style_.SoundFile.raw());
        line("<P ALIGN=CENTER><EMBED ALIGN=ABSMIDDLE WIDTH=", Q, "128", Q, " HEIGHT=", Q, "128", Q,
             " SRC=", sound, " ALT=", sound, " START=FILEOPEN", ">");
        ruler();
    }

    // The Link3 page lists the named products that are not on the home page, numbered on from
    // the home page's products; the Link2 page lists none.
    void writeProductList() {
        g_.Selection.PageKind = PageType::Link;
        const PageSelection linkPage = g_.Selection;
        PageSelection profile = linkPage;
        profile.PageKind = PageType::Home;
        int base = 0;
        bool listed = false;
        for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
            if (!SelectProduct(run_, r).ProductName.blank() && ListedOnHomePage(style_)) ++base;
        }
        for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
            const ProductRecord& product = SelectProduct(run_, r);
            if (product.ProductName.blank() || ListedOnHomePage(style_) || i_ != 1) continue;
            listed = true;
            g_.ProductPictureUrl = product.ProductImage.blank()
                                       ? std::string()
                                       : PublishMedia(run_, product.ProductImage.raw(), true);
            if (s_.LinkStyleFromProfile) {
                g_.Selection = profile;
                LoadStyle(run_);
            }
            int k = 0;
            if (g_.LinkPagesStandalone) {
                k = ++base;
            } else {
                g_.ListedProductCount = static_cast<std::int16_t>(g_.ListedProductCount + 1);
                k = g_.ListedProductCount;
            }
            g_.ProductPageNo = k;
            writeProductRow(product, cat("/tarvomen/", std::to_string(k), ".html"));
        }
        g_.Selection = linkPage;
        LoadStyle(run_);
        if (listed) ruler();
    }

    void writeProductRow(const ProductRecord& product, const std::string& address) {
        const std::string_view picture = g_.ProductPictureUrl;
        // With a picture the link cell continues the picture's row.
        const std::string_view linkCell = picture.empty() ? "<TR><TH><A HREF=" : "<TH><A HREF=";
        if (!s_.LinkAppearanceNormal) {
            line("<P><TABLE ALIGN=CENTER BGColor=", stored(style_.BoxColor), " BORDER=5",
                 BorderColours(style_));
            writeRowPicture();
            line(linkCell, address, ">", text(product.ProductName), "</A>",
                 "<TH><FONT FACE= ", BoxFontAttrs(style_));
        } else {
            line("<P><TABLE ALIGN=CENTER>");
            writeRowPicture();
            line(linkCell, address, ">", text(product.ProductName), "</A>");
            line("<TH><FONT FACE= ", BoxFontAttrs(style_));
        }
        line(text(product.Description), "</FONT></TABLE>", LF);
    }

    void writeRowPicture() {
        const std::string_view picture = g_.ProductPictureUrl;
        if (picture.empty()) return;
        line("<TR><TH><IMG ALT=", picture, " WIDTH=40 HEIGHT=40 SRC=", picture, ">");
    }

    void writePictureAndHeading() {
        line("<BR><P><TABLE ALIGN=CENTER BGCOLOR=", stored(style_.BoxColor), " BORDER=5",
             BorderColours(style_));
        if (!g_.LinkPictureUrl.empty()) {
            line("<TR><TH><IMG WIDTH=64 HEIGHT=64 SRC=", g_.LinkPictureUrl, ">");
        }
        line("<TR><TH><FONT FACE=", BoxFontAttrs(style_), heading());
        line("</FONT></TABLE>", LF);
        ruler();
    }

    void writeThemePicture() {
        const bool hasImage = !style_.ImageFile.blank();
        const std::string_view imageText = text(page_.LinkImageText[i_]);
        const std::string box = cat("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style_.BoxColor),
                                    " BORDER=5", BorderColours(style_));
        if (hasImage && !imageText.empty()) {
            const std::string image = PublishMedia(run_, style_.ImageFile.raw());
            line(box, "<TR><TH><IMG ALT=", image, " Align = LEFT SRC=", image, ">");
            line("<TH><FONT FACE=", BoxFontAttrs(style_), imageText);
            line("</FONT></TABLE><BR>", LF);
        } else if (!imageText.empty()) {
            line(box);
            line("<TR><TH><FONT FACE=", BoxFontAttrs(style_), imageText);
            line("</TABLE><BR>", LF);
        } else if (hasImage) {
            const std::string image = PublishMedia(run_, style_.ImageFile.raw());
            line(box, "<TR><TH><IMG ALT=", image, " Align = LEFT SRC=", image, "></TABLE><BR>", LF);
        } else {
            return;
        }
        ruler();
    }

    GenerationRun& run_;
    AppState& s_;
    GeneratorState& g_;
    const PageRecord& page_;
    const StyleRecord& style_;  // whichever style is loaded
    std::size_t i_;             // 0 the Link2 page, 1 the Link3 page
};

}  // namespace

void WriteLinkPage(GenerationRun& run) {
    AppState& state = run.state;
    GeneratorState& g = run.generator;
    PageSelection& selection = g.Selection;
    selection.PageKind = PageType::Link;
    LoadStyle(run);
    ClearMediaTables(run);
    if (g.LinkPagesStandalone) {
        g.ProductPageNo = 0;
        PrepareSiteFolders(state.drive);
    }
    state.LinkPage = run.page(selection.CurrentRecord);
    if (selection.LinkNo != 2 && selection.LinkNo != 3) return;

    const std::string n = std::to_string(selection.LinkNo);
    const FixedText<50>& title =
        selection.LinkNo == 2 ? state.LinkPage.Link2 : state.LinkPage.Link3;
    if (title.blank()) {
        if (state.services.messages) {
            state.services.messages->inform("Enter Link" + n + " in PROFILE first!",
                                            "Tarvomen - Link" + n + " Empty!");
        }
        return;
    }
    const std::string record = std::to_string(selection.CurrentRecord);
    g.LinkPagePath = paths::kLinkPagePrefix + n + record + record + ".html";
    OpenPageFile(run, kFile, g.LinkPagePath);
    LinkPage(run, selection.LinkNo == 2 ? 0 : 1).write();
    ClosePageFile(run, kFile);

    if (g.LinkPagesStandalone) {
        g.LinkPagesStandalone = false;
        run.result.shown = GenerationResult::Shown::LinkPage;
        run.result.shownPage = cp1252::toUtf8(g.LinkPagePath);
    }
}

}  // namespace tarvomen::generator
