// One page per named product: "C:\tarvomen\N.html" with the product's sections, its product
// table, the optional order form, the Previous / Next box and the Home box.
#include "generator/generator.hpp"
#include "generator/product_sections.hpp"
#include "generator/template_text.hpp"

namespace tarvomen::generator {

using namespace tmpl;

namespace {

using product_page::line;

// The number of named products listed on the home page: they take the page numbers 1 ... H.
int countHomePageProducts(GenerationRun& run) {
    int count = 0;
    for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
        if (!SelectProduct(run, r).ProductName.blank() &&
            ListedOnHomePage(run.state.CurrentStyle)) {
            ++count;
        }
    }
    return count;
}

void writeProductTable(GenerationRun& run, const ProductRecord& product,
                       const std::string& picture) {
    const StyleRecord& style = run.state.CurrentStyle;
    const PageRecord& page = run.state.Page;
    const std::string box = cat("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor),
                                " BORDER=5", BorderColours(style));
    std::string_view cell;
    if (!product.ProductImage.blank()) {
        const std::string picture2 = PublishMedia(run, product.ProductImage.raw(), true);
        line(run, box, "<TR><TH><IMG ALT=", picture, " WIDTH=64 HEIGHT=64 SRC=", picture2, ">",
             "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.ProductName), "</FONT>",
             "<TH><FONT FACE=", BoxFontAttrs(style), text(product.Description), "</FONT>", LF);
        cell = "<TH><FONT FACE= ";
    } else {
        line(run, box, "<TH><FONT FACE=", BoxFontAttrs(style), text(product.ProductName), "</FONT>",
             "<TH><FONT FACE=", BoxFontAttrs(style), text(product.Description), "</FONT>", LF);
        cell = "<TH><FONT FACE=";
    }
    if (product.QuantityPerUnit > 0) {
        line(run, cell, BoxFontAttrs(style), "Quantity: ", std::to_string(product.QuantityPerUnit),
             "</FONT>", LF);
    }
    if (product.UnitPrice.scaled > 0) {
        line(run, cell, BoxFontAttrs(style), "Price: ", text(page.CurrencySymbol),
             priceText(product.UnitPrice), text(page.CurrencyName), "</FONT>", LF);
    }
    line(run, "</TABLE>", LF);
}

// The shopping-cart form posting ID, Product, Price, CurrSymb, CurrStr and Quantity.
void writeOrderForm(GenerationRun& run, const ProductRecord& product, int pageNo) {
    const StyleRecord& style = run.state.CurrentStyle;
    const PageRecord& page = run.state.Page;
    const auto hidden = [&](std::string_view name, std::string_view value) {
        line(run, "<INPUT TYPE=", Q, "Hidden", Q, " NAME=", Q, name, Q, " VALUE=", Q, value, Q, ">",
             LF);
    };
    line(run, "<FORM ACTION=", Q, "/scripts/shopcart.asp", Q, " METHOD=", Q, "POST", Q,
         " ENCTYPE=", Q, "application/x-www-form-urlencoded", Q, ">", LF);
    line(run, "<BR><TABLE ALIGN=", Q, "CENTER", Q, " BGCOLOR=", Q, stored(style.BoxColor), Q,
         " BORDER=5", BorderColours(style), LF);
    hidden("ID", std::to_string(pageNo));
    hidden("Product", quotedValue(text(product.ProductName)));
    hidden("Price", priceText(product.UnitPrice));
    hidden("CurrSymb", quotedValue(text(page.CurrencySymbol)));
    hidden("CurrStr", quotedValue(text(page.CurrencyName)));
    line(run, "<TR><TH><FONT FACE=", Q, text(style.BoxFont), Q, " COLOR=", Q,
         stored(style.BoxTextColor), Q, ">", "Quantity<INPUT TYPE=", Q, "TEXT", Q, " SIZE=", Q,
         "3.5", Q, " MAXLENGTH=", Q, "3", Q, " NAME=", Q, "Quantity", Q, " VALUE=", Q, "001", Q,
         ">", LF);
    line(run, "<TR><TH><INPUT TYPE=", Q, "SUBMIT", Q, " VALUE=", Q, "Add to Shopping Cart", Q, ">",
         LF);
    line(run, "<TR><TH><INPUT TYPE=", Q, "RESET", Q, " VALUE=", Q, "Reset", Q, ">", LF);
    line(run, "</FONT></TABLE></FORM>");
}

void writeNavigationBox(GenerationRun& run) {
    const StyleRecord& style = run.state.CurrentStyle;
    const GeneratorState& g = run.generator;
    std::string control;
    if (!style.ControlFile.blank()) {
        const std::string picture = PublishMedia(run, style.ControlFile.raw());
        control =
            cat("<TH><IMG ALT=", picture, " ALIGN=CENTER WIDTH=64 HEIGHT=64 SRC=", picture, ">");
    }
    line(run, "<TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor), " BORDER=5",
         BorderColours(style), "<TR><TH><A HREF=", g.PrevPageName, ".html", ">", "Previous", "</A>",
         control, "<TH><A HREF=", g.NextPageName, ".html", ">", "Next....", "</A>",
         "<TH><FONT FACE=", Q, text(style.BoxFont), Q, " SIZE=", Q, stored(style.BoxTextSize), Q,
         "></FONT></TABLE>", LF);
}

void writeHomeBox(GenerationRun& run) {
    const StyleRecord& style = run.state.CurrentStyle;
    line(run, "<TABLE ALIGN=CENTER BGCOLOR=", Q, stored(style.BoxColor), Q, " WIDTH=", Q, "120", Q,
         " BORDER = 5", BorderColours(style), "<TR><TH><A HREF=index.html>Home</A>",
         "<TH><FONT FACE=", Q, text(style.BoxFont), Q, " SIZE=", Q, stored(style.BoxTextSize), Q,
         "></FONT></TABLE>", LF);
}

void writeProductPage(GenerationRun& run, const ProductRecord& product, int pageNo) {
    const std::string picture =
        product_page::writeUpperSections(run, product, product_page::SoundForm::ProductPage);
    writeProductTable(run, product, picture);
    if (run.state.ShopCartOn && ListedOnHomePage(run.state.CurrentStyle)) {
        writeOrderForm(run, product, pageNo);
    }
    writeNavigationBox(run);
    writeHomeBox(run);
    line(run, "</BODY></HTML>");
}

}  // namespace

void WriteProductPages(GenerationRun& run) {
    GeneratorState& g = run.generator;
    g.ProductPageNo = 0;
    run.generator.Selection.PageKind = PageType::Product;
    const int homePageProducts = countHomePageProducts(run);
    int homePageNo = 0;
    int otherPageNo = 0;
    for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
        const ProductRecord& product = SelectProduct(run, r);
        if (product.ProductName.blank()) continue;
        // Home-page products first, then the others, each in record order: the numbers the
        // home page and the Link3 page link to.
        const int n = ListedOnHomePage(run.state.CurrentStyle) ? ++homePageNo
                                                               : homePageProducts + ++otherPageNo;
        g.ProductPageNo = n;
        g.PrevPageName = n == 1 ? "index" : std::to_string(n - 1);
        g.NextPageName =
            n == g.ListedProductCount || n == g.NamedProductCount ? "index" : std::to_string(n + 1);
        OpenPageFile(run, PageFileNo::Product,
                     paths::kProductPagePrefix + std::to_string(n) + ".html");
        writeProductPage(run, product, n);
        ClosePageFile(run, PageFileNo::Product);
    }
}

}  // namespace tarvomen::generator
