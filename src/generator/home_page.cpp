// The home page "C:\Tarvomen\index.html": head, credit banner, heading, links, logo and text,
// sound, video, the product index, the link-page sections, a picture with text and the
// coordinates.
#include "generator/generator.hpp"
#include "generator/template_text.hpp"
#include "generator/video_section.hpp"

namespace tarvomen::generator {

using namespace tmpl;

namespace {

constexpr PageFileNo kFile = PageFileNo::Home;

// The maker's web site, which the credit banner links to.
constexpr std::string_view kMakerSite = "http://www.orvane.example/";

class HomePage {
  public:
    explicit HomePage(GenerationRun& run)
        : run_(run),
          s_(run.state),
          g_(run.generator),
          page_(run.state.Page),
          style_(run.state.CurrentStyle) {}

    void write() {
        s_.drive.changeDirectory(kSiteFolderPath);
        OpenPageFile(run_, kFile, kHomePage);
        scanProducts();
        g_.Selection = home_;
        if (text(page_.CurrencySymbol) == "E") page_.CurrencySymbol.assign("");
        g_.DescriptionText =
            cat(text(page_.DomainName), ",", text(page_.Title), ",", text(page_.Heading), ",");
        LoadStyle(run_);

        writeHead();
        writeBodyTag();
        line("<A NAME=", "Top", ">", LF);
        writeCreditBanner();
        writeHeadingBox();
        writeLinkList();
        writeLogoAndBodyText();
        writeSound();
        WriteVideoSection(run_, kFile, text(page_.VideoText));
        writeLink1Heading();
        writeProductIndex();
        writeLinkSection(2);
        writeLinkSection(3);
        writePictureWithText();
        writeLink4Section();
        writeCoordinates();
        WriteRuler(run_);
        line("</FONT></BODY></HTML>", LF);
        ClosePageFile(run_, kFile);
    }

  private:
    template <class... Pieces>
    void line(const Pieces&... pieces) {
        WritePageLine(run_, kFile, cat(pieces...));
    }

    // Counts the named products and the ones listed here, and gathers their keywords.
    void scanProducts() {
        home_ = g_.Selection;
        home_.PageKind = PageType::Home;
        g_.NamedProductCount = 0;
        g_.ListedProductCount = 0;
        g_.KeywordList.clear();
        for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
            const ProductRecord& product = SelectProduct(run_, r);
            if (product.ProductName.blank()) continue;
            ++g_.NamedProductCount;
            if (ListedOnHomePage(style_)) {
                ++g_.ListedProductCount;
                g_.KeywordList +=
                    cat(text(product.ProductName), ",", text(product.Description), ",");
            }
        }
    }

    void writeHead() {
        line("<HTML>");
        line("<HEAD><TITLE>", text(page_.Title), "</TITLE>", "<META NAME=", Q, "DESCRIPTION", Q,
             " CookieEmail=", Q, quotedValue(g_.DescriptionText), Q, ">", "<META NAME=", Q,
             "KEYWORDS", Q, " CookieEmail=", Q, quotedValue(g_.KeywordList), Q, ">");
        line("<META NAME=", Q, "; robots;", Q, " CookieEmail=", Q, "; Index, follow, All; ", Q,
             "></HEAD>", LF);
    }

    void writeBodyTag() {
        g_.BackgroundUrl = style_.BackgroundFile.blank()
                               ? std::string()
                               : PublishMedia(run_, style_.BackgroundFile.raw());
        WriteBodyTag(run_);
    }

    void writeCreditBanner() {
        line("<TABLE ALIGN=CENTER BORDER=1 BGCOLOR=", Q, "black", Q, ">", "<A HREF=", Q, kMakerSite,
             Q, ">");
        line("<TH><FONT FACE=", Q, "Times New Roman", Q, " COLOR=", Q, "yellow", Q, " SIZE=", Q,
             "1", Q, "><I>This site produced with </I></FONT></TH>");
        line("<TH><FONT FACE=", Q, "Lucida Handwriting", Q, " COLOR=", Q, "red", Q, " SIZE=", Q,
             "1", Q, ">Tarvomen </FONT></TH>");
        line("<TH><FONT FACE=", Q, "Copper Plate Light", Q, " COLOR=", Q, "yellow", Q, " SIZE=", Q,
             "1", Q, ">Orvane Page Systems </FONT></TH>");
        line("<TH><FONT FACE=", Q, "Lucida Handwriting", Q, " COLOR=", Q, "red", Q, " SIZE=", Q,
             "1", Q, "> - Just Click</FONT></TH></A></TABLE>");
    }

    void writeHeadingBox() {
        if (!style_.BannerFile.blank()) {
            const std::string banner = PublishMedia(run_, style_.BannerFile.raw());
            line("<TABLE ALIGN=CENTER BACKGROUND=", banner, " BORDER=10", BorderColours(style_),
                 "<TR><TH><FONT FACE= ", BoxFontAttrs(style_), "<H2>", text(page_.Heading),
                 "</H2></FONT></TABLE><P>");
        } else if (!page_.Heading.blank()) {
            line("<TABLE ALIGN=CENTER BGCOLOR=", stored(style_.BoxColor), " BORDER=10",
                 BorderColours(style_), "<TR><TH><FONT FACE= ", BoxFontAttrs(style_), "<H2>",
                 text(page_.Heading), "</H2></FONT></TABLE><P>");
        }
    }

    void writeLinkList() {
        const std::pair<const FixedText<50>*, std::string_view> links[] = {
            {&page_.Link1, "#Link1"},
            {&page_.Link2, "#Link2"},
            {&page_.Link3, "#Link3"},
            {&page_.Link4, "#Link4"}};
        bool any = false;
        for (const auto& [link, anchor] : links) any = any || !link->blank();
        if (!any) return;
        line("<P><FONT FACE=", TextFontAttrs(style_));
        for (const auto& [link, anchor] : links) {
            if (link->blank()) continue;
            line("<LI><P ALIGN=CENTER><A HREF=", anchor, ">", text(*link), "</A>", LF);
        }
        line("</FONT>");
        WriteRuler(run_);
    }

    void writeLogoAndBodyText() {
        g_.LogoUrl = page_.LogoImage.blank() ? std::string()
                                             : PublishMedia(run_, page_.LogoImage.raw(), true);
        const std::string_view logo = g_.LogoUrl;
        const std::string_view body = text(page_.BodyText);
        const std::string box = cat("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style_.ScreenColor),
                                    " BORDER=10", BorderColours(style_));
        if (!logo.empty() && !body.empty()) {
            line(box, "<TR><TH><IMG ALT=", logo, " ALIGN=CENTER SRC=", logo, ">",
                 "<TR><TH><FONT FACE=", TextFontAttrs(style_), body, "</FONT></TABLE><P>", LF);
        } else if (!body.empty()) {
            line(box, "<TR><TH><FONT FACE=", TextFontAttrs(style_), body, "<P></FONT></TABLE><P>",
                 LF);
        } else if (!logo.empty()) {
            line(box, "<TR><TH><IMG ALT=", logo, " ALIGN=CENTER SRC=", logo, ">", "</TABLE><P>",
                 LF);
        } else {
            return;
        }
        WriteRuler(run_);
    }

    void writeSound() {
        if (style_.SoundFile.blank()) return;
        const std::string sound = PublishMedia(run_, style_.SoundFile.raw());
        line("<P ALIGN=CENTER><EMBED", " SRC=", sound, " ALT=", sound, " START=FILEOPEN", ">");
    }

    void writeLink1Heading() {
        if (!page_.Link1.blank()) {
            line("<P><FONT FACE=", TextFontAttrs(style_), "<LI><H4 ALIGN=CENTER><A HREF=", "#Top",
                 ">Top of Page</A></H4>", "<H3 ALIGN=CENTER><A NAME=", "Link1", ">",
                 text(page_.Link1), "</A></H3></FONT>", LF);
        } else {
            line("<P><FONT FACE=", TextFontAttrs(style_), "<LI><H4 ALIGN=CENTER><A HREF=", "#Top",
                 ">Top of Page</A></H4></FONT><P>", LF);
        }
    }

    // One row per product listed on the home page, in the home page's style or, with
    // `LinkStyleFromProfile` False, in the product's own.
    void writeProductIndex() {
        g_.ProductPageNo = 0;
        for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
            const ProductRecord& product = SelectProduct(run_, r);
            if (!ListedOnHomePage(style_) || product.ProductName.blank()) continue;
            ++g_.ProductPageNo;
            g_.ProductPictureUrl = product.ProductImage.blank()
                                       ? std::string()
                                       : PublishMedia(run_, product.ProductImage.raw(), true);
            if (s_.LinkStyleFromProfile) {
                g_.Selection = home_;
                LoadStyle(run_);
            }
            writeProductRow(product);
        }
        g_.Selection = home_;
        LoadStyle(run_);
        WriteRuler(run_);
    }

    void writeProductRow(const ProductRecord& product) {
        const std::string address = cat("/tarvomen/", std::to_string(g_.ProductPageNo), ".html");
        const std::string_view picture = g_.ProductPictureUrl;
        const std::string opening =
            s_.LinkAppearanceNormal
                ? std::string("<P><TABLE ALIGN=CENTER>")
                : cat("<P><TABLE ALIGN=CENTER BGColor=", stored(style_.BoxColor), " BORDER=5",
                      BorderColours(style_));
        const std::string pictureCell = picture.empty()
                                            ? std::string("<TR><TH>")
                                            : cat("<TR><TH><IMG ALT=", picture,
                                                  " WIDTH=40 HEIGHT=40 SRC=", picture, ">", "<TH>");
        line(opening, pictureCell, "<FONT SIZE= ", Q, text(style_.BoxTextSize), Q, ">",
             "<A HREF=", address, ">", text(product.ProductName), "</A></FONT>",
             "<TH><FONT FACE= ", BoxFontAttrs(style_), text(product.Description), "</FONT></TABLE>",
             LF);
    }

    // The section of the Link2 (n = 2) or Link3 (n = 3) page.
    void writeLinkSection(int n) {
        const FixedText<50>& link = n == 2 ? page_.Link2 : page_.Link3;
        if (link.blank()) return;
        FixedText<50>& heading = page_.LinkHeading[static_cast<std::size_t>(n - 2)];
        if (heading.blank()) {
            heading.assign(n == 2 ? "No Heading in Link2 Record" : "No Heading in Link3 Record");
        }
        const std::string record = std::to_string(g_.Selection.CurrentRecord);
        line("<P><FONT FACE=", TextFontAttrs(style_));
        line("<LI><P ALIGN=CENTER><A HREF=", "#Top", ">Top of Page</A>",
             n == 2 ? "<P  ALIGN=CENTER><A NAME=" : "<P ALIGN=CENTER><A NAME=",
             n == 2 ? "Link2" : "Link3", ">", text(link), "</A>",
             "<P ALIGN=CENTER><A HREF=", n == 2 ? "/tarvomen/Link2" : "/tarvomen/Link3", record,
             record, ".html", ">", heading.raw(), "</A></FONT><P>", LF);
        WriteRuler(run_);
    }

    void writePictureWithText() {
        const bool hasImage = !style_.ImageFile.blank();
        const bool hasText = !page_.ImageText.blank();
        const std::string box = cat("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style_.BoxColor),
                                    " BORDER=5", BorderColours(style_));
        if (hasImage && hasText) {
            const std::string image = PublishMedia(run_, style_.ImageFile.raw());
            line(box, "<TR><TH><IMG ALT=", image, " Align = LEFT SRC=", image, ">",
                 "<TH><FONT FACE=", BoxFontAttrs(style_), text(page_.ImageText),
                 "</FONT></TABLE><BR>", LF);
        } else if (hasText) {
            line(box, "<TH><FONT FACE= ", BoxFontAttrs(style_), text(page_.ImageText),
                 "</FONT></TABLE><BR>", LF);
        } else if (hasImage) {
            const std::string image = PublishMedia(run_, style_.ImageFile.raw());
            line(box, "<TR><TH><IMG ALT=", image, " ALIGN=LEFT SRC=", image, ">", "</TABLE><BR>",
                 LF);
        }
    }

    void writeLink4Section() {
        if (page_.Link4.blank()) return;
        line("<P><FONT FACE=", TextFontAttrs(style_));
        line("<LI><P ALIGN=CENTER><A HREF=", "#Top", ">Top of Page</A>",
             "<P ALIGN=CENTER><A NAME=", "Link4", ">", text(page_.Link4), "</A></FONT>", LF);
    }

    void writeCoordinates() {
        line("<FONT FACE=", Q, text(style_.TextFont), Q, " SIZE=", stored(style_.TextSize),
             " COLOR= ", stored(style_.TextColor), ">", LF, LF);
        if (!page_.CompanyName.blank()) line("<I>", text(page_.CompanyName), "</I>", LF);
        if (!page_.CompanyAddress.blank()) line("<P><I>", text(page_.CompanyAddress), "</I>", LF);
        if (!page_.City.blank()) line("<P><I>", text(page_.City), "</I>", LF);
        if (!page_.PostCode.blank()) line("<P><I>", text(page_.PostCode), "</I>", LF);
        if (!page_.Phone.blank()) line("<P>Phone: <I>", text(page_.Phone), "</I>", LF);
        if (!page_.Fax.blank()) line("<P>F a x : <I>", text(page_.Fax), "</I>", LF);
        line("</FONT>");
        if (!page_.Email.blank()) {
            line("<P>EMail: <FONT COLOR= ", stored(style_.LinkColor), ">");
            line("<I>", text(page_.Email), "</I></FONT>", LF);
        }
    }

    GenerationRun& run_;
    AppState& s_;
    GeneratorState& g_;
    PageRecord& page_;
    const StyleRecord& style_;  // whichever style is loaded
    PageSelection home_;        // the home page, selected again after each product
};

}  // namespace

void WriteHomePage(GenerationRun& run) {
    HomePage(run).write();
}

}  // namespace tarvomen::generator
